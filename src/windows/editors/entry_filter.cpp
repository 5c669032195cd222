#include "editors/entry_filter.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace editors {

EntryFilter::EntryFilter(QLineEdit* box, CharacterFilter::Take take, Check leaveCheck,
                         int maxLength)
    : QObject(box), m_box(box), m_characters(new CharacterFilter(take, maxLength, this)),
      m_leaveCheck(std::move(leaveCheck)), m_maxLength(maxLength) {
    box->setValidator(m_characters);
    box->installEventFilter(this);
}

void EntryFilter::runLeaveCheck() {
    const QString corrected = QString::fromStdString(m_leaveCheck(m_box->text().toStdString()));
    if (corrected != m_box->text())
        showText(corrected);
    emit settled();
}

// The validator would filter a text set by the program as well; it is taken
// away for that one change.
void EntryFilter::showText(const QString& text) {
    m_box->setValidator(nullptr);
    m_box->setText(text);
    m_box->setValidator(m_characters);
}

void EntryFilter::stop() {
    m_box->removeEventFilter(this);
}

void detachControls(QWidget& window) {
    for (EntryFilter* filter : window.findChildren<EntryFilter*>())
        filter->stop();
    for (QObject* control : window.findChildren<QObject*>())
        QObject::disconnect(control, nullptr, &window, nullptr);
}

bool EntryFilter::isFull() const {
    return m_maxLength > 0 && m_box->text().size() - m_box->selectedText().size() >= m_maxLength;
}

bool EntryFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_box) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                runLeaveCheck();
                return true;
            }
            if (!key->text().isEmpty() && key->text().front().isPrint() && isFull())
                return true;
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            runLeaveCheck();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace editors
