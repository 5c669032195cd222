#include "shell/apply_language.h"

#include "shell/about_box.h"
#include "shell/progress_window.h"
#include "ui/apply_language.h"
#include "words/editor_texts.h"
#include "words/program_flags.h"
#include "words/setting_texts.h"

#include <array>

namespace shell {

std::span<const ui::LanguageTable> languageTables() {
    // clang-format off
    static const std::array tables{
        MainWindowTexts,
        editors::ChannelTableTexts,
        editors::settingTexts("Form1"),
        editors::OptionalFeaturesTexts,
        editors::settingTexts("Form3"),
        editors::PowerLevelsTexts,
        editors::settingTexts("Form4"),
        editors::ImportReportTexts,
        AboutBoxTexts,
        ProgressWindowTexts,
    };
    // clang-format on
    return tables;
}

void ApplyLanguage(QWidget* mainWindow) {
    for (const ui::LanguageTable& table : languageTables())
        ui::applyLanguageTable(mainWindow, table, ui::UILanguage);
}

} // namespace shell
