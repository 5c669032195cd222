// Values that differ from radio to radio in one batch: "dtmf.own_code=1001+"
// gives the first radio 1001, the next 1002, and so on; a value without a
// counter gives every radio the same. Each radio's image is the file's with
// only the bytes of those settings changed.
#pragma once

#include "image/image_layout.h"
#include "settings/catalogue.h"
#include "settings/phrase.h"
#include "settings/value_gate.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace settings {

struct ValuePattern {
    std::string key; // as given: "dtmf.own_code"
    KeyedSetting setting;
    std::string prefix; // before the counter's digits, or the whole value
    // The counter: its first value and its width (leading zeros kept, so
    // "0001+" counts 0001, 0002 ...); none for a fixed value.
    std::optional<std::uint64_t> first;
    std::size_t width = 0;
};

// "KEY=VALUE" or "KEY=VALUE+" (the digits that end VALUE count). Nothing for
// a key the catalogue lacks, a setting no image holds, the band (a radio
// gets the file's), or no "=": `error` says which. The values themselves
// pass the gate (value_gate.h) radio by radio.
std::optional<ValuePattern> parsePattern(std::string_view text, Phrase& error);

// The value of radio `n` (0 for the first radio of all).
std::string patternValue(const ValuePattern& pattern, std::uint64_t n);

// Moves the counters so that the first begins at `start`; the others move
// as far, keeping their distance. False when one would begin below 0.
bool startCountersAt(std::span<ValuePattern> patterns, std::uint64_t start);

using AssignedValue = std::pair<ValuePattern, std::string>;

// `image` with the values set as the windows would set them: only the bytes
// those settings change differ from `image`, whatever else the windows
// would have written differently. The values must be ones the gate takes
// for the band and `language`.
image::MemoryImage imageWithValues(const image::MemoryImage& image, std::optional<int> band,
                                   std::span<const AssignedValue> values, int language = English);

} // namespace settings
