#include "cli/window_dump.h"

#include "ui/language_text.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTableView>

namespace cli {

namespace {

// The label the window puts beside a control, else the frame around it.
QString captionOf(const QWidget& window, const QWidget& control) {
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() == &control)
            return ui::plainCaption(label->text());
    if (const auto* box = qobject_cast<const QCheckBox*>(&control))
        return ui::plainCaption(box->text());
    for (const QWidget* w = control.parentWidget(); w && w != &window; w = w->parentWidget())
        if (const auto* frame = qobject_cast<const QGroupBox*>(w))
            return ui::plainCaption(frame->title());
    return {};
}

// Rows of cell texts, the header row first; hidden rows and columns skipped.
QJsonArray tableRows(const QTableView& table) {
    const QAbstractItemModel* model = table.model();
    QJsonArray rows;
    QJsonArray header;
    for (int c = 0; c < model->columnCount(); ++c)
        if (!table.isColumnHidden(c))
            header.append(model->headerData(c, Qt::Horizontal).toString());
    rows.append(header);
    for (int r = 0; r < model->rowCount(); ++r) {
        if (table.isRowHidden(r))
            continue;
        QJsonArray cells;
        for (int c = 0; c < model->columnCount(); ++c)
            if (!table.isColumnHidden(c))
                cells.append(model->index(r, c).data().toString());
        rows.append(cells);
    }
    return rows;
}

std::optional<QJsonValue> valueOf(const QWidget& control) {
    if (const auto* list = qobject_cast<const QComboBox*>(&control))
        return QJsonValue(list->currentText());
    if (const auto* box = qobject_cast<const QLineEdit*>(&control))
        return QJsonValue(box->text());
    if (const auto* slider = qobject_cast<const QSlider*>(&control))
        return QJsonValue(slider->value());
    if (const auto* check = qobject_cast<const QCheckBox*>(&control))
        return QJsonValue(check->isChecked());
    if (const auto* table = qobject_cast<const QTableView*>(&control))
        return QJsonValue(tableRows(*table));
    return std::nullopt;
}

} // namespace

QList<ControlValue> readWindow(const QWidget& window) {
    QList<ControlValue> controls;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        // Controls the window hides itself (an overlay editor, a list it never
        // shows) are skipped; those on a page not shown at the moment are not.
        if (control->objectName().isEmpty() || control->objectName().startsWith("qt_") ||
            control->isHidden())
            continue;
        if (const auto value = valueOf(*control))
            controls.append({control->objectName(), captionOf(window, *control), *value});
    }
    return controls;
}

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
