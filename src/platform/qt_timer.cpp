#include "platform/qt_timer.h"

#include <QTimer>

namespace radiolink {

QtTimer::QtTimer(QTimer& timer) : m_timer(timer) {
    m_timer.setInterval(TransferTickMs);
}

void QtTimer::start() {
    m_timer.start();
}

void QtTimer::stop() {
    m_timer.stop();
}

} // namespace radiolink
