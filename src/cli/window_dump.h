#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <variant>

namespace cli {

// A table's rows of cell texts, its title row first.
using TableRows = QList<QStringList>;

// What a window shows: every list, box, slider, check box and table the
// user can see, keyed by the control's name, with the caption the window
// puts beside it.
struct ControlValue {
    QString name;
    QString caption;
    std::variant<QString, int, bool, TableRows> value; // text, number, check, or a table
};

// "caption (name): value" lines, tables as aligned rows.
QStringList formatAsText(const QList<ControlValue>& controls);

QJsonObject formatAsJson(const QList<ControlValue>& controls);

} // namespace cli
