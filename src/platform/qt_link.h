// A LinkEngine on Qt's event loop: the port's receive events and the ticks
// of the two 500 ms timers drive it. The windows and the command line each
// give it their port, timers and view.
#pragma once

#include "link/link_engine.h"
#include "platform/qt_timer.h"

#include <QObject>

class QTimer;

namespace radiolink {

class SerialPort;

class QtLink : public QObject {
  public:
    QtLink(SerialPort& port, QTimer& timerW, QTimer& timerMeg, TransferView& view,
           image::MemoryImage& receiveImage, image::MemoryImage& transmitImage,
           QObject* parent = nullptr);

    LinkEngine& engine() { return m_engine; }

  private:
    QtTimer m_timerW;
    QtTimer m_timerMeg;
    LinkEngine m_engine;
};

} // namespace radiolink
