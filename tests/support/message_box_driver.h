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
