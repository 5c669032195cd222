#include "words/history_window_texts.h"

namespace shell {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow HistoryRows[] = {
    {"FrmHistory", "", Caption, 0, "写频记录", "History"},
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
    {"FrmHistory", "CmdRestore", Caption, 0, "恢复到对讲机(&R)...", "&Restore..."},
    {"FrmHistory", "CmdDelete", Caption, 0, "删除记录(&D)", "&Delete"},
    {"FrmHistory", "CmdExport", Caption, 0, "导出CSV(&E)...", "&Export CSV..."},
    {"FrmHistory", "CmdClose", Caption, 0, "关闭", "Close"},
    {"FrmHistory", "CmdReport", Caption, 0, "订单报告(&P)...", "Re&port..."},
    {"FrmHistory", "ReportFailed", Caption, 0, "无法生成订单报告：%1",
     "The job's report could not be made: %1"},
    {"FrmHistory", "ExportFailed", Caption, 0, "无法写入：%1", "Could not be written: %1"},
    // By records::Action.
    {"FrmHistory", "Action", Caption, 0, "读频", "read"},
    {"FrmHistory", "Action", Caption, 1, "写频", "write"},
    {"FrmHistory", "Action", Caption, 2, "校验", "verify"},
    {"FrmHistory", "Action", Caption, 3, "恢复", "restore"},
    {"FrmHistory", "BackupMissing", Caption, 0, "此记录的备份已不存在：%1",
     "This record's backup is missing: %1"},
    {"FrmHistory", "BackupMissing", Caption, 1, "备份已不存在", "missing"},
    {"FrmHistory", "PortLabel", Caption, 0, "端口%1", "port %1"},
};

} // namespace

const ui::LanguageTable HistoryTexts{HistoryRows};

} // namespace shell
