// A SafeWrite on Qt's event loop: its port's receive events, a lost line and
// the ticks of its own two 500 ms timers drive it. One per port; any number
// run side by side.
#pragma once

#include "link/safe_write.h"
#include "platform/qt_timer.h"

#include <QObject>
#include <QTimer>

namespace radiolink {

class SerialPort;

class QtSafeWrite : public QObject {
  public:
    QtSafeWrite(SerialPort& port, SafeWriteView& view, QObject* parent = nullptr);

    SafeWrite& safeWrite() { return m_safeWrite; }

  private:
    QTimer m_timerW;
    QTimer m_timerMeg;
    QtTimer m_w{m_timerW};
    QtTimer m_meg{m_timerMeg};
    SafeWrite m_safeWrite;
};

} // namespace radiolink
