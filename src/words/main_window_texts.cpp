#include "settings/catalogue.h"
#include "words/main_window_texts.h"

namespace shell {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

// The band list's caption is the catalogue's.
const settings::Texts BandCaption = settings::settingOf("MDIForm1", "Combo1")->caption;

const LanguageRow MainWindowRows[] = {
    {"MDIForm1", "MNFile", Caption, 0, "文件(&F)", "File(&F)"},
    {"MDIForm1", "MNSave", Caption, 0, "保存(&S)", "Save(&S)"},
    {"MDIForm1", "MNImportCsv", Caption, 0, "导入CSV(&I)...", "Import CSV(&I)..."},
    {"MDIForm1", "MNExportCsv", Caption, 0, "导出CSV(&E)...", "Export CSV(&E)..."},
    {"MDIForm1", "MNImportYaml", Caption, 0, "导入YAML(&Y)...", "Import YAML(&Y)..."},
    {"MDIForm1", "MNExportYaml", Caption, 0, "导出YAML(&L)...", "Export YAML(&L)..."},
    {"MDIForm1", "MNAbout", Caption, 0, "帮助(&H)", "About(&H)"},
    {"MDIForm1", "MNChinese", Caption, 0, "中文(&C)", "Chinese(&C)"},
    {"MDIForm1", "MNCommPort", Caption, 0, "通信端口(&C)", "Communication Port(&C)"},
    {"MDIForm1", "MNPorts", Caption, 0, "端口与适配器(&A)...", "Ports and Adapters(&A)..."},
    {"MDIForm1", "MNDebug", Caption, 0, "调试信息(&B)", "Debug Information(&B)"},
    {"MDIForm1", "MNEdit", Caption, 0, "编辑(&E)", "Edit(&E)"},
    {"MDIForm1", "MNUndo", Caption, 0, "撤销(&U)", "Undo(&U)"},
    {"MDIForm1", "MNRedo", Caption, 0, "重做(&R)", "Redo(&R)"},
    {"MDIForm1", "MNEnglish", Caption, 0, "英文(&E)", "English(&E)"},
    {"MDIForm1", "MNF1", Caption, 0, "帮助主题(F1)", "Help Theme(F1)"},
    {"MDIForm1", "MNHelp", Caption, 0, "帮助(&H)", "Help(&H)"},
    {"MDIForm1", "MNLanguage", Caption, 0, "语言选择(&L)", "Language Select(&L)"},
    {"MDIForm1", "MNModel", Caption, 0, "信道编辑(&M)", "Channel Edit(&M)"},
    {"MDIForm1", "MNOption", Caption, 0, "可选功能(&P)", "Optional Features(&P)"},
    {"MDIForm1", "MNNew", Caption, 0, "新建(&N)", "New(&N)"},
    {"MDIForm1", "MNOpen", Caption, 0, "打开(&O)", "Open(&O)"},
    {"MDIForm1", "MNBackups", Caption, 0, "备份(&B)...", "Backups(&B)..."},
    {"MDIForm1", "MNHistory", Caption, 0, "写频记录(&H)...", "History(&H)..."},
    {"MDIForm1", "MNPrint", Caption, 0, "打印(&P)", "Print(&P)"},
    {"MDIForm1", "MNProgram", Caption, 0, "编程(&G)", "Programming(&G)"},
    {"MDIForm1", "MNQuit", Caption, 0, "退出(&Q)", "Quit(&Q)"},
    {"MDIForm1", "MNRead", Caption, 0, "读频(&R)", "Read Data from the Transceive(&R)"},
    {"MDIForm1", "MNWrite", Caption, 0, "写频(&W)", "Write Data in the Transceive(&W)"},
    {"MDIForm1", "MNBatchWrite", Caption, 0, "批量写频(&B)...", "Batch Write(&B)..."},
    {"MDIForm1", "MNBackupFirst", Caption, 0, "写频前备份(&K)", "Back Up before Writing(&K)"},
    {"MDIForm1", "MNVerifyAfter", Caption, 0, "写频后校验(&V)", "Verify after Writing(&V)"},
    {"MDIForm1", "Label1", Caption, 0, BandCaption.zh, BandCaption.en},
    {"MDIForm1", "Combo1", Geometry, 0, "585,30,1950", "1085,30,1950"},
    {"MDIForm1", "ComboCom", Geometry, 0, "2475,0,1185", "3475,0,1185"},
    {"MDIForm1", "TNew", ToolTip, 0, "新建", "New"},
    {"MDIForm1", "TOpen", ToolTip, 0, "打开", "Open"},
    {"MDIForm1", "TSave", ToolTip, 0, "保存", "Save"},
    {"MDIForm1", "TRead", ToolTip, 0, "读频", "Read Data from the Transceive"},
    {"MDIForm1", "TWrite", ToolTip, 0, "写频", "Write Data in the Transceive"},
};

} // namespace

const ui::LanguageTable MainWindowTexts{MainWindowRows};

} // namespace shell
