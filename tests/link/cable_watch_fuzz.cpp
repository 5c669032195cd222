// Drives the cable watch with whatever the input says: ticks with the port
// open or closed, lost lines, bursts of any bytes, a radio's proper
// answers, and the caller done with a radio. After every call it checks
// what must always hold:
// - only the probe's frames go out: "PROGRAM", then 0x02 only once a 0x06
//   byte came, then "E" only after 0x02, once;
// - nothing goes out while a radio that arrived is the caller's, and no
//   handshake follows an "E" in the same tick (its answer would pass for the
//   handshake's);
// - radios arrive only after a 0x06 byte answered the probe, and arrivals
//   and departures alternate, starting with an arrival.
#include "engine_rig.h"
#include "link/cable_watch.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace linktest;
using radiolink::CableWatch;

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "cable watch fuzz: %s\n", what);
        std::abort();
    }
}

class Harness {
  public:
    Harness(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    void run() {
        while (m_at < m_size) {
            const std::size_t sentBefore = m_port.sent.size();
            const bool handedOver = m_handedOver;
            const int op = next() % 6;
            step(op);
            require(!handedOver || m_port.sent.size() == sentBefore,
                    "a frame went out while the radio was the caller's");
            checkSent(sentBefore);
            // An arrival held back for the answer to an "E" is told at the
            // next tick: a watch is never the caller's without the caller
            // knowing.
            m_ticksInARow = op == 0 ? m_ticksInARow + 1 : 0;
            require(m_ticksInARow < 2 || !m_watch.handedOver() || m_handedOver,
                    "an arrival never told");
        }
    }

  private:
    std::uint8_t next() { return m_at < m_size ? m_data[m_at++] : 0; }

    void step(int op) {
        switch (op) {
        case 0:
            take(m_watch.tick());
            break;
        case 1:
            take(m_watch.portClosed());
            break;
        case 2:
            take(m_watch.lineLost());
            break;
        case 3: {
            Bytes burst(next() % 8 + 1);
            for (std::uint8_t& byte : burst)
                byte = next();
            receive(burst);
            break;
        }
        case 4:
            if (!m_port.sent.empty())
                receive(m_radio.answer(m_port.sent.back()));
            break;
        default:
            if (m_handedOver) {
                m_handedOver = false;
                m_watch.radioStays();
            }
        }
    }

    void receive(const Bytes& bytes) {
        for (std::uint8_t byte : bytes)
            m_acknowledged = m_acknowledged || byte == 0x06;
        take(m_watch.bytesReceived(bytes));
    }

    void take(CableWatch::Event event) {
        if (event == CableWatch::Event::RadioArrived) {
            require(!m_radioOn, "a radio arrived twice without leaving");
            require(m_answeredProbe, "a radio arrived that never acknowledged a handshake");
            m_radioOn = true;
            m_handedOver = true;
        } else if (event == CableWatch::Event::RadioLeft) {
            require(m_radioOn && !m_handedOver, "a radio left that was not there");
            m_radioOn = false;
        }
    }

    // The frames the last call sent, in order.
    void checkSent(std::size_t from) {
        bool endSent = false;
        for (std::size_t n = from; n < m_port.sent.size(); ++n) {
            const std::string frame = frameName(m_port.sent[n]);
            if (frame == "PROGRAM") {
                require(!endSent, "a handshake right after an E");
                m_acknowledged = false;
                m_answeredProbe = false;
                m_identAsked = false;
                m_ended = false;
            } else if (frame == "02") {
                require(m_acknowledged && !m_identAsked, "0x02 without a 0x06 before it");
                m_identAsked = true;
                m_answeredProbe = true;
            } else if (frame == "E") {
                require(m_identAsked && !m_ended, "E outside the probe's transfer");
                m_ended = true;
                endSent = true;
            } else {
                require(false, "a frame that is not the probe's");
            }
        }
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
    Log m_log;
    FakePort m_port{m_log};
    SimulatedRadio m_radio;
    CableWatch m_watch{m_port};
    bool m_acknowledged = false; // a 0x06 since the last handshake
    bool m_answeredProbe = false;
    bool m_identAsked = false;
    bool m_ended = false;
    bool m_radioOn = false;
    bool m_handedOver = false;
    int m_ticksInARow = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Harness(data, size).run();
    return 0;
}
