#include "image/image_encoder.h"

#include "image/decimal_text.h"
#include "image/frequency_codes.h"
#include "image/tone_codes.h"

#include <algorithm>
#include <initializer_list>

namespace image {

namespace {

using Byte = std::optional<std::uint8_t>;

void put(std::uint8_t& target, Byte value) {
    if (value)
        target = *value;
}

void fill(MemoryImage& image, ByteRange range, std::uint8_t value) {
    std::fill(image.begin() + std::ptrdiff_t(range.first),
              image.begin() + std::ptrdiff_t(range.last) + 1, value);
}

template <std::size_t N> void fill(std::span<std::uint8_t, N> bytes, std::uint8_t value) {
    std::fill(bytes.begin(), bytes.end(), value);
}

// A list position or slider value as one byte.
Byte byteOf(std::optional<int> value) {
    if (!value || *value < 0 || *value > 0xFF)
        return std::nullopt;
    return std::uint8_t(*value);
}

// A list position that fills a field of `bits` bits, shifted into place.
Byte fieldOf(std::optional<int> position, int bits, int shift) {
    if (!position || *position < 0 || *position >= (1 << bits))
        return std::nullopt;
    return std::uint8_t(*position << shift);
}

// The scan mode's bits of 0x707: one bit per mode besides carry.
Byte scanModeField(std::optional<int> position) {
    using F = FunctionSettings;
    if (!position || *position < 0 || *position > 2)
        return std::nullopt;
    if (*position == 0)
        return std::uint8_t(0);
    return std::uint8_t(1u << (*position == 1 ? F::ScanTimeBit : F::ScanSearchBit));
}

// ORs the fields into a packed byte; any field without a value spoils the byte.
Byte packed(std::uint8_t alwaysSet, std::initializer_list<Byte> fields) {
    std::uint8_t value = alwaysSet;
    for (const Byte& field : fields) {
        if (!field)
            return std::nullopt;
        value |= *field;
    }
    return value;
}

// The four BCD bytes of a frequency text: the lowest address holds part 4.
void putFrequency(std::span<std::uint8_t, 4> bytes, std::string_view text) {
    for (int part = 1; part <= 4; ++part)
        put(bytes[std::size_t(4 - part)], FreqTextToBcd(text, part));
}

template <typename View> void putTone(const View& tone, std::string_view text) {
    const ToneBytes code = toneBytes(text);
    put(tone.bytes()[0], code.low);
    put(tone.bytes()[1], code.high);
}

// A tone list position: 0 is off, 1..260 the tone table.
template <typename View> void putTonePosition(const View& tone, ListPosition position) {
    if (position == 0)
        fill(tone.bytes(), 0xFF);
    else if (position && *position >= 1 && *position <= ToneCount)
        putTone(tone, toneText(*position));
}

template <std::size_t N>
void putText(std::span<std::uint8_t, N> bytes, const std::u16string& text) {
    for (std::size_t k = 0; k < N; ++k) {
        if (k >= text.size())
            bytes[k] = 0xFF;
        else if (text[k] <= 0xFF)
            bytes[k] = std::uint8_t(text[k]);
    }
}

void putFm(std::span<std::uint8_t, 2> bytes, std::string_view text) {
    if (const auto code = FmCode(text)) {
        bytes[0] = (*code)[0];
        bytes[1] = (*code)[1];
    }
}

void encodeChannels(const ChannelTableValues& table, MemoryImage& target) {
    using R = ChannelRecord;
    for (int n = 1; n <= ChannelCount; ++n) {
        const ChannelRow& row = table.row(n);
        const ChannelRecord record = channelRecord(target, n);
        if (row.isEmpty()) {
            fill(record.bytes(), 0xFF);
            continue;
        }
        putFrequency(record.rxFrequency(), row.freqText[0]);
        if (row.freqText[1].empty())
            fill(record.txFrequency(), 0xFF);
        else
            putFrequency(record.txFrequency(), row.freqText[1]);

        if (row.listIndex[0] == 0)
            fill(record.rxTone().bytes(), 0xFF);
        else
            putTone(record.rxTone(), row.toneText[0]);
        if (row.listIndex[1] == 0)
            fill(record.txTone().bytes(), 0xFF);
        else
            putTone(record.txTone(), row.toneText[1]);

        put(record.flags(), packed(R::FlagsAlwaysSet, {fieldOf(row.listIndex[2], 1, R::PowerBit),
                                                       fieldOf(row.listIndex[3], 1, R::BusyLockBit),
                                                       fieldOf(row.listIndex[4], 1, R::ScanAddBit),
                                                       fieldOf(row.listIndex[5], 1, R::WideBit)}));
    }
    fill(target, offsets::ChannelSpare, 0xFF);
}

// The present channel box holds whole numbers; anything else is rounded as a
// number converts to a byte, ties to even.
Byte presentChannel(const std::string& text) {
    if (text.empty())
        return 0xFF;
    const auto value = Decimal::parse(text);
    if (!value)
        return std::nullopt;
    const auto whole = value->scaled(0, Rounding::HalfEven);
    if (!whole || *whole < 0 || *whole > 0xFF)
        return std::nullopt;
    return std::uint8_t(*whole);
}

void encodeFunctionSettings(const OptionalFeaturesValues& v, MemoryImage& target) {
    using F = FunctionSettings;
    const FunctionSettings fs(target);
    put(fs[F::DisplayMode], byteOf(v.Combo1));
    fs[F::Spare1] = 0xFF;
    put(fs[F::StepFrequency], byteOf(v.Combo3));
    put(fs[F::MemoryDisplay], byteOf(v.Combo16));
    put(fs[F::Squelch], byteOf(v.Combo5));
    put(fs[F::PresentChannel], presentChannel(v.Text6));
    put(fs[F::Switches],
        packed(F::SwitchesAlwaysSet,
               {fieldOf(v.Combo4, 1, F::KeyBeepBit), fieldOf(v.Combo8, 1, F::BatterySaveBit),
                fieldOf(v.Combo9, 1, F::KeyLockBit), fieldOf(v.Combo2, 1, F::ReverseBit),
                fieldOf(v.Combo10, 1, F::BacklightBit), fieldOf(v.Combo19, 1, F::FmScanAutoBit)}));
    put(fs[F::VoiceAndKeys],
        packed(F::VoiceAndKeysAlwaysSet,
               {fieldOf(v.Combo7, 2, 0), fieldOf(v.Combo12, 1, F::KeyLockModeBit),
                fieldOf(v.Combo11, 1, F::FmMonitorBit), scanModeField(v.Combo105)}));
    fs[F::Zero8] = 0x00;
    fs[F::Zero9] = 0x00;
    put(fs[F::VoxGain], byteOf(v.Combo14));
    put(fs[F::VoxDelay], byteOf(v.Combo15));
    put(fs[F::AutoPowerOff], byteOf(v.Combo6));
    fs[F::SpareD] = 0xFF;
    fs[F::SpareE] = 0xFF;
    put(fs[F::TimeOut], byteOf(v.Combo13));
}

void encodeVfo(const OptionalFeaturesValues& v, MemoryImage& target) {
    using V = VfoSettings;
    const VfoSettings vfo(target);
    putFrequency(vfo.frequency(), v.Text20);
    if (const auto offset = formatNumberText(v.Text21, PaddedFrequencyPattern))
        putFrequency(vfo.offset(), *offset);
    putTonePosition(vfo.rxTone(), v.Combo22);
    putTonePosition(vfo.txTone(), v.Combo23);
    put(vfo[V::Flags], packed(V::FlagsAlwaysSet, {fieldOf(v.Combo24, 1, V::PowerBit),
                                                  fieldOf(v.Combo25, 1, V::BusyLockBit),
                                                  fieldOf(v.Combo27, 1, V::WideBit)}));
    vfo[V::SpareD] = 0xFF;
    put(vfo[V::OffsetDirection], byteOf(v.Combo30));
    fill(target, offsets::VfoSpare, 0xFF);
}

void encodeFm(const FmPresetValues& v, MemoryImage& target) {
    using A = FmArea;
    const FmArea fm(target);
    for (int k = 1; k <= FmPresetCount; ++k)
        putFm(fm.preset(k), v.presets[std::size_t(k - 1)]);
    put(fm[A::CurrentChannel], byteOf(v.Combo1[0]));
    put(fm[A::DisplayMode], byteOf(v.Combo1[1]));
    put(fm[A::Step], byteOf(v.Combo1[2]));
    fm[A::Spare] = 0xFF;
    putFm(fm.fullBand(), v.Text2);
    fill(target, offsets::FmSpare, 0xFF);
}

void encodeCalibration(const PowerLevelValues& v, MemoryImage& target) {
    using C = Calibration;
    const Calibration cal(target);
    put(cal[C::HighPower], byteOf(v.Slider1));
    cal[C::HighPower + 1] = 0xFF;
    put(cal[C::LowPower], byteOf(v.Slider2));
    fill(cal.bytes().subspan(C::LowPower + 1), 0xFF);
}

} // namespace

void encodeImage(const EditorValues& values, MemoryImage& target) {
    encodeChannels(values.Form1, target);
    encodeFunctionSettings(values.Form3, target);

    std::copy(ModelText.begin(), ModelText.end(), target.begin() + offsets::ModelText);
    put(target[offsets::Band], byteOf(values.band));
    fill(target, offsets::BandSpare, 0xFF);

    encodeVfo(values.Form3, target);

    const DtmfTexts dtmf(target);
    putText(dtmf.pttId(), values.Form2.Text2);
    putText(dtmf.ownCode(), values.Form2.Text3);
    fill(target, offsets::DtmfSpare, 0xFF);

    encodeFm(values.Form5, target);
    encodeCalibration(values.Form4, target);
}

} // namespace image
