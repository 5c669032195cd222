#include "pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace radio {

namespace {

std::string failure(const char* call) {
    return std::string(call) + ": " + std::strerror(errno);
}

} // namespace

bool PseudoTerminal::open(std::string& error) {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        error = failure("posix_openpt");
        return false;
    }
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        error = failure("grantpt/unlockpt");
        close();
        return false;
    }
    const char* name = ptsname(m_master);
    if (!name) {
        error = failure("ptsname");
        close();
        return false;
    }
    m_slavePath = name;
    m_heldSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (m_heldSlave < 0 || tcgetattr(m_heldSlave, &tio) != 0) {
        error = failure(m_slavePath.c_str());
        close();
        return false;
    }
    // 0x03, 0x0D, 0x11 and 0x13 are data to the radio, not line controls.
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    if (tcsetattr(m_heldSlave, TCSANOW, &tio) != 0) {
        error = failure("tcsetattr");
        close();
        return false;
    }
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    return true;
}

void PseudoTerminal::waitUntilRead(int milliseconds) const {
    // Bytes written to the master reach the slave's queue a moment later,
    // so an empty queue right after a write proves nothing.
    constexpr int Settle = 20;
    constexpr int Step = 5;
    usleep(Settle * 1000);
    for (int waited = Settle; waited < milliseconds; waited += Step) {
        int unread = 0;
        if (ioctl(m_heldSlave, FIONREAD, &unread) != 0 || unread == 0)
            return;
        usleep(Step * 1000);
    }
}

void PseudoTerminal::close() {
    if (m_heldSlave >= 0)
        ::close(m_heldSlave);
    if (m_master >= 0)
        ::close(m_master);
    m_heldSlave = m_master = -1;
}

} // namespace radio
