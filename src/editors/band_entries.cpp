#include "editors/band_entries.h"

#include <array>

namespace editors::bands {

namespace {

// The entries in code order; a position is a band code, so never re-sort.
// The texts are the only source of the limits.
constexpr std::array<const char*, Count> Texts{
    "136-174MHz", "240-260MHz", "350-390MHz", "400-480MHz",
    "400-420MHz", "450-470MHz", "440-480MHz", "450-490MHz",
};

} // namespace

QString entryText(int code) {
    if (code < 0 || code >= Count)
        return {};
    return QString::fromLatin1(Texts[std::size_t(code)]);
}

image::BandLimits limitsOfEntry(const QString& entry) {
    return {entry.mid(0, 3).toInt(), entry.mid(4, 3).toInt()};
}

image::BandLimits limitsOfCode(int code) {
    const QString entry = entryText(code);
    return limitsOfEntry(entry.isEmpty() ? entryText(DefaultCode) : entry);
}

} // namespace editors::bands
