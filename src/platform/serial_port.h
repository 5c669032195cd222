// The serial port the transfers talk through (MSComm1 of old), over
// QSerialPort: 9600 baud 8N1 without flow control, bytes sent all at once,
// and the receive threshold of the old control emulated. It needs no
// widgets, so the command line uses it under a QCoreApplication too.
#pragma once

#include "link/link_engine.h"
#include "link/port_failure.h"
#include "platform/port_names.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <cstdint>
#include <span>

namespace radiolink {

class SerialPort : public QObject, public Port {
    Q_OBJECT
  public:
    explicit SerialPort(QObject* parent = nullptr);

    // Port `number` (1..16), reached as portDeviceName says. Whatever was
    // open is closed first; false when the port did not open (see failure()),
    // InUse also when another port object holds the same device under any
    // name (a lock on the device, which root does not bypass).
    bool openPort(int number, const PortPlaces& places = defaultPortPlaces());
    // A device by its path (a bare name is taken as one under /dev, as Qt does).
    bool openDevice(const QString& device);
    // The device openDevice opens for that name: links and "../" resolved,
    // so two spellings of one device give one path.
    static QString devicePath(const QString& device);
    void close();

    bool isOpen() const override;
    void send(std::span<const std::uint8_t> bytes) override;
    // Reads and drops whatever comes until the line has been quiet for
    // `quietMs` (at most `limitMs` in all), raising no receive event. For a
    // transfer ended from our side: the radio's last answers (the rest of a
    // block, its 0x06 to "E") are taken here instead of reaching the next
    // transfer on this line as if they were its own.
    void drainInput(int quietMs, int limitMs);
    // 1 when the port opens; it stays at the last value set.
    void setReceiveThreshold(int bytes) override;
    std::vector<std::uint8_t> takeWaiting() override;
    int receiveThreshold() const { return m_threshold; }

    // The device last opened or tried.
    const QString& deviceName() const { return m_device; }
    // Why the last open failed (None after a good one), and the system's
    // own words for it.
    PortFailure failure() const { return m_failure; }
    const QString& systemErrorText() const { return m_systemText; }

  signals:
    // A receive event: every waiting byte, raised once at least the
    // threshold's number of bytes is waiting.
    void received(const QByteArray& bytes);
    // The line went away (the other end hung up, the adapter was pulled):
    // the port is closed by then.
    void lineLost();

  private:
    void deliverWaitingBytes();
    void onError(QSerialPort::SerialPortError error);
    void diagnoseOpenFailure(const QString& location);
    // Holds the opened device for this port alone; false when another port
    // object, in this process or another, holds it.
    bool lockDevice();

    QSerialPort* m_serial;
    int m_threshold = 1;
    int m_openings = 0; // tells a lost line from the port opened after it
    QString m_device;
    PortFailure m_failure = PortFailure::None;
    QString m_systemText;
};

// The bytes of a receive event as the engine takes them.
inline std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

} // namespace radiolink
