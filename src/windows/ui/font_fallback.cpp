#include "ui/font_fallback.h"

#include <QEvent>
#include <QFont>
#include <QObject>
#include <QWidget>

namespace ui {

namespace {

// Gives the window its full font at its first show, and then goes.
class FallbackOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            static_cast<QWidget*>(watched)->setFont(QFont());
            deleteLater();
        }
        return false;
    }
};

} // namespace

void deferFontFallback(QWidget* window) {
    QFont font = window->font();
    font.setStyleStrategy(QFont::NoFontMerging);
    window->setFont(font);
    window->installEventFilter(new FallbackOnShow(window));
}

} // namespace ui
