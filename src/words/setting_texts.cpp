#include "words/setting_texts.h"

#include "settings/catalogue.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace editors {

namespace {

using enum ui::TextTarget;

std::vector<ui::LanguageRow> rowsOf(const char* window) {
    std::vector<ui::LanguageRow> rows;
    for (const settings::Setting& s : settings::catalogue()) {
        if (std::strcmp(s.window, window) != 0)
            continue;
        if (*s.label)
            rows.push_back({s.window, s.label, Caption, 0, s.caption.zh, s.caption.en});
        else if (s.kind == settings::Kind::Check)
            rows.push_back({s.window, s.control, Caption, 0, s.caption.zh, s.caption.en});
        else if (s.isIndexed())
            rows.push_back({s.window, s.control, HeaderCell, s.column, s.caption.zh, s.caption.en});
        // Both tone columns share one list: its entries are written once.
        const char* list = *s.list ? s.list : s.control;
        if (s.field == settings::Field::ChannelTxTone)
            continue;
        for (std::size_t i = 0; i < s.entries.size(); ++i)
            rows.push_back({s.window, list, ListEntry, int(i), s.entries[i].zh, s.entries[i].en});
    }
    return rows;
}

} // namespace

ui::LanguageTable settingTexts(const char* window) {
    static std::map<std::string, std::vector<ui::LanguageRow>> tables;
    auto [table, made] = tables.try_emplace(window);
    if (made)
        table->second = rowsOf(window);
    return table->second;
}

QString designCaption(const char* window, const char* control) {
    // A table with one setting column (the FM presets) is captioned by it.
    for (const settings::Setting& s : settings::catalogue())
        if (std::strcmp(s.window, window) == 0 && std::strcmp(s.control, control) == 0)
            return QString::fromUtf8(s.caption.zh);
    return {};
}

} // namespace editors
