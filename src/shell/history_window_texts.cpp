#include "shell/history_window_texts.h"

namespace shell {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow HistoryRows[] = {
    {"FrmHistory", "", Caption, 0, "写频记录", "Radios Programmed"},
    {"FrmHistory", "LabelFilter", Caption, 0, "筛选(&F)：", "&Filter:"},
    {"FrmHistory", "TableHistory", HeaderCell, 0, "时间", "Time"},
    {"FrmHistory", "TableHistory", HeaderCell, 1, "操作", "Action"},
    {"FrmHistory", "TableHistory", HeaderCell, 2, "端口", "Port"},
    {"FrmHistory", "TableHistory", HeaderCell, 3, "频段", "Band"},
    {"FrmHistory", "TableHistory", HeaderCell, 4, "本机数值", "Own values"},
    {"FrmHistory", "TableHistory", HeaderCell, 5, "结果", "Result"},
    {"FrmHistory", "TableHistory", HeaderCell, 6, "文件", "File"},
    {"FrmHistory", "TableHistory", HeaderCell, 7, "备份", "Backup"},
    {"FrmHistory", "CmdOpen", Caption, 0, "打开备份(&O)", "&Open Backup"},
    {"FrmHistory", "CmdExport", Caption, 0, "导出CSV(&E)...", "&Export CSV..."},
    {"FrmHistory", "CmdClose", Caption, 0, "关闭", "Close"},
    {"FrmHistory", "ExportFailed", Caption, 0, "无法写入：%1", "Could not be written: %1"},
};

} // namespace

const ui::LanguageTable HistoryTexts{HistoryRows};

} // namespace shell
