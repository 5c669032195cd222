#include "words/backups_window_texts.h"

namespace shell {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow BackupsRows[] = {
    {"FrmBackups", "", Caption, 0, "写频前的备份", "Backups Taken Before Writes"},
    {"FrmBackups", "LabelFolder", Caption, 0, "备份文件夹：%1", "Backup folder: %1"},
    {"FrmBackups", "LabelFolder", Caption, 1, "备份文件夹中还没有备份：%1", "No backups yet in %1"},
    {"FrmBackups", "TableBackups", HeaderCell, 0, "时间", "Taken"},
    {"FrmBackups", "TableBackups", HeaderCell, 1, "端口", "Port"},
    {"FrmBackups", "TableBackups", HeaderCell, 2, "频段", "Band"},
    {"FrmBackups", "TableBackups", HeaderCell, 3, "使用的信道", "Channels in use"},
    {"FrmBackups", "TableBackups", HeaderCell, 4, "保留", "Kept"},
    {"FrmBackups", "KeptByHistory", Caption, 0, "写频记录保留", "by the history"},
    {"FrmBackups", "KeptByInstruction", Caption, 0, "恢复说明保留", "to restore from"},
    {"FrmBackups", "CmdOpen", Caption, 0, "打开(&O)", "&Open"},
    {"FrmBackups", "CmdRestore", Caption, 0, "恢复(&R)...", "&Restore..."},
    {"FrmBackups", "CmdDelete", Caption, 0, "删除(&D)", "&Delete"},
    {"FrmBackups", "CmdClose", Caption, 0, "关闭", "Close"},
    {"FrmBackups", "PortLabel", Caption, 0, "端口%1", "port %1"},
    {"FrmRestorePort", "", Caption, 0, "恢复备份", "Restore a Backup"},
    {"FrmRestorePort", "LabelPort", Caption, 0, "将备份 %1 写入哪个端口上的对讲机：",
     "Write the backup %1 to the radio on port:"},
    {"FrmRestorePort", "CmdOk", Caption, 0, "确定", "OK"},
    {"FrmRestorePort", "CmdCancel", Caption, 0, "取消", "Cancel"},
};

} // namespace

const ui::LanguageTable BackupsTexts{BackupsRows};

} // namespace shell
