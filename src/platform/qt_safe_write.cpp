#include "platform/qt_safe_write.h"

#include "platform/serial_port.h"

namespace radiolink {

QtSafeWrite::QtSafeWrite(SerialPort& port, SafeWriteView& view, QObject* parent)
    : QObject(parent), m_safeWrite(port, m_w, m_meg, view) {
    connect(&port, &SerialPort::received, this,
            [this](const QByteArray& bytes) { m_safeWrite.bytesReceived(bytesOf(bytes)); });
    connect(&port, &SerialPort::lineLost, this, [this] { m_safeWrite.lineLost(); });
    connect(&m_timerW, &QTimer::timeout, this, [this] { m_safeWrite.timerWTick(); });
    connect(&m_timerMeg, &QTimer::timeout, this, [this] { m_safeWrite.timerMegTick(); });
}

} // namespace radiolink
