#include "words/ports_window_texts.h"

namespace shell {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow PortsRows[] = {
    {"FrmPorts", "", Caption, 0, "端口与适配器", "Ports and Adapters"},
    {"FrmPorts", "TablePorts", HeaderCell, 0, "端口", "Port"},
    {"FrmPorts", "TablePorts", HeaderCell, 1, "设备", "Device"},
    {"FrmPorts", "TablePorts", HeaderCell, 2, "制造商", "Maker"},
    {"FrmPorts", "TablePorts", HeaderCell, 3, "产品", "Product"},
    {"FrmPorts", "TablePorts", HeaderCell, 4, "序列号", "Serial number"},
    {"FrmPorts", "TablePorts", HeaderCell, 5, "已绑定", "Bound"},
    {"FrmPorts", "LabelAdapter", Caption, 0, "适配器(&A)：", "&Adapter:"},
    {"FrmPorts", "CmdBind", Caption, 0, "绑定到此适配器(&B)", "&Bind to This Adapter"},
    {"FrmPorts", "CmdUnbind", Caption, 0, "解除绑定(&U)", "&Unbind"},
    {"FrmPorts", "CmdRefresh", Caption, 0, "刷新(&R)", "&Refresh"},
    {"FrmPorts", "CmdClose", Caption, 0, "关闭", "Close"},
    {"FrmPorts", "BoundCell", Caption, 0, "是", "yes"},
    {"FrmPorts", "NoAdapter", Caption, 0, "（没有插入带序列号的USB适配器）",
     "(no USB adapter with a serial number is plugged in)"},
    {"FrmPorts", "SummaryWords", Caption, 0, "（不存在）", "(absent)"},
    {"FrmPorts", "SummaryWords", Caption, 1, "序列号", "serial"},
    {"FrmPorts", "BindFailure", Caption, 1, "没有插入序列号为 %1 的适配器。",
     "No adapter plugged in has the serial number %1."},
    {"FrmPorts", "BindFailure", Caption, 2, "适配器 %1 在 %2 中没有名称，无法按序列号绑定。",
     "The adapter %1 has no name in %2, so it cannot be bound by its serial number."},
    {"FrmPorts", "BindFailure", Caption, 3, "无法创建文件夹 %1：%2",
     "The folder %1 cannot be made: %2"},
    {"FrmPorts", "BindFailure", Caption, 4, "无法创建链接 %1：%2",
     "The link %1 cannot be made: %2"},
    {"FrmPorts", "BindFailure", Caption, 5, "无法删除链接 %1：%2",
     "The link %1 cannot be removed: %2"},
};

} // namespace

const ui::LanguageTable PortsWindowTexts{PortsRows};

} // namespace shell
