#include "shell/batch_values.h"

#include "settings/catalogue.h"
#include "ui/program_flags.h"

#include <QRegularExpression>
#include <algorithm>

namespace shell {

BatchValues parseBatchValues(const QString& text) {
    BatchValues values;
    for (const QString& entry : text.split(' ', Qt::SkipEmptyParts)) {
        std::string error;
        std::optional<settings::ValuePattern> pattern =
            settings::parsePattern(entry.toStdString(), error);
        if (pattern && std::ranges::any_of(values.patterns, [&](const auto& other) {
                return other.key == pattern->key;
            })) {
            error = pattern->key + " is given twice";
            pattern.reset();
        }
        if (!pattern) {
            values.patterns.clear();
            values.error = (ui::isChinese() ? QString("每台数值无法使用：")
                                            : QString("values for each radio: ")) +
                           QString::fromStdString(error);
            return values;
        }
        values.patterns.push_back(std::move(*pattern));
    }
    return values;
}

namespace {

// The settings' refusals, which the core words in English, in Chinese; one
// it does not know stays as it is.
QString chineseReason(const QString& why) {
    static const std::pair<QRegularExpression, QString> Reasons[] = {
        {QRegularExpression("^DTMF has no character '(.)'.*$"),
         "DTMF 没有字符“\\1”（只有 0-9、A-D、* 和 #）"},
        {QRegularExpression("^the setting takes at most (\\d+) characters$"), "最多 \\1 个字符"},
        {QRegularExpression("^the setting takes a whole number from (-?\\d+) to (-?\\d+)$"),
         "应为 \\1 到 \\2 的整数"},
        {QRegularExpression("^the setting takes one of (.*)$"), "应为以下之一：\\1"},
    };
    for (const auto& [english, chinese] : Reasons)
        if (english.match(why).hasMatch())
            return QString(why).replace(english, chinese);
    return why;
}

} // namespace

QString batchValueRefusal(const settings::ValuePattern& pattern, int port, const QString& value) {
    const QString why = QString::fromStdString(
        settings::valueRefusal(*pattern.setting.setting, value.toStdString()));
    if (why.isEmpty())
        return {};
    const QString key = QString::fromStdString(pattern.key);
    return ui::isChinese() ? QString("端口%1 的 %2 不能为“%3”，未写任何对讲机：%4")
                                 .arg(port)
                                 .arg(key, value, chineseReason(why))
                           : QString("port %1 would get '%3' for %2, so no radio is written: %4")
                                 .arg(port)
                                 .arg(key, value, why);
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
