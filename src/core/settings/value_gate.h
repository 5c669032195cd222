// The one gate for values from outside the windows: a YAML file, --set, the
// batch window's values for each radio, a job. A value enters as text and
// is checked as its window checks a typed entry: the band's limits, the
// channel raster, the lists' entries, the characters and length a box
// takes. A value that passes is in the form the windows keep ("438.5"
// becomes "438.50000", "high" becomes "High"); one that does not carries
// what the setting allows, in both languages.
#pragma once

#include "settings/phrase.h"
#include "settings/setting.h"
#include "settings/setting_values.h"

#include <string>
#include <string_view>

namespace settings {

// The language of the values a file or a command gives: the English windows'.
inline constexpr int English = 1;

// `band`: the band code the radio is programmed for. A list takes its
// English entries, and its Chinese ones too when `language` is Chinese;
// letters match in either case and numbers by value ("67" is the tone 67.0).
ParsedValue enterValue(const Setting& setting, std::string_view text, int band,
                       int language = English);

// What was wrong and what is allowed, as every refusal words it:
// "438.513 is refused; allowed: ...".
Phrase refused(Phrase problem, const Phrase& allowed);
Phrase refusalOf(std::string_view text, const ParsedValue& value);

// A value as a message echoes it: on one line, control characters and bytes
// that are not UTF-8 escaped (\n, \x00), cut to a readable length.
std::string echoed(std::string_view text);

} // namespace settings
