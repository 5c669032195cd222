// Ctrl+C (SIGINT), SIGTERM, a hang-up of the terminal (SIGHUP) or SIGQUIT,
// delivered as a Qt signal on the event loop: a transfer can tell the radio
// to end, and a port its lock file go, before we exit.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace ui {

class InterruptNotifier : public QObject {
    Q_OBJECT
  public:
    // Takes over those signals until destroyed; one object at a time.
    explicit InterruptNotifier(QObject* parent = nullptr);
    ~InterruptNotifier() override;

  signals:
    void interrupted(int signal);

  private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace ui
