#include "platform/qt_link.h"

#include "platform/serial_port.h"

#include <QTimer>

namespace radiolink {

QtLink::QtLink(SerialPort& port, QTimer& timerW, QTimer& timerMeg, TransferView& view,
               image::MemoryImage& receiveImage, image::MemoryImage& transmitImage, QObject* parent)
    : QObject(parent), m_timerW(timerW), m_timerMeg(timerMeg),
      m_engine(port, m_timerW, m_timerMeg, view, receiveImage, transmitImage) {
    connect(&port, &SerialPort::received, this,
            [this](const QByteArray& bytes) { m_engine.bytesReceived(bytesOf(bytes)); });
    connect(&timerW, &QTimer::timeout, this, [this] { m_engine.timerWTick(); });
    connect(&timerMeg, &QTimer::timeout, this, [this] { m_engine.timerMegTick(); });
}

} // namespace radiolink
