#include "cli/window_dump.h"

#include <QJsonArray>
#include <algorithm>

namespace cli {

namespace {

void appendTable(QStringList& lines, const TableRows& rows) {
    QList<qsizetype> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    for (const QStringList& row : rows) {
        QString line = "    ";
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += "  ";
            line += row[c].leftJustified(widths[c]);
        }
        const auto end = std::find_if(line.crbegin(), line.crend(),
                                      [](QChar character) { return character != u' '; });
        line.truncate(line.crend() - end);
        lines << line;
    }
}

struct JsonOf {
    QJsonValue operator()(const QString& text) const { return text; }
    QJsonValue operator()(int number) const { return number; }
    QJsonValue operator()(bool checked) const { return checked; }
    QJsonValue operator()(const TableRows& rows) const {
        QJsonArray array;
        for (const QStringList& row : rows)
            array.append(QJsonArray::fromStringList(row));
        return array;
    }
};

} // namespace

QStringList formatAsText(const QList<ControlValue>& controls) {
    QStringList lines;
    for (const ControlValue& control : controls) {
        const QString title = control.caption.isEmpty()
                                  ? control.name
                                  : QString("%1 (%2)").arg(control.caption, control.name);
        if (const auto* rows = std::get_if<TableRows>(&control.value)) {
            lines << QString("  %1:").arg(title);
            appendTable(lines, *rows);
            continue;
        }
        const QString text = std::holds_alternative<bool>(control.value)
                                 ? (std::get<bool>(control.value) ? "checked" : "not checked")
                             : std::holds_alternative<int>(control.value)
                                 ? QString::number(std::get<int>(control.value))
                                 : std::get<QString>(control.value);
        lines << QString("  %1: %2").arg(title, text);
    }
    return lines;
}

QJsonObject formatAsJson(const QList<ControlValue>& controls) {
    QJsonObject object;
    for (const ControlValue& control : controls)
        object.insert(control.name, std::visit(JsonOf{}, control.value));
    return object;
}

} // namespace cli
