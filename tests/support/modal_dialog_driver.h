#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs `act` on the next modal dialog named `name` once it shows, as a user
// would act on it; the caller's checks run after the dialog has closed. A
// dialog that never shows leaves `act` unrun.
inline void whenDialogShows(const QString& name, std::function<void(QDialog*)> act,
                            int triesLeft = 3000) {
    QTimer::singleShot(10, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != name) {
            if (triesLeft > 0)
                whenDialogShows(name, act, triesLeft - 1);
            return;
        }
        act(dialog);
    });
}

// While it lives, closes every modal dialog named `name` that shows and
// counts them, so a test that expects none neither hangs nor leaves a driver
// behind for the next test.
class UnexpectedDialogs : public QObject {
  public:
    explicit UnexpectedDialogs(const QString& name) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this, name] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->objectName() == name) {
                ++shown;
                dialog->reject();
            }
        });
        m_timer.start();
    }
    int shown = 0;

  private:
    QTimer m_timer;
};
