// Ctrl+C (SIGINT), SIGTERM, a hang-up of the terminal (SIGHUP) or SIGQUIT,
// delivered as a Qt signal on the event loop: a transfer can tell the radio
// to end, and a port its lock file go, before we exit.
#pragma once

#include <QObject>
#include <csignal>

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

// The same signals held back over a short piece of work that must not be
// cut (a file's save and sync, outside any event loop): one that comes
// meanwhile waits for release(). Holds end in the order they began.
class HeldInterrupts {
  public:
    HeldInterrupts();
    ~HeldInterrupts();
    HeldInterrupts(const HeldInterrupts&) = delete;
    HeldInterrupts& operator=(const HeldInterrupts&) = delete;

    // Ends the hold: the signal that came meanwhile, taken so that it ends
    // nothing by itself, else 0.
    int release();

  private:
    bool m_held = false;
    sigset_t m_before{};
};

} // namespace ui
