#include "image/tone_codes.h"

#include "image/hex_text.h"
#include "image/text_slices.h"

namespace image {

namespace {

constexpr std::array<std::string_view, 50> CtcssTexts{
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.9",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

constexpr std::array<std::string_view, 105> DcsCodes{
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065",
    "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134",
    "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "223",
    "225", "226", "243", "244", "245", "246", "251", "252", "255", "261", "263", "265",
    "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446",
    "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523", "526",
    "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662",
    "664", "703", "712", "723", "731", "732", "734", "743", "754"};

static_assert(CtcssTexts.size() == CtcssLast);
static_assert(DcsCodes.size() == DcsNormalLast - CtcssLast);
static_assert(2 * DcsCodes.size() + CtcssTexts.size() == ToneCount);

// A DCS code as the tone lists show it: "D", three octal digits, the polarity letter.
// Built by appending: GCC 12 warns wrongly (-Wrestrict) on "D" + std::string in release builds.
std::string dcsText(std::string_view digits, char polarity) {
    std::string text(1, 'D');
    text.append(digits);
    text.push_back(polarity);
    return text;
}

ToneTable buildTable() {
    ToneTable table;
    std::size_t i = 0;
    for (auto text : CtcssTexts)
        table[i++] = std::string(text);
    for (auto code : DcsCodes)
        table[i++] = dcsText(code, 'N');
    for (auto code : DcsCodes)
        table[i++] = dcsText(code, 'I');
    return table;
}

} // namespace

const ToneTable& FillToneTable() {
    static const ToneTable table = buildTable();
    return table;
}

std::string_view toneText(int position) {
    if (position < 1 || position > ToneCount)
        return {};
    return FillToneTable()[std::size_t(position - 1)];
}

int FindTone(std::string_view text) {
    int first = CtcssFirst, last = CtcssLast;
    if (text.find('N') != std::string_view::npos) {
        first = DcsNormalFirst;
        last = DcsNormalLast;
    } else if (text.find('I') != std::string_view::npos) {
        first = DcsInvertedFirst;
        last = DcsInvertedLast;
    }
    const ToneTable& table = FillToneTable();
    for (int p = first; p <= last; ++p) {
        if (table[std::size_t(p - 1)] == text)
            return p;
    }
    return 0;
}

std::string ToneTextToCode(std::string_view text) {
    const bool normal = text.find('N') != std::string_view::npos;
    if (normal || text.find('I') != std::string_view::npos) {
        // DCS: "Dabc" keeps its octal digits; the polarity marks the high nibble.
        return std::string(slice::mid(text, 3, 2)) + (normal ? "8" : "C") +
               std::string(slice::mid(text, 2, 1));
    }
    // CTCSS: the tenths of a hertz as four BCD digits, low pair first.
    std::string digits;
    for (char c : text) {
        if (c != '.')
            digits.push_back(c);
    }
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    return digits.substr(digits.size() - 2) + digits.substr(0, 2);
}

std::string ToneCodeToText(std::uint8_t low, std::uint8_t high) {
    const std::string highDigits = hexDigits(high);
    const std::string lowDigits = hexByte(low);
    if (highDigits.size() == 2 && highDigits[0] == '8')
        return dcsText(highDigits.substr(1) + lowDigits, 'N');
    if (highDigits.size() == 2 && highDigits[0] == 'C')
        return dcsText(highDigits.substr(1) + lowDigits, 'I');
    return highDigits + lowDigits[0] + "." + lowDigits[1];
}

ToneBytes toneBytes(std::string_view text) {
    const std::string code = ToneTextToCode(text);
    const std::string_view view(code);
    return {parseHexByte(slice::mid(view, 1, 2)), parseHexByte(slice::mid(view, 3, 2))};
}

} // namespace image
