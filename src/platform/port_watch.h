// A CableWatch on Qt's event loop: its own serial port, opened for the
// probes and ticked every 500 ms. A port whose device is absent is a port
// with no radio: it is opened again at every tick. Once a radio has
// arrived the port is closed for the caller's write, and the watch waits
// until the caller says the radio has been dealt with.
#pragma once

#include "link/cable_watch.h"
#include "platform/serial_port.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace radiolink {

class PortWatch : public QObject {
    Q_OBJECT
  public:
    // `open` opens the port the user chose on the port it is given.
    explicit PortWatch(std::function<bool(SerialPort&)> open, QObject* parent = nullptr);

    // The first probe at once.
    void start();
    // No more probes; a probe in flight ends with "E", and the port closes.
    void stop();
    // The radio that arrived has been written or refused: the watch now waits
    // for it to leave. `lineLost`: the line went away meanwhile, so it has.
    void radioDealtWith(bool lineLost);

    // The port probed: its device and why it last failed to open.
    const SerialPort& port() const { return m_port; }
    const ProbeAnswer& arrival() const { return m_watch.arrival(); }

  signals:
    // The port is closed by now, for the write.
    void radioArrived();
    void radioLeft();
    // The port did not open, for another reason than the last time.
    void openFailed();

  private:
    void tick();
    bool openForProbes();
    void take(CableWatch::Event event);

    std::function<bool(SerialPort&)> m_open;
    SerialPort m_port;
    CableWatch m_watch{m_port};
    QTimer m_ticks;
    PortFailure m_toldFailure = PortFailure::None;
    bool m_withCaller = false; // from radioArrived to radioDealtWith
};

} // namespace radiolink
