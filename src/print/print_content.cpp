#include "print/print_content.h"

#include "settings/catalogue.h"
#include "settings/setting_values.h"
#include "words/editor_texts.h"
#include "words/language_text.h"
#include "words/program_info.h"

namespace print {

namespace {

constexpr int CellWidthTwips = 4500;
constexpr Align CellAlign = Align::Center;
constexpr double CompanySize = 24;
constexpr double TextSize = 14;

QString zh(const char* text) {
    return QString::fromUtf8(text);
}

// The function settings printed, by control.
constexpr const char* FunctionRows[] = {
    "Combo16", "Text6",  "Combo1",  "Combo3",  "Combo11", "Combo5",   "Combo7",
    "Combo8",  "Combo9", "Combo10", "Combo13", "Combo19", "Combo105",
};

void settingsRow(PrintDocument& document, const QString& caption, const QString& value) {
    const Borders all = bordersFromFlags("1111");
    document.tableCell(caption, CellWidthTwips, CellAlign, all);
    document.tableCell(value, CellWidthTwips, CellAlign, all);
    document.endTableRow();
}

const settings::Setting& settingOf(const char* window, const char* control) {
    return *settings::settingOf(window, control);
}

QString captionOf(const settings::Setting& setting, int language) {
    return QString::fromUtf8(setting.caption.in(language));
}

QString valueOf(const settings::Setting& setting, const image::EditorValues& values, int language) {
    return QString::fromStdString(settings::valueText(setting, values, 1, language));
}

// The channel table as the grid shows it: the number column, then a column
// per channel setting.
GridCopy channelGrid(const image::EditorValues& values, int language, const QString& title) {
    GridCopy grid{title, {}, {}};
    grid.header << ui::languageText(editors::ChannelTableTexts, "Form1", "Grid1",
                                    ui::TextTarget::HeaderCell, 0, language);
    QList<const settings::Setting*> columns;
    for (const settings::Setting& setting : settings::catalogue())
        if (std::string_view(setting.window) == "Form1") {
            columns << &setting;
            grid.header << captionOf(setting, language);
        }
    for (int n = 1; n <= image::ChannelCount; ++n) {
        QStringList cells{QString::number(n)};
        for (const settings::Setting* column : columns)
            cells << QString::fromStdString(settings::valueText(*column, values, n, language));
        grid.rows << cells;
    }
    return grid;
}

} // namespace

PrintDocument PrintContent(const image::EditorValues& values, int language, bool allowCancel) {
    const QString program = QString::fromUtf8(ui::ProgramName);
    PrintDocument document;

    document.setBold(true);
    document.textLine(QString::fromUtf8(ui::CompanyName), CompanySize, Align::Center);
    document.setBold(false);
    document.setTextSize(TextSize);
    document.setTitle(program + zh("编程数据打印"));
    // Centred under the company, as a document's head.
    document.textLine(document.title(), TextSize, Align::Center);

    document.lineBreak();
    document.heading(zh("功能设置"));
    document.lineBreak();
    for (const char* control : FunctionRows) {
        const settings::Setting& setting = settingOf("Form3", control);
        settingsRow(document, captionOf(setting, language), valueOf(setting, values, language));
    }

    document.lineBreak();
    document.lineBreak();
    document.heading(zh("VOX(声控发射)"));
    document.lineBreak();
    for (const char* control : {"Combo14", "Combo15"}) {
        const settings::Setting& setting = settingOf("Form3", control);
        settingsRow(document, captionOf(setting, language), valueOf(setting, values, language));
    }
    settingsRow(document, captionOf(settingOf("Form3", "Check12"), language) + zh("是否"),
                zh(allowCancel ? "是" : "否"));

    document.lineBreak();
    document.heading(zh("调试信息"));
    document.lineBreak();
    for (const char* slider : {"Slider1", "Slider2"}) {
        const settings::Setting& setting = settingOf("Form4", slider);
        settingsRow(document, captionOf(setting, language), valueOf(setting, values, language));
    }

    document.newPage();
    const QString channels = zh("信道数据");
    document.textLine(channels);
    document.grid(channelGrid(values, language, channels));
    document.lineBreak();
    return document;
}

} // namespace print
