#include "line_pacer.h"

#include <algorithm>

namespace radio {

Clock::time_point LinePacer::received(Clock::time_point now) {
    m_rxDeadline = std::max(m_rxDeadline, now) + m_byteTime;
    return m_rxDeadline;
}

Clock::time_point LinePacer::send(std::span<const std::uint8_t> bytes,
                                  Clock::time_point notBefore) {
    // An idle line earns no credit: the deadline starts over from notBefore.
    m_txDeadline = std::max(m_txDeadline, notBefore);
    const Clock::time_point burstDue = m_txDeadline + m_byteTime * std::ssize(bytes);
    for (std::uint8_t byte : bytes) {
        m_txDeadline += m_byteTime;
        m_queue.push_back({byte, m_bursts ? burstDue : m_txDeadline});
    }
    return m_txDeadline;
}

std::optional<Clock::time_point> LinePacer::nextDue() const {
    if (m_queue.empty())
        return std::nullopt;
    return m_queue.front().due;
}

std::vector<std::uint8_t> LinePacer::due(Clock::time_point now) const {
    std::vector<std::uint8_t> bytes;
    for (const Queued& q : m_queue) {
        if (q.due > now)
            break;
        bytes.push_back(q.byte);
    }
    return bytes;
}

void LinePacer::sent(std::size_t count) {
    m_queue.erase(m_queue.begin(), m_queue.begin() + std::ptrdiff_t(count));
    m_sentCount += count;
}

} // namespace radio
