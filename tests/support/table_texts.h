// What a table widget shows, for tests that read one.
#pragma once

#include <QStringList>
#include <QTableWidget>

// The texts of `row`, column by column.
inline QStringList rowTexts(const QTableWidget* table, int row) {
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << table->item(row, column)->text();
    return texts;
}
