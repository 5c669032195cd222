#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

// Answers the next message box the code under test shows, by clicking the
// button with the given caption, and records what the box looked like.
struct SeenMessageBox {
    bool shown = false;
    QString title;
    QString text;
    QStringList buttons;
    QString defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline void answerNextMessageBox(const QString& caption, SeenMessageBox* seen = nullptr,
                                 int triesLeft = 3000) {
    QTimer::singleShot(10, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (triesLeft > 0)
                answerNextMessageBox(caption, seen, triesLeft - 1);
            return;
        }
        if (seen) {
            seen->shown = true;
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                seen->buttons << b->text();
            if (box->defaultButton())
                seen->defaultButton = box->defaultButton()->text();
        }
        for (QAbstractButton* b : box->buttons())
            if (b->text() == caption) {
                b->click();
                return;
            }
        box->reject(); // no such button: fail visibly in the caller's checks
    });
}

// Watches for message boxes while it lives: any that shows is recorded and
// closed, so a test that expects none neither hangs nor leaves a driver behind.
class UnexpectedMessageBoxes : public QObject {
  public:
    UnexpectedMessageBoxes() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->reject();
            }
        });
        m_timer.start();
    }
    QStringList texts;

  private:
    QTimer m_timer;
};
