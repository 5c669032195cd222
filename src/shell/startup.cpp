#include "shell/startup.h"

#include "shell/apply_language.h"
#include "shell/main_window.h"
#include "shell/program_flags.h"
#include "shell/qt_translations.h"
#include "shell/settings_store.h"

namespace shell {

std::unique_ptr<MainWindow> startProgram(const AppFolders& folders) {
    UILanguage = languageFromStoredText(
        SettingsStore(folders.settingsFile).GetRegValue(LanguageKey, LanguageValue));
    ForceWriteMode = false;
    DebugMode = false;

    auto window = std::make_unique<MainWindow>(folders);
    window->show();
    ApplyLanguage(window.get());
    applyQtTranslations(UILanguage);
    return window;
}

} // namespace shell
