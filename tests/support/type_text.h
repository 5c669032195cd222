#pragma once

#include <QTest>
#include <QWidget>

// Types `text` into `widget` a character at a time, as a keyboard whose
// layout holds those characters would; QTest::keyClicks knows Latin-1 only.
inline void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
