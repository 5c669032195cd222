// The classic Left, Mid (1-based start) and Right of a text, clipped to it:
// the codes' text forms were laid out with them.
#pragma once

#include <cstddef>
#include <string_view>

namespace image::slice {

inline std::string_view left(std::string_view text, std::size_t count) {
    return text.substr(0, count);
}

inline std::string_view mid(std::string_view text, std::size_t start, std::size_t count) {
    return start > text.size() ? std::string_view() : text.substr(start - 1, count);
}

inline std::string_view right(std::string_view text, std::size_t count) {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

} // namespace image::slice
