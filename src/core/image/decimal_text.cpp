#include "image/decimal_text.h"

#include <algorithm>
#include <limits>

namespace image {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Adds one to a string of decimal digits.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Reads [sign] digits [. digits] from the front of text. Returns the number of
// characters used, 0 when no digit was found.
struct Scan {
    std::size_t used = 0;
    bool negative = false;
    std::string integer;
    std::string fraction;
};

Scan scanNumber(std::string_view text) {
    Scan scan;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        scan.negative = text[i] == '-';
        ++i;
    }
    bool point = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            (point ? scan.fraction : scan.integer).push_back(c);
            anyDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    scan.used = anyDigit ? i : 0;
    return scan;
}

} // namespace

Decimal Decimal::normalized(bool negative, std::string integer, std::string fraction) {
    Decimal d;
    const auto firstNonZero = integer.find_first_not_of('0');
    d.integer_ = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
    const auto lastNonZero = fraction.find_last_not_of('0');
    d.fraction_ =
        lastNonZero == std::string::npos ? std::string() : fraction.substr(0, lastNonZero + 1);
    d.negative_ = negative && !d.isZero();
    return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    Scan scan = scanNumber(text);
    if (scan.used == 0 || scan.used != text.size())
        return std::nullopt;
    return normalized(scan.negative, std::move(scan.integer), std::move(scan.fraction));
}

Decimal Decimal::leadingNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    Scan scan = scanNumber(text);
    if (scan.used == 0)
        return Decimal();
    return normalized(scan.negative, std::move(scan.integer), std::move(scan.fraction));
}

Decimal Decimal::fromScaled(std::int64_t units, int decimals) {
    const bool negative = units < 0;
    // The magnitude as unsigned, so the most negative value is safe.
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::string digits = std::to_string(magnitude);
    const std::size_t d = static_cast<std::size_t>(std::max(decimals, 0));
    if (digits.size() < d + 1)
        digits.insert(0, d + 1 - digits.size(), '0');
    return normalized(negative, digits.substr(0, digits.size() - d),
                      digits.substr(digits.size() - d));
}

Decimal Decimal::times(unsigned factor) const {
    std::string digits = integer_ + fraction_;
    std::uint64_t carry = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        const std::uint64_t v = std::uint64_t(*it - '0') * factor + carry;
        *it = char('0' + v % 10);
        carry = v / 10;
    }
    while (carry != 0) {
        digits.insert(digits.begin(), char('0' + carry % 10));
        carry /= 10;
    }
    const std::size_t split = digits.size() - fraction_.size();
    return normalized(negative_, digits.substr(0, split), digits.substr(split));
}

std::optional<std::int64_t> Decimal::scaled(int decimals, Rounding rounding) const {
    if (decimals < 0 || decimals > 18)
        return std::nullopt;
    const std::size_t d = static_cast<std::size_t>(decimals);
    std::string kept = integer_ + fraction_.substr(0, std::min(d, fraction_.size()));
    kept.append(d - std::min(d, fraction_.size()), '0');
    const std::string_view rest =
        fraction_.size() > d ? std::string_view(fraction_).substr(d) : std::string_view();

    constexpr std::uint64_t limit = std::numeric_limits<std::int64_t>::max();
    std::uint64_t value = 0;
    for (char c : kept) {
        if (value > (limit - std::uint64_t(c - '0')) / 10)
            return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
    }

    bool up = false;
    if (!rest.empty() && rounding != Rounding::TowardZero) {
        // rest has no trailing zeros, so "5" alone is exactly one half.
        const bool half = rest == "5";
        const bool aboveHalf = rest[0] > '5' || (rest[0] == '5' && !half);
        if (aboveHalf)
            up = true;
        else if (half)
            up = rounding == Rounding::HalfAwayFromZero || (value % 2) == 1;
    }
    if (up) {
        if (value == limit)
            return std::nullopt;
        ++value;
    }
    const auto signedValue = static_cast<std::int64_t>(value);
    return negative_ ? -signedValue : signedValue;
}

std::string Decimal::format(std::string_view pattern) const {
    const auto point = pattern.find('.');
    const std::size_t integerDigits =
        std::max<std::size_t>(point == std::string_view::npos ? pattern.size() : point, 1);
    const std::size_t decimals = point == std::string_view::npos ? 0 : pattern.size() - point - 1;

    std::string digits = integer_ + fraction_.substr(0, std::min(decimals, fraction_.size()));
    digits.append(decimals - std::min(decimals, fraction_.size()), '0');
    if (fraction_.size() > decimals && fraction_[decimals] >= '5')
        incrementDigits(digits);

    std::string integer = digits.substr(0, digits.size() - decimals);
    const std::string fraction = digits.substr(digits.size() - decimals);
    if (integer.size() < integerDigits)
        integer.insert(0, integerDigits - integer.size(), '0');

    const bool showSign = negative_ && digits.find_first_not_of('0') != std::string::npos;
    std::string out = showSign ? "-" : "";
    out += integer;
    if (decimals > 0)
        out += "." + fraction;
    return out;
}

std::string Decimal::toString() const {
    std::string out = negative_ ? "-" : "";
    out += integer_.empty() ? "0" : integer_;
    if (!fraction_.empty())
        out += "." + fraction_;
    return out;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    if (a.negative_ != b.negative_)
        return a.negative_ ? std::strong_ordering::less : std::strong_ordering::greater;
    auto magnitude = [&]() {
        if (a.integer_.size() != b.integer_.size())
            return a.integer_.size() <=> b.integer_.size();
        if (auto c = a.integer_ <=> b.integer_; c != 0)
            return c;
        return a.fraction_ <=> b.fraction_;
    }();
    return a.negative_ ? 0 <=> magnitude : magnitude;
}

bool isNumber(std::string_view text) {
    return Decimal::parse(text).has_value();
}

std::optional<std::string> formatNumberText(std::string_view text, std::string_view pattern) {
    const auto value = Decimal::parse(text);
    if (!value)
        return std::nullopt;
    return value->format(pattern);
}

} // namespace image
