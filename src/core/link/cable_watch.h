// Watches one port for radios put on the cable and taken off it, with a
// probe at every tick: a radio that answers on a port that had none has
// arrived (and the port is the caller's until it says the radio stays); a
// radio known to be there has left once it stays silent for two probes in
// a row, so one lost answer never passes for a swap.
#pragma once

#include "link/radio_probe.h"

#include <span>

namespace radiolink {

class CableWatch {
  public:
    enum class Event { None, RadioArrived, RadioLeft };

    explicit CableWatch(Port& port) : m_probe(port) {}

    // A tick (500 ms) with the port open: the running probe's time is up,
    // and the next begins.
    Event tick();
    // A tick with the port closed (its device absent, its line lost): no
    // radio answers there.
    Event portClosed();
    // The line went away (the adapter was pulled, the port's link to another
    // device): whatever radio was on it is gone, however soon one answers
    // again.
    Event lineLost();
    // An arrival is told as soon as the radio has acknowledged the probe's
    // "E".
    Event bytesReceived(std::span<const std::uint8_t> bytes);
    // The radio that arrived has been dealt with (or refused) and is still on
    // the cable: the watch now waits for it to leave.
    void radioStays();
    // The port is to be closed: a probe in flight is ended, "E" sent when the
    // radio is in clone mode.
    void stop();

    // What the radio that arrived answered.
    const ProbeAnswer& arrival() const { return m_arrival; }
    // An arrival was told and radioStays() not called yet.
    bool handedOver() const { return m_state == State::HandedOver; }

  private:
    enum class State { Empty, HandedOver, Occupied };
    Event concluded(const ProbeAnswer& answer);

    RadioProbe m_probe;
    State m_state = State::Empty;
    int m_silentProbes = 0;
    // An "E" of the last probe is unanswered: no handshake until the next
    // tick, and an arrival waits for it too.
    bool m_endPending = false;
    Event m_deferred = Event::None;
    ProbeAnswer m_arrival;
};

} // namespace radiolink
