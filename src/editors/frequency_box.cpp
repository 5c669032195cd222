#include "editors/frequency_box.h"

#include <QKeyEvent>
#include <algorithm>

namespace editors {

namespace {

constexpr int FrequencyFormLength = 9; // "000.00000"

bool isFrequencyCharacter(QChar c) {
    return c.isDigit() || c == u'.';
}

} // namespace

FrequencyBox::FrequencyBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(FrequencyFormLength);
    setAlignment(Qt::AlignCenter);
    // Text gets in only through the key filter.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
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
    case Qt::Key_Backspace:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::Paste))
        return;
    // Keys that type a character are filtered; editing and moving keys
    // (Delete, arrows, Home, End, copy) work as usual.
    const QString text = event->text();
    const bool typesCharacter = !text.isEmpty() && text.front().isPrint() &&
                                !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typesCharacter && !std::all_of(text.begin(), text.end(), isFrequencyCharacter))
        return;
    QLineEdit::keyPressEvent(event);
}

void FrequencyBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Switching to another program or opening a menu is no leaving of the box.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

} // namespace editors
