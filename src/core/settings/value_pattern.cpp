#include "settings/value_pattern.h"

#include "image/dtmf_text.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "settings/setting_values.h"

#include <algorithm>
#include <charconv>

namespace settings {

namespace {

// More digits than this overflow the counter long before any setting's
// length limit matters.
constexpr std::size_t MaxCounterDigits = 18;

bool isDtmfField(Field field) {
    return field == Field::DtmfOwnCode || field == Field::DtmfPttId;
}

} // namespace

std::optional<ValuePattern> parsePattern(std::string_view text, std::string& error) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        error = std::string(text) + ": not KEY=VALUE";
        return std::nullopt;
    }
    ValuePattern pattern;
    pattern.key = text.substr(0, equals);
    const std::optional<KeyedSetting> keyed = findKey(pattern.key);
    if (!keyed) {
        error = pattern.key + ": no setting has this key";
        return std::nullopt;
    }
    if (!keyed->setting->inImage()) {
        error = pattern.key + ": the radio's memory does not hold this setting";
        return std::nullopt;
    }
    pattern.setting = *keyed;
    std::string_view value = text.substr(equals + 1);
    if (value.ends_with('+')) {
        value.remove_suffix(1);
        const std::size_t digits = std::size_t(
            std::find_if(value.rbegin(), value.rend(), [](char c) { return c < '0' || c > '9'; }) -
            value.rbegin());
        if (digits == 0 || digits > MaxCounterDigits) {
            error = std::string(text) + ": a counter ends in 1 to " +
                    std::to_string(MaxCounterDigits) + " digits before the +";
            return std::nullopt;
        }
        std::uint64_t first = 0;
        std::from_chars(value.data() + value.size() - digits, value.data() + value.size(), first);
        pattern.first = first;
        pattern.width = digits;
        value.remove_suffix(digits);
    }
    pattern.prefix = value;
    return pattern;
}

std::string patternValue(const ValuePattern& pattern, std::uint64_t n) {
    if (!pattern.first)
        return pattern.prefix;
    const std::string number = std::to_string(*pattern.first + n);
    const std::size_t zeros = number.size() < pattern.width ? pattern.width - number.size() : 0;
    return pattern.prefix + std::string(zeros, '0') + number;
}

bool startCountersAt(std::span<ValuePattern> patterns, std::uint64_t start) {
    const auto first =
        std::ranges::find_if(patterns, [](const ValuePattern& p) { return p.first.has_value(); });
    if (first == patterns.end())
        return true;
    const std::uint64_t from = *first->first;
    for (const ValuePattern& pattern : patterns)
        if (pattern.first && start < from && from - start > *pattern.first)
            return false;
    for (ValuePattern& pattern : patterns)
        if (pattern.first)
            pattern.first = *pattern.first - from + start;
    return true;
}

std::string valueRefusal(const Setting& setting, std::string_view text) {
    if (isDtmfField(setting.field))
        for (char c : text)
            if (!image::isDtmfCharacter(char16_t(static_cast<unsigned char>(c))))
                return "DTMF has no character '" + std::string(1, c) + "' (0-9, A-D, * and #)";
    const ParsedValue parsed = parseValueText(setting, text, 1);
    return parsed.ok() ? std::string() : "the setting takes " + parsed.allowed;
}

image::MemoryImage imageWithValues(const image::MemoryImage& image, std::optional<int> band,
                                   std::span<const AssignedValue> values) {
    const image::EditorValues shown = shownValues(image::decodeImage(image), band);
    image::EditorValues changed = shown;
    for (const auto& [pattern, text] : values)
        setValue(*pattern.setting.setting, changed, pattern.setting.index,
                 parseValueText(*pattern.setting.setting, text, 1));
    image::MemoryImage before = image;
    image::MemoryImage after = image;
    image::encodeImage(shown, before);
    image::encodeImage(changed, after);
    image::MemoryImage result = image;
    for (std::size_t n = 0; n < image::ImageSize; ++n)
        if (before[n] != after[n])
            result[n] = after[n];
    return result;
}

} // namespace settings
