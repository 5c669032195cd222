#include "shell/batch_values.h"

#include "settings/catalogue.h"
#include "settings/phrase.h"
#include "settings/value_gate.h"
#include "words/program_flags.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace shell {

namespace {

QString inForce(const settings::Phrase& phrase) {
    return QString::fromStdString(phrase.in(ui::UILanguage));
}

// The entries of the text, split at blanks outside quotes, the quotes taken
// away; nothing when a quote is left open or a comma stands between two
// entries, `error` then saying why.
std::optional<QStringList> splitEntries(const QString& text, settings::Phrase& error) {
    QStringList entries;
    QString entry;
    bool inEntry = false;
    QChar quote;
    for (const QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                entry += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
            inEntry = true;
        } else if (c.isSpace()) {
            if (inEntry)
                entries << entry;
            entry.clear();
            inEntry = false;
        } else if (c == ',' || c == QChar(0xFF0C)) {
            error = settings::Phrase{"条目之间用空格分开，不用逗号：", "entries are apart by "
                                                                       "spaces, not commas: "} +
                    settings::both(text.toStdString());
            return std::nullopt;
        } else {
            entry += c;
            inEntry = true;
        }
    }
    if (!quote.isNull()) {
        error = settings::Phrase{"引号没有结束：", "a quote is not closed: "} +
                settings::both(text.toStdString());
        return std::nullopt;
    }
    if (inEntry)
        entries << entry;
    return entries;
}

} // namespace

BatchValues parseBatchValues(const QString& text) {
    BatchValues values;
    settings::Phrase error;
    const std::optional<QStringList> entries = splitEntries(text, error);
    for (const QString& entry : entries.value_or(QStringList())) {
        std::optional<settings::ValuePattern> pattern =
            settings::parsePattern(entry.toStdString(), error);
        if (pattern && std::ranges::any_of(values.patterns, [&](const auto& other) {
                return other.key == pattern->key;
            })) {
            error = settings::both(pattern->key) + settings::Phrase{" 重复出现", " is given twice"};
            pattern.reset();
        }
        if (!pattern)
            break;
        values.patterns.push_back(std::move(*pattern));
    }
    if (!error.empty()) {
        values.patterns.clear();
        values.error =
            inForce(settings::Phrase{"每台的数值无法使用：", "values for each radio: "} + error);
    }
    return values;
}

QString batchValueRefusal(const settings::ValuePattern& pattern, int port, int band,
                          const QString& value) {
    const std::string text = value.toStdString();
    const settings::ParsedValue entered =
        settings::enterValue(*pattern.setting.setting, text, band, ui::UILanguage);
    if (entered.ok())
        return {};
    const std::string where = std::to_string(port) + ", " + pattern.key;
    return inForce(settings::Phrase{"端口 " + where + "：", "port " + where + ": "} +
                   settings::refusalOf(text, entered) +
                   settings::Phrase{"；未写任何对讲机", "; no radio is written"});
}

QStringList variableSettings() {
    QStringList entries;
    for (const settings::Setting& setting : settings::catalogue())
        if (setting.inImage() && !setting.isIndexed() && setting.field != settings::Field::Band)
            entries << QString::fromStdString(std::string(setting.key)) + "  (" +
                           QString::fromUtf8(setting.caption.in(ui::UILanguage))
                               .remove(QRegularExpression("[:：]$")) +
                           ")";
    return entries;
}

} // namespace shell
