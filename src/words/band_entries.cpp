#include "words/band_entries.h"

#include "settings/catalogue.h"

namespace editors::bands {

// The entries are the catalogue's, in code order; they are the only source
// of the limits.
static_assert(DefaultCode == settings::DefaultBandCode);

QString entryText(int code) {
    if (code < 0 || code >= Count || code >= int(settings::bandEntries().size()))
        return {};
    return QString::fromUtf8(settings::bandEntries()[std::size_t(code)].en);
}

image::BandLimits limitsOfEntry(const QString& entry) {
    return {entry.mid(0, 3).toInt(), entry.mid(4, 3).toInt()};
}

image::BandLimits limitsOfCode(int code) {
    const QString entry = entryText(code);
    return limitsOfEntry(entry.isEmpty() ? entryText(DefaultCode) : entry);
}

} // namespace editors::bands
