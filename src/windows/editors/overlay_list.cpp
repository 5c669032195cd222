#include "editors/overlay_list.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QProxyStyle>

namespace editors {

namespace {

// The widget's own style, except that the list drops down below the box and
// scrolls instead of opening as a menu over it.
class DropDownStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

OverlayList::OverlayList(QWidget* parent) : QComboBox(parent) {
    // A list that drops down below the cell and scrolls, rather than a
    // screen-high menu of all 261 tones. A proxy of the style costs far less
    // at start-up than a style sheet, which brings in the style sheet engine.
    auto* dropDown = new DropDownStyle(style()->name());
    dropDown->setParent(this);
    setStyle(dropDown);
    setMaxVisibleItems(12);
    // Its width follows its entries in the language in force (see openOverlay).
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

void OverlayList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        emit escapePressed();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit activated(currentIndex());
        return; // take the entry shown
    default:
        break;
    }
    QComboBox::keyPressEvent(event);
}

void OverlayList::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // The own list takes the focus while it is dropped down.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason &&
        !view()->isVisible())
        emit focusLost();
}

} // namespace editors
