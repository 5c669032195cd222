#include "cli/settings_view.h"

#include "settings/catalogue.h"
#include "settings/setting_values.h"
#include "words/chinese_window_texts.h"
#include "words/editor_texts.h"
#include "words/language_text.h"

#include <cstring>

namespace cli {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// The title of a table's first column, the number of the row.
QString numberColumnTitle(const char* window, int language) {
    if (std::strcmp(window, "Form5") == 0)
        return QString::fromUtf8(editors::fm::NumberColumnTitle);
    return ui::languageText(editors::ChannelTableTexts, window, "Grid1", ui::TextTarget::HeaderCell,
                            0, language);
}

// The rows of a table whose columns are the window's settings shown by `table`.
TableRows tableRows(const image::EditorValues& values, const char* window, const char* table,
                    int language) {
    QList<const settings::Setting*> columns;
    for (const settings::Setting& setting : settings::catalogue())
        if (std::strcmp(setting.window, window) == 0 && std::strcmp(setting.control, table) == 0)
            columns << &setting;
    QStringList header{numberColumnTitle(window, language)};
    for (const settings::Setting* column : columns)
        header.append(QString::fromUtf8(column->caption.in(language)));
    TableRows rows{header};
    rows.reserve(columns.front()->count + 1);
    for (int index = 1; index <= columns.front()->count; ++index) {
        QStringList cells{QString::number(index)};
        cells.reserve(columns.size() + 1);
        for (const settings::Setting* column : columns)
            cells.append(fromUtf8(settings::valueText(*column, values, index, language)));
        rows.append(cells);
    }
    return rows;
}

decltype(ControlValue::value) valueOf(const settings::Setting& setting,
                                      const image::EditorValues& values, int language) {
    if (setting.kind == settings::Kind::Number)
        return settings::positionOf(setting, values).value_or(0);
    if (setting.kind == settings::Kind::Check)
        return false;
    return fromUtf8(settings::valueText(setting, values, 1, language));
}

} // namespace

QList<ControlValue> windowControls(const image::EditorValues& values, const char* window,
                                   int language) {
    QList<ControlValue> controls;
    for (const settings::Setting& setting : settings::catalogue()) {
        if (std::strcmp(setting.window, window) != 0 || setting.hidden)
            continue;
        const QString name = QString::fromUtf8(setting.control);
        if (setting.isIndexed()) {
            if (controls.isEmpty() || controls.back().name != name)
                controls.append({name, {}, tableRows(values, window, setting.control, language)});
            continue;
        }
        controls.append({name, ui::plainCaption(QString::fromUtf8(setting.caption.in(language))),
                         valueOf(setting, values, language)});
    }
    return controls;
}

QString bandText(const image::EditorValues& values, int language) {
    return fromUtf8(settings::entryText(*settings::settingOf("MDIForm1", "Combo1"),
                                        values.band.value_or(settings::DefaultBandCode), language));
}

} // namespace cli
