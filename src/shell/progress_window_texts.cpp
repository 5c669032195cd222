#include "shell/progress_window.h"
#include "ui/program_flags.h"

#include <QLabel>
#include <QProgressBar>

namespace shell {

namespace {

using enum ui::TextTarget;
using radiolink::TransferKind;

// Chinese only: the label is emptied (a transfer sets it anew).
constexpr ui::LanguageRow Rows[] = {
    {"FrmWriting", "Label1", Caption, 0, "", nullptr},
};

struct TransferTexts {
    TransferKind kind;
    const char* zhLabel;
    const char* zhCaption;
    const char* enLabel;
    const char* enCaption;
};

constexpr TransferTexts TransferTable[] = {
    {TransferKind::Read, "正在读频，请稍候。", "正在读取……",
     "Reading frequently, please wait a moment.", "Reading……"},
    {TransferKind::Write, "正在写频，请稍候。", "正在写入……",
     "Writing frequently, please wait a moment.", "Writing……"},
};

} // namespace

const ui::LanguageTable ProgressWindowTexts{Rows};

void ProgressWindow::begin(TransferKind kind, int minimum, int maximum) {
    for (const TransferTexts& texts : TransferTable)
        if (texts.kind == kind) {
            const bool zh = ui::isChinese();
            Label1->setText(QString::fromUtf8(zh ? texts.zhLabel : texts.enLabel));
            setWindowTitle(QString::fromUtf8(zh ? texts.zhCaption : texts.enCaption));
        }
    ProgressBar1->setRange(minimum, maximum);
    ProgressBar1->setValue(minimum);
    show();
    raise();
    activateWindow();
}

} // namespace shell
