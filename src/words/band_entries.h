// The band list's entries: the radio's eight band variants in code order (a
// position in the list is the band code), as the band list shows them and
// as the commands that only read or write files name them.
#pragma once

#include "image/band_limits.h"

#include <QString>

namespace editors::bands {

inline constexpr int Count = 8;
inline constexpr int DefaultCode = 3; // "400-480MHz"

// The entry of a band code ("400-480MHz" for 3); empty for a code the list
// lacks.
QString entryText(int code);

// The limits an entry shows: its characters 1..3 and 5..7 ("136-174MHz").
image::BandLimits limitsOfEntry(const QString& entry);

// The limits of a band code's entry; those of the default band for a code
// the list lacks.
image::BandLimits limitsOfCode(int code);

} // namespace editors::bands
