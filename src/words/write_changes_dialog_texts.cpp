#include "words/write_changes_dialog_texts.h"

namespace shell {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow WriteChangesRows[] = {
    {"FrmWriteChanges", "", Caption, 0, "写频将改变什么", "What the Write Will Change"},
    {"FrmWriteChanges", "LabelCount", Caption, 0, "写频将改变对讲机中的 %1 项设置：",
     "The write will change %1 settings in the radio:"},
    {"FrmWriteChanges", "LabelCount", Caption, 1, "写频不会改变对讲机中的任何设置。",
     "The write changes nothing in the radio."},
    {"FrmWriteChanges", "LabelCount", Caption, 2, "写频将改变对讲机中的 1 项设置：",
     "The write will change 1 setting in the radio:"},
    {"FrmWriteChanges", "TableChanges", HeaderCell, 0, "位置", "Place"},
    {"FrmWriteChanges", "TableChanges", HeaderCell, 1, "设置", "Setting"},
    {"FrmWriteChanges", "TableChanges", HeaderCell, 2, "对讲机现在", "Radio now"},
    {"FrmWriteChanges", "TableChanges", HeaderCell, 3, "写频以后", "After the write"},
    {"FrmWriteChanges", "LabelUnwritable", Caption, 0, "以下值没有窗口能原样写回，写频将改为发送：",
     "No window can write these values back as they are; the write sends instead:"},
    {"FrmWriteChanges", "LabelUnwritable", Caption, 1, "信道 %1 / %2：%3 → %4",
     "CH %1 / %2: %3 → %4"},
    {"FrmWriteChanges", "CmdWrite", Caption, 0, "写频(&W)", "&Write"},
    {"FrmWriteChanges", "CmdCancel", Caption, 0, "取消", "Cancel"},
};

} // namespace

const ui::LanguageTable WriteChangesTexts{WriteChangesRows};

} // namespace shell
