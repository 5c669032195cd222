#include "settings/value_pattern.h"

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

} // namespace

std::optional<ValuePattern> parsePattern(std::string_view text, Phrase& error) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        error = both(echoed(text)) + Phrase{"：应写作 键=值", ": not KEY=VALUE"};
        return std::nullopt;
    }
    ValuePattern pattern;
    pattern.key = text.substr(0, equals);
    const std::optional<KeyedSetting> keyed = findKey(pattern.key);
    if (!keyed) {
        error =
            both(echoed(pattern.key)) + Phrase{"：没有这个键的设置", ": no setting has this key"};
        return std::nullopt;
    }
    if (!keyed->setting->inImage()) {
        error = both(pattern.key) + Phrase{"：对讲机的存储器中没有这项设置",
                                           ": the radio's memory does not hold this setting"};
        return std::nullopt;
    }
    if (keyed->setting->field == Field::Band) {
        error = both(pattern.key) +
                Phrase{"：每台对讲机都取文件的频段", ": every radio gets the file's band"};
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
            const std::string most = std::to_string(MaxCounterDigits);
            error = both(echoed(text)) +
                    Phrase{"：计数值应在 + 之前以 1 到 " + most + " 位数字结尾",
                           ": a counter ends in 1 to " + most + " digits before the +"};
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

image::MemoryImage imageWithValues(const image::MemoryImage& image, std::optional<int> band,
                                   std::span<const AssignedValue> values, int language) {
    const image::EditorValues shown = shownValues(image::decodeImage(image), band);
    image::EditorValues changed = shown;
    for (const auto& [pattern, text] : values)
        setValue(*pattern.setting.setting, changed, pattern.setting.index,
                 enterValue(*pattern.setting.setting, text, shown.band.value_or(DefaultBandCode),
                            language));
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
