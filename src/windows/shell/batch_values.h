// The values each radio of a batch gets of its own, as the batch window
// takes them: "KEY=VALUE" entries apart by spaces, a value with a space in
// quotes as a shell takes it (features.time_out="60 S"), a + after the
// digits counting from radio to radio ("dtmf.own_code=1001+").
#pragma once

#include "settings/value_pattern.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace shell {

struct BatchValues {
    std::vector<settings::ValuePattern> patterns;
    QString error; // why the text cannot be used, in the language in force
};

BatchValues parseBatchValues(const QString& text);

// Why the radio on `port` cannot get `value` on a radio of `band`, in the
// language in force; empty when it can. A list takes its entries in the
// language in force as well as in English.
QString batchValueRefusal(const settings::ValuePattern& pattern, int port, int band,
                          const QString& value);

// The settings worth varying from radio to radio, each as "key  (caption)":
// those the memory holds once, not per channel, and not the band.
QStringList variableSettings();

} // namespace shell
