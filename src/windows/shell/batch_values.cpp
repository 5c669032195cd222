#include "shell/batch_values.h"

#include "settings/catalogue.h"
#include "words/program_flags.h"

#include <QRegularExpression>
#include <algorithm>

namespace shell {

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
        {QRegularExpression("^(.*): not KEY=VALUE$"), "\\1：应写作 键=值"},
        {QRegularExpression("^(.*): no setting has this key$"), "\\1：没有这个键的设置"},
        {QRegularExpression("^(.*): the radio's memory does not hold this setting$"),
         "\\1：对讲机的存储器中没有这项设置"},
        {QRegularExpression("^(.*): a counter ends in 1 to (\\d+) digits before the \\+$"),
         "\\1：计数值应在 + 之前以 1 到 \\2 位数字结尾"},
        {QRegularExpression("^(.*) is given twice$"), "\\1 重复出现"},
    };
    for (const auto& [english, chinese] : Reasons)
        if (english.match(why).hasMatch())
            return QString(why).replace(english, chinese);
    return why;
}

} // namespace

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
            const QString why = QString::fromStdString(error);
            values.error = ui::isChinese() ? "每台的数值无法使用：" + chineseReason(why)
                                           : "values for each radio: " + why;
            return values;
        }
        values.patterns.push_back(std::move(*pattern));
    }
    return values;
}

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
