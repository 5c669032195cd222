#include "platform/port_watch.h"

#include "platform/qt_timer.h"

#include <utility>

namespace radiolink {

PortWatch::PortWatch(std::function<bool(SerialPort&)> open, QObject* parent)
    : QObject(parent), m_open(std::move(open)) {
    m_ticks.setInterval(TransferTickMs);
    connect(&m_ticks, &QTimer::timeout, this, &PortWatch::tick);
    connect(&m_port, &SerialPort::received, this,
            [this](const QByteArray& bytes) { take(m_watch.bytesReceived(bytesOf(bytes))); });
    connect(&m_port, &SerialPort::lineLost, this, [this] { take(m_watch.lineLost()); });
}

void PortWatch::start() {
    m_ticks.start();
    tick();
}

void PortWatch::stop() {
    m_ticks.stop();
    m_watch.stop();
    m_port.close();
}

void PortWatch::radioDealtWith(bool lineLost) {
    m_withCaller = false;
    m_watch.radioStays();
    if (lineLost)
        take(m_watch.lineLost());
}

void PortWatch::tick() {
    if (m_withCaller)
        return;
    take(openForProbes() ? m_watch.tick() : m_watch.portClosed());
}

bool PortWatch::openForProbes() {
    if (m_port.isOpen())
        return true;
    if (m_open(m_port)) {
        m_toldFailure = PortFailure::None;
        return true;
    }
    if (m_port.failure() != m_toldFailure) {
        m_toldFailure = m_port.failure();
        emit openFailed();
    }
    return false;
}

void PortWatch::take(CableWatch::Event event) {
    switch (event) {
    case CableWatch::Event::RadioArrived:
        // The write opens the port on its own.
        m_port.close();
        m_withCaller = true;
        emit radioArrived();
        break;
    case CableWatch::Event::RadioLeft:
        emit radioLeft();
        break;
    case CableWatch::Event::None:
        break;
    }
}

} // namespace radiolink
