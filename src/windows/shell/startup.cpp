#include "shell/startup.h"

#include "shell/apply_language.h"
#include "shell/main_window.h"
#include "shell/qt_translations.h"
#include "shell/settings_store.h"
#include "words/program_flags.h"

namespace shell {

std::unique_ptr<MainWindow> startProgram(const AppFolders& folders) {
    // Detached windows start in English; their owner picks the language.
    ui::UILanguage =
        folders.detached
            ? 1
            : languageFromStoredText(
                  SettingsStore(folders.settingsFile).GetRegValue(LanguageKey, LanguageValue));
    ui::ForceWriteMode = false;
    ui::DebugMode = false;

    auto window = std::make_unique<MainWindow>(folders);
    window->show();
    ApplyLanguage(window.get());
    applyQtTranslations(ui::UILanguage);
    return window;
}

} // namespace shell
