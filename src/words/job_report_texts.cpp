#include "words/job_report_texts.h"

namespace ui {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow JobReportRows[] = {
    {"JobReport", "", Caption, 0, "写频订单报告", "Job Report"},
    {"JobReport", "Job", Caption, 0, "订单：%1", "Job: %1"},
    {"JobReport", "Image", Caption, 0, "写入文件：%1", "Image written: %1"},
    {"JobReport", "Made", Caption, 0, "制表时间：%1", "Made: %1"},
    {"JobReport", "Table", HeaderCell, 0, "序号", "No."},
    {"JobReport", "Table", HeaderCell, 1, "时间", "Date"},
    {"JobReport", "Table", HeaderCell, 2, "端口", "Port"},
    {"JobReport", "Table", HeaderCell, 3, "结果", "Result"},
    {"JobReport", "Table", HeaderCell, 4, "备份", "Backup"},
    // Before the settings' keys: the column of a value kept from the radio.
    {"JobReport", "Kept", Caption, 0, "（保留）", " (kept)"},
    {"JobReport", "Port", Caption, 0, "端口%1", "port %1"},
    {"JobReport", "Total", Caption, 0, "对讲机台数", "Radios"},
    {"JobReport", "Total", Caption, 1, "写频成功", "Programmed"},
    {"JobReport", "Total", Caption, 2, "失败", "Failed"},
    {"JobReport", "Total", Caption, 3, "未完成", "Not finished"},
    {"JobReport", "Empty", Caption, 0, "此订单尚无对讲机", "No radio has been written in this job"},
    {"JobReport", "Unknown", Caption, 0, "历史记录中没有此订单：%1",
     "the history has no job named %1"},
};

} // namespace

const ui::LanguageTable JobReportTexts{JobReportRows};

} // namespace ui
