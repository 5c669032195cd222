#include "ui/apply_language.h"

#include "words/language_table.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QMenu>
#include <QWidget>
#include <cstring>

namespace ui {

namespace {

// Twips to pixels at the classic 96 dots per inch.
int pixels(int twips) {
    return twips / 15;
}

// A control of `window`, not looking inside the editor windows it holds:
// the main window and its editors use the same names (Label1, Combo1).
QObject* findControl(const QObject* window, const QString& name) {
    for (QObject* child : window->children())
        if (child->objectName() == name)
            return child;
    for (QObject* child : window->children())
        if (!qobject_cast<QMdiSubWindow*>(child))
            if (QObject* found = findControl(child, name))
                return found;
    return nullptr;
}

// The window a row names. A table's rows come grouped by window, so the
// window found for one row is kept for the next rows of the same name.
class WindowLookup {
  public:
    explicit WindowLookup(QWidget* mainWindow) : m_mainWindow(mainWindow) {}

    QWidget* find(const char* name) {
        if (!m_name || std::strcmp(m_name, name) != 0) {
            m_name = name;
            m_window = m_mainWindow->objectName() == name ? m_mainWindow
                                                          : m_mainWindow->findChild<QWidget*>(name);
        }
        return m_window;
    }

  private:
    QWidget* m_mainWindow;
    const char* m_name = nullptr;
    QWidget* m_window = nullptr;
};

QObject* findTarget(WindowLookup& windows, const LanguageRow& row) {
    QWidget* window = windows.find(row.window);
    if (!window)
        return nullptr;
    if (*row.control == '\0')
        return window;
    return findControl(window, QString::fromUtf8(row.control));
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
    widget->setGeometry(pixels(parts[0].toInt()), pixels(parts[1].toInt()),
                        pixels(parts[2].toInt()), widget->height());
}

void applyRow(WindowLookup& windows, const LanguageRow& row, bool chinese) {
    const char* languageText = chinese ? row.zh : row.en;
    QObject* target = languageText ? findTarget(windows, row) : nullptr;
    if (!target)
        return;
    const QString text = QString::fromUtf8(languageText);
    switch (row.target) {
    case TextTarget::Caption:
        setCaption(target, text, *row.control == '\0');
        break;
    case TextTarget::ToolTip:
        if (auto* action = qobject_cast<QAction*>(target))
            action->setToolTip(text);
        else if (auto* widget = qobject_cast<QWidget*>(target))
            widget->setToolTip(text);
        break;
    case TextTarget::ListEntry:
        setListEntry(target, row.index, text);
        break;
    case TextTarget::HeaderCell:
        if (auto* view = qobject_cast<QAbstractItemView*>(target); view && view->model())
            view->model()->setHeaderData(row.index, Qt::Horizontal, text);
        break;
    case TextTarget::Geometry:
        setGeometry(target, text);
        break;
    }
}

} // namespace

void applyLanguageTable(QWidget* root, LanguageTable table, int language) {
    if (language != 0 && language != 1)
        return;
    WindowLookup windows(root);
    for (const LanguageRow& row : table)
        applyRow(windows, row, language == 0);
}

} // namespace ui
