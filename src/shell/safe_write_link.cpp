#include "shell/safe_write_link.h"

#include "link/qt/serial_port.h"

namespace shell {

SafeWriteLink::SafeWriteLink(radiolink::SerialPort& port, radiolink::SafeWriteView& view,
                             QObject* parent)
    : QObject(parent), m_safeWrite(port, m_w, m_meg, view) {
    connect(&port, &radiolink::SerialPort::received, this, [this](const QByteArray& bytes) {
        m_safeWrite.bytesReceived(radiolink::bytesOf(bytes));
    });
    connect(&port, &radiolink::SerialPort::lineLost, this, [this] { m_safeWrite.lineLost(); });
    connect(&m_timerW, &QTimer::timeout, this, [this] { m_safeWrite.timerWTick(); });
    connect(&m_timerMeg, &QTimer::timeout, this, [this] { m_safeWrite.timerMegTick(); });
}

} // namespace shell
