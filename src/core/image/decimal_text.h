// Exact decimal numbers read from texts. Frequencies are kept as texts and
// every calculation on them goes through this type, never through binary
// floating point, so 438.51250 stays 438.51250 and 88.05 stays 88.05.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace image {

enum class Rounding {
    HalfAwayFromZero, // the display formats
    HalfEven,         // conversions of a number to a whole byte or code
    TowardZero,
};

class Decimal {
  public:
    Decimal() = default; // zero

    // The whole text as a number: optional blanks around it, an optional sign,
    // digits with at most one point and at least one digit. Anything else is
    // not a number.
    static std::optional<Decimal> parse(std::string_view text);

    // The number at the start of a text (blanks, sign, digits and one point),
    // ignoring whatever follows; 0 when the text starts with no digit.
    // "10" gives 10, "FF" gives 0, "012.5A" gives 12.5.
    static Decimal leadingNumber(std::string_view text);

    // units * 10^-decimals.
    static Decimal fromScaled(std::int64_t units, int decimals);

    bool isZero() const { return integer_.empty() && fraction_.empty(); }
    bool isNegative() const { return negative_; }

    Decimal times(unsigned factor) const;

    // The value in whole units of 10^-decimals (decimals 0..18); nullopt when it
    // does not fit in 64 bits.
    std::optional<std::int64_t> scaled(int decimals, Rounding rounding) const;

    // Formats with a pattern of zeros such as "0.00000" or "000.00000": the
    // integer part padded to the zeros before the point, exactly as many
    // decimals as zeros after it, rounded half away from zero.
    std::string format(std::string_view pattern) const;

    // The shortest exact text, such as "-12.5" or "0".
    std::string toString() const;

    friend bool operator==(const Decimal&, const Decimal&) = default;
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

  private:
    static Decimal normalized(bool negative, std::string integer, std::string fraction);

    bool negative_ = false; // never set for zero
    std::string integer_;   // digits without leading zeros; empty for 0
    std::string fraction_;  // digits without trailing zeros
};

// The two patterns of radio frequency texts: what the editors show, and the
// three-digit form that the BCD conversion needs.
inline constexpr std::string_view FrequencyPattern = "0.00000";
inline constexpr std::string_view PaddedFrequencyPattern = "000.00000";

bool isNumber(std::string_view text);

// The text read as a number and formatted; nullopt when it is not a number.
std::optional<std::string> formatNumberText(std::string_view text, std::string_view pattern);

} // namespace image
