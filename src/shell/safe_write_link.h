// A SafeWrite on Qt's event loop: the port's receive events and lost line,
// and the ticks of two 500 ms timers of its own, drive it. Its timers are
// its own so that it can share a port with another link (the main window's
// reads) without either's watchdog ticking for the other.
#pragma once

#include "link/qt/qt_timer.h"
#include "link/safe_write.h"

#include <QObject>
#include <QTimer>

namespace radiolink {
class SerialPort;
}

namespace shell {

class SafeWriteLink : public QObject {
  public:
    SafeWriteLink(radiolink::SerialPort& port, radiolink::SafeWriteView& view,
                  QObject* parent = nullptr);

    radiolink::SafeWrite& safeWrite() { return m_safeWrite; }

  private:
    QTimer m_timerW;
    QTimer m_timerMeg;
    radiolink::QtTimer m_w{m_timerW};
    radiolink::QtTimer m_meg{m_timerMeg};
    radiolink::SafeWrite m_safeWrite;
};

} // namespace shell
