#include "shell/read_only_table.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>

namespace shell {

void makeReadOnlyList(QTableWidget& table) {
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.setTabKeyNavigation(false);
    table.setWordWrap(false);
    table.verticalHeader()->hide();
    table.horizontalHeader()->setStretchLastSection(true);
}

void fitTableToTexts(QTableWidget& table) {
    table.ensurePolished();
    table.resizeColumnsToContents();
    table.resizeRowsToContents();
    QHeaderView* header = table.horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int margins = 4 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int column = 0; column < table.columnCount(); ++column)
        if (const QTableWidgetItem* title = table.horizontalHeaderItem(column))
            header->resizeSection(column,
                                  std::max(header->sectionSize(column),
                                           metrics.horizontalAdvance(title->text()) + margins));
}

} // namespace shell
