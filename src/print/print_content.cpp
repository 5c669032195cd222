#include "print/print_content.h"

#include "editors/channel_grid.h"
#include "editors/channel_table.h"
#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "ui/program_info.h"

namespace print {

namespace {

constexpr int CellWidthTwips = 4500;
constexpr Align CellAlign = Align::Center;
constexpr double CompanySize = 24;
constexpr double TextSize = 14;

QString zh(const char* text) {
    return QString::fromUtf8(text);
}

// The function settings: the caption of each label beside its list or box.
constexpr std::pair<const char*, const char*> FunctionRows[] = {
    {"Label1", "Combo16"},    {"Label6", "Text6"},    {"Label2", "Combo1"},
    {"Label3", "Combo3"},     {"Label4", "Combo11"},  {"Label5", "Combo5"},
    {"Label7", "Combo7"},     {"Label8", "Combo8"},   {"Label9", "Combo9"},
    {"Label10", "Combo10"},   {"Label11", "Combo13"}, {"Label19", "Combo19"},
    {"Label105", "Combo105"},
};

void settingsRow(PrintDocument& document, const QString& caption, const QString& value) {
    const Borders all = bordersFromFlags("1111");
    document.tableCell(caption, CellWidthTwips, CellAlign, all);
    document.tableCell(value, CellWidthTwips, CellAlign, all);
    document.endTableRow();
}

GridCopy channelGrid(const editors::ChannelTable& table, const QString& title) {
    GridCopy grid{title, {}, {}};
    for (int col = 0; col < editors::ChannelGrid::Cols; ++col)
        grid.header << table.cellText(0, col);
    for (int row = editors::ChannelGrid::FirstChannelRow;
         row <= editors::ChannelGrid::LastChannelRow; ++row) {
        QStringList cells;
        for (int col = 0; col < editors::ChannelGrid::Cols; ++col)
            cells << table.cellText(row, col);
        grid.rows << cells;
    }
    return grid;
}

} // namespace

PrintDocument PrintContent(const PrintSources& windows) {
    const editors::OptionalFeatures& form3 = windows.Form3;
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
    for (const auto& [label, control] : FunctionRows) {
        const QString name = QString::fromLatin1(control);
        settingsRow(document, form3.caption(label),
                    name == "Text6" ? form3.presentChannelText() : form3.listText(name));
    }

    document.lineBreak();
    document.lineBreak();
    document.heading(zh("VOX(声控发射)"));
    document.lineBreak();
    settingsRow(document, form3.caption("Label14"), form3.listText("Combo14"));
    settingsRow(document, form3.caption("Label15"), form3.listText("Combo15"));
    settingsRow(document, form3.caption("Check12") + zh("是否"),
                zh(form3.isChecked("Check12") ? "是" : "否"));

    document.lineBreak();
    document.heading(zh("调试信息"));
    document.lineBreak();
    settingsRow(document, windows.Form4.highPowerCaption(),
                QString::number(windows.Form4.highPowerLevel()));
    settingsRow(document, windows.Form4.lowPowerCaption(),
                QString::number(windows.Form4.lowPowerLevel()));

    document.newPage();
    const QString channels = zh("信道数据");
    document.textLine(channels);
    document.grid(channelGrid(windows.Form1, channels));
    document.lineBreak();
    return document;
}

} // namespace print
