#include "shell/language_table.h"

#include <array>

namespace shell {

std::span<const LanguageTable> languageTables() {
    static const std::array tables{
        MainWindowTexts,
        ChannelTableTexts,
        OptionalFeaturesTexts,
        PowerLevelsTexts,
    };
    return tables;
}

} // namespace shell
