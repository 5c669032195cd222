#include "shell/startup.h"

#include "shell/apply_language.h"
#include "shell/main_window.h"
#include "shell/qt_translations.h"
#include "shell/settings_store.h"
#include "ui/lazy_style_icons.h"
#include "words/program_flags.h"

#include <QApplication>

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

    // The language is applied before the window is first laid out, so that
    // an English start never measures the Chinese design texts (which would
    // load the CJK font for nothing).
    QApplication::setStyle(new ui::LazyStyleIcons);
    auto window = std::make_unique<MainWindow>(folders);
    ApplyLanguage(window.get());
    applyQtTranslations(ui::UILanguage);
    window->show();
    return window;
}

} // namespace shell
