#include "shell/read_only_table.h"

#include "words/language_text.h"

#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

namespace shell {

void makeReadOnlyList(QTableView& table) {
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.setTabKeyNavigation(false);
    table.setWordWrap(false);
    table.verticalHeader()->hide();
    table.horizontalHeader()->setStretchLastSection(true);
}

namespace {

// What a column's title takes in the header's bold font.
int titleWidth(const QTableView& table, int column) {
    const QHeaderView* header = table.horizontalHeader();
    const QString title = table.model()->headerData(column, Qt::Horizontal).toString();
    if (title.isEmpty())
        return 0;
    QFont bold = header->font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) +
           4 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
}

} // namespace

int fittedWidth(const QTableView& table) {
    const QHeaderView* header = table.horizontalHeader();
    const int columns = table.model()->columnCount();
    int width = 0;
    for (int column = 0; column < columns; ++column) {
        const bool stretched = header->stretchLastSection() && column == columns - 1;
        // A stretched column never narrows below the header's default size.
        width +=
            stretched
                ? std::max({static_cast<const QAbstractItemView&>(table).sizeHintForColumn(column),
                            titleWidth(table, column), header->defaultSectionSize()})
                : header->sectionSize(column);
    }
    return width;
}

void fitTableToTexts(QTableView& table) {
    constexpr int MeasuredRows = 100;
    table.ensurePolished();
    // Qt measures a column by its first thousand rows at most.
    table.resizeColumnsToContents();
    QHeaderView* rows = table.verticalHeader();
    int height = rows->minimumSectionSize();
    for (int row = 0; row < std::min(table.model()->rowCount(), MeasuredRows); ++row)
        height = std::max(height, static_cast<const QAbstractItemView&>(table).sizeHintForRow(row));
    {
        // Each row would tell the view of its new height: a long list is
        // laid out once instead.
        const QSignalBlocker quiet(rows);
        rows->setDefaultSectionSize(height);
    }
    table.doItemsLayout();
    QHeaderView* header = table.horizontalHeader();
    for (int column = 0; column < table.model()->columnCount(); ++column)
        header->resizeSection(column,
                              std::max(header->sectionSize(column), titleWidth(table, column)));
}

void setHeaderTitles(QTableWidget& table, const ui::LanguageTable& texts, const char* window,
                     int language) {
    const QByteArray control = table.objectName().toUtf8();
    for (int column = 0; column < table.columnCount(); ++column)
        table.setHorizontalHeaderItem(column, new QTableWidgetItem(ui::languageText(
                                                  texts, window, control.constData(),
                                                  ui::TextTarget::HeaderCell, column, language)));
}

QPushButton* addButton(QDialogButtonBox& buttons, const char* name,
                       QDialogButtonBox::ButtonRole role, const QString& caption) {
    auto* button = new QPushButton(caption, buttons.parentWidget());
    button->setObjectName(name);
    buttons.addButton(button, role);
    return button;
}

void onDeleteKey(QTableView& table, std::function<void()> action) {
    auto* key =
        new QShortcut(QKeySequence(Qt::Key_Delete), &table, nullptr, nullptr, Qt::WidgetShortcut);
    QObject::connect(key, &QShortcut::activated, &table, std::move(action));
}

} // namespace shell
