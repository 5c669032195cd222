// A pseudo-terminal pair for tests: the program opens the slave as its serial
// port, the test plays the far end on the master.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <QTest>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

class PseudoTerminal {
  public:
    PseudoTerminal() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        // The slave keeps the system's default line settings (echo, canonical
        // input, XON/XOFF): whatever the program needs it must set itself.
        m_slave = QString::fromLocal8Bit(::ptsname(m_master));
    }
    ~PseudoTerminal() { hangUp(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return m_master >= 0 && !m_slave.isEmpty(); }
    // The device the program opens.
    const QString& slavePath() const { return m_slave; }
    // The slave's line settings, as the program left them.
    termios lineSettings() const {
        termios t{};
        ::tcgetattr(m_master, &t);
        return t;
    }

    // The far end sends.
    bool write(const QByteArray& bytes) {
        return ::write(m_master, bytes.constData(), static_cast<size_t>(bytes.size())) ==
               bytes.size();
    }
    // Collects what the program sent, keeping the event loop running, until
    // `count` bytes came or `ms` passed.
    QByteArray read(int count, int ms = 2000) {
        QByteArray got;
        const QDeadlineTimer deadline(ms);
        while (got.size() < count && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 5) > 0 && (p.revents & POLLIN)) {
                char buffer[4096];
                const ssize_t n = ::read(m_master, buffer, sizeof buffer);
                if (n > 0)
                    got.append(buffer, n);
            }
        }
        return got;
    }
    // The far end goes away: the slave sees a hang-up.
    void hangUp() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

  private:
    int m_master = -1;
    QString m_slave;
};
