#pragma once

#include "shell/language_table.h"

#include <QString>

namespace editors {

// The texts of the channel table Form1 in both languages.
extern const shell::LanguageTable ChannelTableTexts;

// One text of that table in the language in force, for a control that is
// being built before the language is applied to the whole program.
QString channelTableText(const char* control, shell::TextTarget target, int index = 0);

} // namespace editors
