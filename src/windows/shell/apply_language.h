#pragma once

#include "words/main_window_texts.h"

class QWidget;

namespace shell {

// Every window's table, in the order ApplyLanguage works through them.
std::span<const ui::LanguageTable> languageTables();

// Rewrites every window text under `mainWindow` in the language of
// UILanguage (0 Chinese, 1 English; any other value writes nothing).
void ApplyLanguage(QWidget* mainWindow);

} // namespace shell
