#include "radio_loop.h"

#include "files/dat_file.h"
#include "frame_log.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <poll.h>
#include <unistd.h>

namespace radio {

namespace {

timespec timeoutUntil(Clock::time_point due, Clock::time_point now) {
    const auto wait = std::max(Clock::duration::zero(), due - now);
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    return {time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
}

} // namespace

RadioLoop::RadioLoop(PseudoTerminal& line, CloneRadio& radio, const LoopSettings& settings)
    : m_line(line), m_radio(radio), m_settings(settings),
      m_pacer(settings.fast ? Clock::duration::zero() : ByteTime9600, settings.bursts),
      m_onCable(!settings.offCable) {}

int RadioLoop::run(const volatile std::sig_atomic_t& stop,
                   const volatile std::sig_atomic_t& cableMoves, const sigset_t& waitMask) {
    const int status = serve(stop, cableMoves, waitMask);
    return m_settings.strict && m_violations > 0 ? ExitViolation : status;
}

int RadioLoop::serve(const volatile std::sig_atomic_t& stop,
                     const volatile std::sig_atomic_t& cableMoves, const sigset_t& waitMask) {
    while (!m_exit) {
        for (; m_cableMovesSeen != cableMoves; ++m_cableMovesSeen)
            moveCable(!m_onCable);
        writeDue(Clock::now());
        if (m_exit)
            break;
        if (m_finishing && m_pacer.idle()) {
            m_line.waitUntilRead(1000);
            return m_saveFailed ? ExitFailed : ExitDone;
        }

        pollfd fd{m_line.master(), short(m_outputBlocked ? POLLOUT : 0), 0};
        if (!m_finishing)
            fd.events |= POLLIN;
        const std::optional<Clock::time_point> due = m_pacer.nextDue();
        timespec timeout{};
        if (due && !m_outputBlocked)
            timeout = timeoutUntil(*due, Clock::now());
        const int ready = ppoll(&fd, 1, (due && !m_outputBlocked) ? &timeout : nullptr, &waitMask);
        if (stop)
            return ExitDone;
        if (ready < 0 && errno != EINTR) {
            std::cerr << "tq305-radio: poll: " << std::strerror(errno) << '\n';
            return ExitFailed;
        }
        if (ready > 0 && (fd.revents & POLLOUT))
            m_outputBlocked = false;
        if (ready > 0 && (fd.revents & POLLIN))
            readInput(Clock::now());
    }
    return *m_exit;
}

void RadioLoop::readInput(Clock::time_point now) {
    std::uint8_t buffer[512];
    const ssize_t count = ::read(m_line.master(), buffer, sizeof buffer);
    if (count <= 0 || !m_onCable)
        return; // EAGAIN; the slave we hold keeps EIO away
    for (const std::uint8_t byte : std::span<const std::uint8_t>(buffer, std::size_t(count))) {
        const Clock::time_point arrival = m_pacer.received(now);
        for (const Frame& frame : m_reader.push(byte)) {
            onFrame(frame, arrival);
            if (m_exit || m_finishing)
                return;
        }
    }
}

void RadioLoop::onFrame(const Frame& frame, Clock::time_point arrival) {
    log(describeReceived(frame));
    // Only what the PC has seen can it have answered: a frame sent on part
    // of an answer, or on noise ahead of it, is lost to the busy radio.
    if (m_pacer.sentCount() < m_answerEnd && !m_radio.mayInterrupt(frame)) {
        violation(describeFrame(frame) + " before the radio's answer to the frame before it");
        return;
    }
    const Reaction reaction = m_radio.onFrame(frame);
    if (!reaction.violation.empty())
        violation(reaction.violation);
    m_reader.setHandshakeOnly(!m_radio.inTransfer());
    if (reaction.event == RadioEvent::HangUp) {
        log("radio: hangs up");
        m_line.close();
        m_exit = ExitHungUp;
        return;
    }
    queueReplies(reaction, arrival);
    if (reaction.event == RadioEvent::TransferEnded)
        endTransfer();
}

void RadioLoop::queueReplies(const Reaction& reaction, Clock::time_point arrival) {
    Clock::time_point last = arrival + m_settings.answerDelay;
    for (const Reply& reply : reaction.replies) {
        log(describeSent(reply.bytes));
        last = m_pacer.send(reply.bytes, reply.afterBusyPause ? last + BusyPause : last);
        if (reply.extra < reply.bytes.size())
            m_answerEnd = m_pacer.queuedCount() - reply.extra;
    }
}

void RadioLoop::moveCable(bool onCable) {
    m_onCable = onCable;
    log(onCable ? "radio: put back on the cable" : "radio: taken off the cable");
    if (onCable)
        return;
    m_pacer.clear();
    m_answerEnd = m_pacer.queuedCount();
    m_reader.reset();
    if (m_radio.inTransfer()) {
        m_radio.takenOff();
        saveWrites();
    }
}

void RadioLoop::endTransfer() {
    saveWrites();
    if (m_settings.once)
        m_finishing = true;
}

void RadioLoop::saveWrites() {
    if (m_settings.savePath && m_radio.hasUnsavedWrites()) {
        const files::WriteResult saved =
            files::saveDatFile(*m_settings.savePath, m_radio.memory(), m_radio.band());
        if (saved.ok()) {
            m_radio.markSaved();
            log("radio: memory saved to " + *m_settings.savePath);
        } else {
            m_saveFailed = true;
            std::cerr << "tq305-radio: cannot save " << *m_settings.savePath << ": "
                      << (saved.systemError ? std::strerror(saved.systemError) : "write failed")
                      << '\n';
        }
    }
}

void RadioLoop::writeDue(Clock::time_point now) {
    if (m_outputBlocked)
        return;
    const std::vector<std::uint8_t> bytes = m_pacer.due(now);
    if (bytes.empty())
        return;
    const ssize_t written = ::write(m_line.master(), bytes.data(), bytes.size());
    if (written < 0 && errno != EAGAIN) {
        std::cerr << "tq305-radio: write: " << std::strerror(errno) << '\n';
        m_exit = ExitFailed;
        return;
    }
    m_pacer.sent(written < 0 ? 0 : std::size_t(written));
    m_outputBlocked = written < 0 || std::size_t(written) < bytes.size();
}

void RadioLoop::violation(const std::string& what) {
    ++m_violations;
    std::cerr << "violation: " << what << std::endl;
}

void RadioLoop::log(const std::string& line) const {
    if (m_settings.verbose)
        std::cerr << line << std::endl;
}

} // namespace radio
