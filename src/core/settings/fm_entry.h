#pragma once

#include <string>
#include <string_view>

namespace editors {

// What leaving an FM frequency box makes of the typed text.
struct FmEntry {
    enum Verdict {
        Empty,      // nothing typed
        Accepted,   // `text` holds the frequency in FM text form
        OutOfRange, // a number the box refuses
        NotANumber, // ignored without a word
    };
    Verdict verdict;
    std::string text;

    friend bool operator==(const FmEntry&, const FmEntry&) = default;
};

// A preset takes 70 to 107.95 MHz, both included.
FmEntry checkFmPreset(std::string_view typed);

// The full-band frequency takes 70 MHz up to 108 MHz, which it moves down to
// 107.95 like every other value between two 50 kHz steps.
FmEntry checkFmFullBand(std::string_view typed);

} // namespace editors
