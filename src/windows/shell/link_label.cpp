#include "shell/link_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace shell {

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setForegroundRole(QPalette::Link);
    setCursor(Qt::PointingHandCursor);
    // Not a text to select: Ctrl+A on it would paint it as selected. This
    // also sets the focus policy, so the policy comes after it.
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::StrongFocus);
    // Room for the focus frame around the text.
    setContentsMargins(2, 2, 2, 2);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit activated();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit activated();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A dotted frame: some styles fill their focus frame, which would hide
    // the link's text.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Link), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace shell
