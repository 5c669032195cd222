// Asks a port whether a radio is on it without touching its memory: the
// handshake, the ident, and "E" at once, a transfer of no block. A radio
// that answers the handshake is there; its ident tells which band it is set
// to.
#pragma once

#include "link/link_engine.h"

#include <optional>
#include <span>
#include <string>

namespace radiolink {

struct ProbeAnswer {
    bool answered = false;   // the handshake was acknowledged
    std::optional<int> band; // the ident of a TQ-305 came
};

class RadioProbe {
  public:
    explicit RadioProbe(Port& port) : m_port(port) {}

    // Sends "PROGRAM". A probe already running is given up first.
    void start();
    void bytesReceived(std::span<const std::uint8_t> bytes);
    // The radio acknowledged the "E" after its ident: nothing more will come.
    bool settled() const { return m_step == Step::Settled; }
    bool running() const { return m_step != Step::Idle; }
    // The probe's time is up: what it found. A radio that answered but gave
    // no ident is sent "E", so that it leaves clone mode; `endUnanswered`
    // says that an "E" went out whose answer has not come yet (and would
    // pass for the answer to the next handshake).
    ProbeAnswer finish(bool& endUnanswered);
    const ProbeAnswer& answer() const { return m_answer; }

  private:
    enum class Step { Idle, Greeting, Ident, Ending, Settled };
    void send(std::uint8_t byte);

    Port& m_port;
    Step m_step = Step::Idle;
    std::string m_rxHex;
    ProbeAnswer m_answer;
};

} // namespace radiolink
