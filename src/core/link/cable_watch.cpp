#include "link/cable_watch.h"

namespace radiolink {

namespace {
// Probes in a row without an answer before a radio counts as taken off.
constexpr int SilentProbesToLeave = 2;
} // namespace

CableWatch::Event CableWatch::tick() {
    if (m_endPending) {
        m_endPending = false;
        const Event deferred = m_deferred;
        m_deferred = Event::None;
        if (deferred == Event::None)
            m_probe.start();
        return deferred;
    }
    if (m_state == State::HandedOver)
        return Event::None;
    Event event = Event::None;
    if (m_probe.running()) {
        const ProbeAnswer answer = m_probe.finish(m_endPending);
        event = concluded(answer);
        if (m_endPending) {
            m_deferred = event;
            return Event::None;
        }
    }
    if (m_state != State::HandedOver)
        m_probe.start();
    return event;
}

CableWatch::Event CableWatch::portClosed() {
    bool endPending = false;
    m_probe.finish(endPending);
    // An arrival not told yet went with the line.
    if (m_deferred == Event::RadioArrived)
        m_state = State::Empty;
    m_endPending = false;
    m_deferred = Event::None;
    if (m_state == State::HandedOver)
        return Event::None;
    return concluded({});
}

CableWatch::Event CableWatch::lineLost() {
    const Event closed = portClosed();
    if (m_state != State::Occupied)
        return closed;
    m_state = State::Empty;
    m_silentProbes = 0;
    return Event::RadioLeft;
}

CableWatch::Event CableWatch::bytesReceived(std::span<const std::uint8_t> bytes) {
    if (m_state == State::HandedOver || !m_probe.running())
        return Event::None;
    m_probe.bytesReceived(bytes);
    if (!m_probe.settled())
        return Event::None;
    bool endPending = false;
    return concluded(m_probe.finish(endPending));
}

void CableWatch::radioStays() {
    m_state = State::Occupied;
    m_silentProbes = 0;
}

void CableWatch::stop() {
    bool endPending = false;
    m_probe.finish(endPending);
}

CableWatch::Event CableWatch::concluded(const ProbeAnswer& answer) {
    if (answer.answered) {
        m_silentProbes = 0;
        if (m_state != State::Empty)
            return Event::None;
        m_state = State::HandedOver;
        m_arrival = answer;
        return Event::RadioArrived;
    }
    if (m_state != State::Occupied || ++m_silentProbes < SilentProbesToLeave)
        return Event::None;
    m_state = State::Empty;
    m_silentProbes = 0;
    return Event::RadioLeft;
}

} // namespace radiolink
