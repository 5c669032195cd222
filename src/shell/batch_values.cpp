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

QString batchValueRefusal(const settings::ValuePattern& pattern, int port, const QString& value) {
    const std::string why = settings::valueRefusal(*pattern.setting.setting, value.toStdString());
    if (why.empty())
        return {};
    const QString key = QString::fromStdString(pattern.key);
    return (ui::isChinese() ? QString("端口%1 的 %2 不能为“%3”，未写任何对讲机：%4")
                            : QString("port %1 would get '%3' for %2, so no radio is written: %4"))
        .arg(port)
        .arg(key, value, QString::fromStdString(why));
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
