#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace cli {

// What a window shows: every list, box, slider, check box and table the
// user can see, keyed by the control's name, with the caption the window
// puts beside it.
struct ControlValue {
    QString name;
    QString caption;
    QJsonValue value; // text, number, true/false, or rows of cell texts
};

// "caption (name): value" lines, tables as aligned rows.
QStringList formatAsText(const QList<ControlValue>& controls);

QJsonObject formatAsJson(const QList<ControlValue>& controls);

} // namespace cli
