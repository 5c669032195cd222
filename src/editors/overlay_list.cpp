#include "editors/overlay_list.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace editors {

OverlayList::OverlayList(QWidget* parent) : QComboBox(parent) {
    // A list that drops down below the cell and scrolls, rather than a
    // screen-high menu of all 261 tones.
    setStyleSheet("QComboBox { combobox-popup: 0; }");
    setMaxVisibleItems(12);
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
