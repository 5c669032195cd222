#include "shell/about_box.h"
#include "words/program_version.h"

namespace shell {

namespace {

using enum ui::TextTarget;

constexpr ui::LanguageRow AboutBoxRows[] = {
    {"FrmAbout", "", Caption, 0, "帮助", "Help"},
    {"FrmAbout", "lblCompany", Caption, 0, "TQ-305 CloneDesk 开发组出品 · 访问主页",
     "Made by the TQ-305 CloneDesk developers · visit the home page"},
    {"FrmAbout", "lblTitle", Caption, 0, "TQ-305 对讲机编程软件", "TQ-305 Interphone Software"},
    {"FrmAbout", "lblVersion", Caption, 0, "简体中文版 V" TQ_PROGRAM_VERSION,
     "English edition V" TQ_PROGRAM_VERSION},
    {"FrmAbout", "lblCopyR", Caption, 0,
     "Copyright © 2026 TQ-305 CloneDesk\n自由软件，依 GNU GPL 第 3 版或更新版本发布",
     "Copyright © 2026 TQ-305 CloneDesk\nFree software under the GNU GPL, version 3 or later"},
};

} // namespace

const ui::LanguageTable AboutBoxTexts{AboutBoxRows};

} // namespace shell
