#include "cli/window_dump.h"

#include <QJsonArray>

namespace cli {

QStringList formatAsText(const QList<ControlValue>& controls) {
    QStringList lines;
    for (const ControlValue& control : controls) {
        const QString title = control.caption.isEmpty()
                                  ? control.name
                                  : QString("%1 (%2)").arg(control.caption, control.name);
        if (!control.value.isArray()) {
            const QJsonValue& v = control.value;
            const QString text = v.isBool()     ? (v.toBool() ? "checked" : "not checked")
                                 : v.isDouble() ? QString::number(v.toInt())
                                                : v.toString();
            lines << QString("  %1: %2").arg(title, text);
            continue;
        }
        lines << QString("  %1:").arg(title);
        const QJsonArray rows = control.value.toArray();
        QList<int> widths;
        for (const QJsonValue& row : rows)
            for (int c = 0; c < row.toArray().size(); ++c) {
                if (widths.size() <= c)
                    widths.append(0);
                widths[c] = std::max(widths[c], int(row.toArray()[c].toString().size()));
            }
        for (const QJsonValue& row : rows) {
            QStringList cells;
            const QJsonArray array = row.toArray();
            for (int c = 0; c < array.size(); ++c)
                cells << array[c].toString().leftJustified(widths[c]);
            QString line = "    " + cells.join("  ");
            while (line.endsWith(' '))
                line.chop(1);
            lines << line;
        }
    }
    return lines;
}

QJsonObject formatAsJson(const QList<ControlValue>& controls) {
    QJsonObject object;
    for (const ControlValue& control : controls)
        object.insert(control.name, control.value);
    return object;
}

} // namespace cli
