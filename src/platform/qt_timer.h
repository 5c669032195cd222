// TimerW and TimerMeg as the engine sees them: a QTimer of the caller's,
// ticking every 500 ms while started.
#pragma once

#include "link/link_engine.h"

class QTimer;

namespace radiolink {

inline constexpr int TransferTickMs = 500;

class QtTimer final : public Timer {
  public:
    // Sets the timer's interval to TransferTickMs.
    explicit QtTimer(QTimer& timer);
    void start() override;
    void stop() override;

  private:
    QTimer& m_timer;
};

} // namespace radiolink
