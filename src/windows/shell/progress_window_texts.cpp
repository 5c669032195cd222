#include "shell/progress_window.h"
#include "words/message_box.h"
#include "words/program_flags.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace shell {

namespace {

using enum ui::TextTarget;

// Chinese only: the label is emptied (a transfer sets it anew).
constexpr ui::LanguageRow ProgressWindowRows[] = {
    {"FrmWriting", "Label1", Caption, 0, "", nullptr},
};

struct StepTexts {
    ProgressStep step;
    const char* zhLabel;
    const char* zhCaption;
    const char* enLabel;
    const char* enCaption;
};

constexpr StepTexts StepTable[] = {
    {ProgressStep::Read, "正在读频，请稍候。", "正在读取……",
     "Reading frequently, please wait a moment.", "Reading……"},
    {ProgressStep::Backup, "正在备份对讲机原有数据，请稍候。", "正在写入……",
     "Backing up what the radio holds, please wait a moment.", "Writing……"},
    {ProgressStep::Write, "正在写频，请稍候。", "正在写入……",
     "Writing frequently, please wait a moment.", "Writing……"},
    {ProgressStep::Verify, "正在校验对讲机数据，请稍候。", "正在写入……",
     "Verifying what the radio holds, please wait a moment.", "Writing……"},
};

} // namespace

const ui::LanguageTable ProgressWindowTexts{ProgressWindowRows};

void ProgressWindow::begin(ProgressStep step, int minimum, int maximum) {
    const bool zh = ui::isChinese();
    for (const StepTexts& texts : StepTable)
        if (texts.step == step) {
            Label1->setText(QString::fromUtf8(zh ? texts.zhLabel : texts.enLabel));
            setWindowTitle(QString::fromUtf8(zh ? texts.zhCaption : texts.enCaption));
        }
    CancelButton->setText(ui::buttonCaption(ui::MsgCancel, ui::UILanguage));
    ProgressBar1->setRange(minimum, maximum);
    ProgressBar1->setValue(minimum);
    // Already shown (the next step of a write), it stays where it is: a
    // question asked over it keeps the front.
    if (isVisible())
        return;
    show();
    raise();
    activateWindow();
}

} // namespace shell
