// A text the core words in both languages, for a reason a window or a
// command shows in the language in force; language 0 is Chinese, 1 English.
#pragma once

#include <string>
#include <string_view>

namespace settings {

struct Phrase {
    std::string zh;
    std::string en;

    const std::string& in(int language) const { return language == 0 ? zh : en; }
    bool empty() const { return en.empty() && zh.empty(); }

    Phrase& operator+=(const Phrase& more) {
        zh += more.zh;
        en += more.en;
        return *this;
    }
    friend Phrase operator+(Phrase first, const Phrase& more) { return first += more; }
    friend bool operator==(const Phrase&, const Phrase&) = default;
};

// A text the same in both languages: a key, a number, a value as given.
inline Phrase both(std::string_view text) {
    return {std::string(text), std::string(text)};
}

} // namespace settings
