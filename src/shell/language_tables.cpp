#include "shell/language_table.h"

#include "editors/channel_table_texts.h"

#include <array>

namespace shell {

std::span<const LanguageTable> languageTables() {
    static const std::array tables{MainWindowTexts, editors::ChannelTableTexts};
    return tables;
}

} // namespace shell
