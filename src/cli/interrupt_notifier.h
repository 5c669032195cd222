// Ctrl+C (SIGINT), SIGTERM, a hang-up of the terminal (SIGHUP) or SIGQUIT
// during a transfer, delivered as a Qt signal on the event loop, so the
// transfer can tell the radio to end before we exit.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace cli {

class InterruptNotifier : public QObject {
    Q_OBJECT
  public:
    // Takes over those signals until destroyed; one object at a time.
    explicit InterruptNotifier(QObject* parent = nullptr);
    ~InterruptNotifier() override;

  signals:
    void interrupted();

  private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace cli
