#include "shell/apply_language.h"

#include "editors/editor_texts.h"
#include "shell/about_box.h"
#include "shell/progress_window.h"
#include "ui/apply_language.h"
#include "ui/program_flags.h"

#include <array>

namespace shell {

std::span<const ui::LanguageTable> languageTables() {
    static const std::array tables{
        MainWindowTexts,
        editors::ChannelTableTexts,
        editors::OptionalFeaturesTexts,
        editors::PowerLevelsTexts,
        AboutBoxTexts,
        ProgressWindowTexts,
    };
    return tables;
}

void ApplyLanguage(QWidget* mainWindow) {
    for (const ui::LanguageTable& table : languageTables())
        ui::applyLanguageTable(mainWindow, table, ui::UILanguage);
}

} // namespace shell
