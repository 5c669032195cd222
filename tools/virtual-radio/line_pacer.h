// The timing of a 9600-baud 8N1 line in both directions: a byte takes ten
// bit times. Each byte's time comes from a running deadline, not from "now",
// so sleeps that end late and scheduling delays never add up; a byte whose
// time has passed goes out at once. With a zero byte time (--fast) every
// byte is due as soon as it is queued. In bursts, the bytes queued together
// are all due when the last of them would be, as a USB adapter hands on what
// it gathered.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace radio {

using Clock = std::chrono::steady_clock;

inline constexpr Clock::duration ByteTime9600 =
    std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000 / 9600));

class LinePacer {
  public:
    LinePacer(Clock::duration byteTime, bool bursts) : m_byteTime(byteTime), m_bursts(bursts) {}

    // A byte from the PC that reached us at `now`: when its last bit would
    // have arrived on the wire. The radio answers a frame no sooner.
    Clock::time_point received(Clock::time_point now);

    // Queues bytes to send, the first no sooner than one byte time after
    // notBefore; returns when the last of them is due.
    Clock::time_point send(std::span<const std::uint8_t> bytes, Clock::time_point notBefore);

    // When the next queued byte is due; none when the queue is empty.
    std::optional<Clock::time_point> nextDue() const;
    // The queued bytes whose time has come, left in the queue.
    std::vector<std::uint8_t> due(Clock::time_point now) const;
    // Removes the first `count` bytes, once they are written.
    void sent(std::size_t count);
    // Drops every byte not written yet (the cable is pulled).
    void clear() { m_queue.clear(); }
    bool idle() const { return m_queue.empty(); }
    // Bytes queued and bytes written since the start: byte n (from 1) has
    // gone out once sentCount() reaches n.
    std::uint64_t queuedCount() const { return m_sentCount + m_queue.size(); }
    std::uint64_t sentCount() const { return m_sentCount; }

  private:
    struct Queued {
        std::uint8_t byte;
        Clock::time_point due;
    };
    Clock::duration m_byteTime;
    bool m_bursts;
    std::uint64_t m_sentCount = 0;
    Clock::time_point m_rxDeadline{};
    Clock::time_point m_txDeadline{};
    std::deque<Queued> m_queue;
};

} // namespace radio
