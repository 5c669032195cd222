#include "shell/apply_language.h"

#include "shell/language_table.h"
#include "shell/program_flags.h"
#include "shell/twips.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QMenu>
#include <QWidget>

namespace shell {

namespace {

QObject* findTarget(QWidget* mainWindow, const LanguageRow& row) {
    QWidget* window = mainWindow->objectName() == row.window
                          ? mainWindow
                          : mainWindow->findChild<QWidget*>(row.window);
    if (!window)
        return nullptr;
    if (*row.control == '\0')
        return window;
    // Child windows reuse control names (the band list and the channel
    // table's tone list are both Combo1): a window's control is the one not
    // inside a child window of its own.
    for (QObject* control : window->findChildren<QObject*>(row.control)) {
        QObject* parent = control->parent();
        while (parent != window && !qobject_cast<QMdiSubWindow*>(parent))
            parent = parent->parent();
        if (parent == window)
            return control;
    }
    return nullptr;
}

void setCaption(QObject* target, const QString& text, bool isWindow) {
    if (isWindow)
        static_cast<QWidget*>(target)->setWindowTitle(text);
    else if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(target))
        frame->setTitle(text);
    else
        target->setProperty("text", text);
}

void setListEntry(QObject* target, int index, const QString& text) {
    auto* list = qobject_cast<QComboBox*>(target);
    if (!list)
        return;
    if (index < list->count())
        list->setItemText(index, text);
    else if (index == list->count())
        list->addItem(text);
}

void setGeometry(QObject* target, const QString& text) {
    auto* widget = qobject_cast<QWidget*>(target);
    const QStringList parts = text.split(',');
    if (!widget || parts.size() != 3)
        return;
    widget->setGeometry(pixelsFromTwips(parts[0].toInt()), pixelsFromTwips(parts[1].toInt()),
                        pixelsFromTwips(parts[2].toInt()), widget->height());
}

void applyRow(QWidget* mainWindow, const LanguageRow& row, bool chinese) {
    QObject* target = findTarget(mainWindow, row);
    if (!target)
        return;
    const QString text = QString::fromUtf8(chinese ? row.zh : row.en);
    switch (row.target) {
    case TextTarget::Caption: setCaption(target, text, *row.control == '\0'); break;
    case TextTarget::ToolTip:
        if (auto* action = qobject_cast<QAction*>(target))
            action->setToolTip(text);
        else if (auto* widget = qobject_cast<QWidget*>(target))
            widget->setToolTip(text);
        break;
    case TextTarget::ListEntry: setListEntry(target, row.index, text); break;
    case TextTarget::HeaderCell:
        if (auto* view = qobject_cast<QAbstractItemView*>(target); view && view->model())
            view->model()->setHeaderData(row.index, Qt::Horizontal, text);
        break;
    case TextTarget::Geometry: setGeometry(target, text); break;
    }
}

} // namespace

void ApplyLanguage(QWidget* mainWindow) {
    if (UILanguage != 0 && UILanguage != 1)
        return;
    const bool chinese = UILanguage == 0;
    for (const LanguageTable& table : languageTables())
        for (const LanguageRow& row : table)
            applyRow(mainWindow, row, chinese);
}

} // namespace shell
