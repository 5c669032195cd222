#include "editors/frequency_box.h"

#include "editors/character_filter.h"

#include <QKeyEvent>

namespace editors {

namespace {

constexpr int FrequencyFormLength = 9; // "000.00000"

} // namespace

FrequencyBox::FrequencyBox(QWidget* parent) : QLineEdit(parent) {
    setValidator(new CharacterFilter(frequencyKey, FrequencyFormLength, this));
    setAlignment(Qt::AlignCenter);
    setContextMenuPolicy(Qt::NoContextMenu); // a menu would take the focus away
}

void FrequencyBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterPressed();
        return;
    case Qt::Key_Escape:
        emit escapePressed();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void FrequencyBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Switching to another program or opening a menu is no leaving of the box.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

} // namespace editors
