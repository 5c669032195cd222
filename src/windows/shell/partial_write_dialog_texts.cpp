#include "shell/partial_write_dialog.h"
#include "words/program_flags.h"

namespace shell {

namespace {

using enum ui::TextTarget;

constexpr ui::LanguageRow PartialWriteDialogRows[] = {
    {"FrmPartialWrite", "WriteAgainButton", Caption, 0, "再次写入(&W)", "Write again(&W)"},
    {"FrmPartialWrite", "RestoreButton", Caption, 0, "恢复备份(&R)", "Restore the backup(&R)"},
    {"FrmPartialWrite", "CloseButton", Caption, 0, "关闭(&C)", "Close(&C)"},
};

struct CauseTexts {
    PartialCause cause;
    const char* zh;
    const char* en;
};

constexpr CauseTexts CauseTable[] = {
    {PartialCause::Stalled, "对讲机停止应答（连线断开或对讲机已关机？）。",
     "the radio stopped answering (line lost, or the radio switched off?)."},
    {PartialCause::Refused, "对讲机拒收了数据块（应答 NAK）。",
     "the radio refused a block (it answered NAK)."},
    {PartialCause::Unexpected, "对讲机的应答不正确（线路故障？）。",
     "the radio's answer was not what the write expects (line fault?)."},
    {PartialCause::Cancelled, "写频已被取消。", "the write was cancelled."},
    {PartialCause::Other, "通信出错。", "communication error."},
};

} // namespace

const ui::LanguageTable PartialWriteDialogTexts{PartialWriteDialogRows};

QString partialCauseText(PartialCause cause) {
    for (const CauseTexts& texts : CauseTable)
        if (texts.cause == cause)
            return QString::fromUtf8(ui::isChinese() ? texts.zh : texts.en);
    return {};
}

} // namespace shell
