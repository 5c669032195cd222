#include "shell/about_box.h"
#include "ui/program_info.h"

namespace shell {

namespace {

using enum ui::TextTarget;

constexpr ui::LanguageRow AboutBoxRows[] = {
    {"FrmAbout", "", Caption, 0, "帮助", "Help"},
    {"FrmAbout", "lblCompany", Caption, 0, "TQ-305 CloneDesk 开发组出品 · 访问主页",
     "Made by the TQ-305 CloneDesk developers · visit the home page"},
    {"FrmAbout", "lblTitle", Caption, 0, "TQ-305 对讲机编程软件", "TQ-305 Interphone Software"},
    {"FrmAbout", "lblVersion", Caption, 0, "简体中文版 V" TQ_EDITION_VERSION,
     "English edition V" TQ_EDITION_VERSION},
    // One line in both languages.
    {"FrmAbout", "lblCopyR", Caption, 0, "Copyright © 2026 TQ-305 CloneDesk",
     "Copyright © 2026 TQ-305 CloneDesk"},
};

} // namespace

const ui::LanguageTable AboutBoxTexts{AboutBoxRows};

} // namespace shell
