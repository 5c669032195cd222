// The values of the catalogue's settings: what New gives, how the windows
// take a decoded image, and each value as the windows show it (a list's
// entry, a box's text) and back.
#pragma once

#include "image/band_limits.h"
#include "image/editor_values.h"
#include "settings/phrase.h"
#include "settings/setting.h"

#include <optional>
#include <string>
#include <string_view>

namespace settings {

// A list's entries: its own, then the tone texts where it has them.
int entryCount(const Setting& setting);
// The entry at `position`; empty for a position the list lacks.
std::string entryText(const Setting& setting, int position, int language);

// The limits of a band code's entry ("136-174MHz" gives 136 and 174); those
// of the default band for a code the list lacks.
image::BandLimits bandLimits(int band);

// What the windows hold after New with `band` selected.
image::EditorValues newValues(int band);

// The windows' rules for a decoded image: each value is taken as its
// setting's rule says, onto what the windows held.
void takeDecoded(image::EditorValues& shown, const image::DecodedImage& decoded);

// What a file shows: New, its band selected (when it names one), then its
// image taken.
image::EditorValues shownValues(const image::DecodedImage& decoded, std::optional<int> band);

// A setting's value: a list's position (nothing: no selection), a number,
// or a text. A setting the image does not hold has its New value.
std::optional<int> positionOf(const Setting& setting, const image::EditorValues& values,
                              int index = 1);
std::string textOf(const Setting& setting, const image::EditorValues& values, int index = 1);

// The value as the window shows it in `language`: a list's entry (a tone
// list shows a tone text it cannot select as it is), a box's text, a
// number. An empty channel shows nothing in any column.
std::string valueText(const Setting& setting, const image::EditorValues& values, int index,
                      int language);

// A value as the gate (value_gate.h) takes it: a position, a number or a
// text, or why it cannot be the value (what the setting allows).
struct ParsedValue {
    std::optional<int> number; // a list's position or a slider's value
    std::string text;
    Phrase allowed; // empty when the text is a value
    bool ok() const { return allowed.empty(); }
};

// Stores a parsed value; false for a setting the image does not hold.
bool setValue(const Setting& setting, image::EditorValues& values, int index,
              const ParsedValue& value);

} // namespace settings
