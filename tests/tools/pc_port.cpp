#include "pc_port.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    return std::max<int>(0, int(left.count()));
}

} // namespace

PcPort::PcPort(const QString& path) {
    // The line settings are left as the radio made them, so the tests see
    // whether the radio's own raw mode lets every byte through.
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

PcPort::~PcPort() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void PcPort::send(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno != EAGAIN)
            return;
        done += n > 0 ? n : 0;
    }
}

bool PcPort::waitReadable(int milliseconds) {
    pollfd fd{m_fd, POLLIN, 0};
    return ::poll(&fd, 1, milliseconds) > 0;
}

QByteArray PcPort::receive(int count, int milliseconds) {
    QByteArray bytes;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (bytes.size() < count && waitReadable(remainingMs(end))) {
        char buffer[256];
        const ssize_t n = ::read(
            m_fd, buffer, std::min<std::size_t>(sizeof buffer, std::size_t(count - bytes.size())));
        if (n == 0 || (n < 0 && errno != EAGAIN))
            break;
        if (n > 0)
            bytes.append(buffer, n);
    }
    return bytes;
}

QByteArray PcPort::receivePiece(int milliseconds) {
    char buffer[256];
    const ssize_t n = waitReadable(milliseconds) ? ::read(m_fd, buffer, sizeof buffer) : 0;
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

bool PcPort::staysQuiet(int milliseconds) {
    return receive(1, milliseconds).isEmpty();
}

bool PcPort::hangsUp(int milliseconds) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (remainingMs(end) > 0) {
        pollfd fd{m_fd, POLLIN, 0};
        if (::poll(&fd, 1, remainingMs(end)) <= 0)
            return false;
        char byte;
        const ssize_t n = ::read(m_fd, &byte, 1);
        if (n == 0 || (n < 0 && errno == EIO))
            return true;
    }
    return false;
}
