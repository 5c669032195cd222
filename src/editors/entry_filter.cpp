#include "editors/entry_filter.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace editors {

EntryFilter::EntryFilter(QLineEdit* box, QString allowed, Check leaveCheck, int maxLength)
    : QObject(box), m_box(box), m_allowed(std::move(allowed)), m_leaveCheck(std::move(leaveCheck)),
      m_maxLength(maxLength) {
    box->installEventFilter(this);
}

void EntryFilter::runLeaveCheck() {
    const QString corrected = QString::fromStdString(m_leaveCheck(m_box->text().toStdString()));
    if (corrected != m_box->text())
        m_box->setText(corrected);
}

bool EntryFilter::isRefused(const QString& typed) const {
    qsizetype printable = 0;
    for (QChar c : typed) {
        if (!c.isPrint())
            continue;
        if (!m_allowed.contains(c))
            return true;
        ++printable;
    }
    const qsizetype kept = m_box->text().size() - m_box->selectedText().size();
    return printable > 0 && m_maxLength > 0 && kept + printable > m_maxLength;
}

bool EntryFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_box) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                runLeaveCheck();
                return true;
            }
            if (isRefused(key->text()))
                return true;
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            runLeaveCheck();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace editors
