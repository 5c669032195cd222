#include "image/image_decoder.h"

#include "image/decimal_text.h"
#include "image/dtmf_text.h"
#include "image/frequency_codes.h"
#include "image/tone_codes.h"

namespace image {

namespace {

// A byte's value when it lies in 0..max, else the fallback.
int inRange(std::uint8_t value, int max, int fallback) {
    return value <= max ? value : fallback;
}

int bitOf(std::uint8_t value, int bit) {
    return bitSet(value, bit) ? 1 : 0;
}

void decodeTone(ToneFieldView<const std::uint8_t> tone, std::string& text, int& position) {
    if (tone.isOff()) {
        text.clear();
        position = 0;
        return;
    }
    text = ToneCodeToText(tone.low(), tone.high());
    position = FindTone(text);
}

void decodeChannels(const MemoryImage& image, ChannelTableValues& table) {
    using R = ConstChannelRecord;
    for (int n = 1; n <= ChannelCount; ++n) {
        const ConstChannelRecord record = channelRecord(image, n);
        ChannelRow& row = table.row(n);
        row = ChannelRow{};
        if (record.isEmpty())
            continue;
        row.freqText[0] = freqTextFromBcd(record.rxFrequency());
        if (record.hasTxFrequency())
            row.freqText[1] = freqTextFromBcd(record.txFrequency());
        decodeTone(record.rxTone(), row.toneText[0], row.listIndex[0]);
        decodeTone(record.txTone(), row.toneText[1], row.listIndex[1]);
        const std::uint8_t flags = record.flags();
        row.listIndex[2] = bitOf(flags, R::PowerBit);
        row.listIndex[3] = bitOf(flags, R::BusyLockBit);
        row.listIndex[4] = bitOf(flags, R::ScanAddBit);
        row.listIndex[5] = bitOf(flags, R::WideBit);
    }
}

void decodeFunctionSettings(const MemoryImage& image, OptionalFeaturesValues& v) {
    using F = ConstFunctionSettings;
    const ConstFunctionSettings fs(image);
    v.Combo1 = inRange(fs[F::DisplayMode], 2, 1);
    v.Combo3 = inRange(fs[F::StepFrequency], 4, 1);
    v.Combo16 = inRange(fs[F::MemoryDisplay], 1, 1);
    v.Combo5 = inRange(fs[F::Squelch], 9, 5);
    const std::uint8_t channel = fs[F::PresentChannel];
    v.Text6 = channel <= 99 ? std::to_string(channel) : std::string();

    const std::uint8_t switches = fs[F::Switches];
    v.Combo4 = bitOf(switches, F::KeyBeepBit);
    v.Combo8 = bitOf(switches, F::BatterySaveBit);
    v.Combo9 = bitOf(switches, F::KeyLockBit);
    v.Combo2 = bitOf(switches, F::ReverseBit);
    v.Combo10 = bitOf(switches, F::BacklightBit);
    v.Combo19 = bitOf(switches, F::FmScanAutoBit);

    const std::uint8_t voice = fs[F::VoiceAndKeys];
    v.Combo7 = voice & F::VoicePromptMask;
    v.Combo12 = bitOf(voice, F::KeyLockModeBit);
    v.Combo11 = bitOf(voice, F::FmMonitorBit);
    v.Combo105 = bitOf(voice, F::ScanTimeBit) + 2 * bitOf(voice, F::ScanSearchBit);

    v.Combo14 = inRange(fs[F::VoxGain], 9, 5);
    v.Combo15 = inRange(fs[F::VoxDelay], 5, 1);
    // The radio knows only the first three power-off entries.
    v.Combo6 = inRange(fs[F::AutoPowerOff], 2, 0);
    v.Combo13 = inRange(fs[F::TimeOut], 3, 1);
}

void decodeVfo(const MemoryImage& image, OptionalFeaturesValues& v) {
    using V = ConstVfoSettings;
    const ConstVfoSettings vfo(image);
    v.Text20 = freqTextFromBcd(vfo.frequency());
    v.Text21 = Decimal::leadingNumber(freqTextFromBcd(vfo.offset())).format(FrequencyPattern);
    // 0xFF 0xFF gives a text in no table range, so the list shows off.
    v.Combo22 = FindTone(ToneCodeToText(vfo.rxTone().low(), vfo.rxTone().high()));
    v.Combo23 = FindTone(ToneCodeToText(vfo.txTone().low(), vfo.txTone().high()));
    const std::uint8_t flags = vfo[V::Flags];
    v.Combo24 = bitOf(flags, V::PowerBit);
    v.Combo25 = bitOf(flags, V::BusyLockBit);
    v.Combo27 = bitOf(flags, V::WideBit);
    v.Combo30 = int(vfo[V::OffsetDirection]);
}

template <std::size_t N> std::u16string dtmfText(std::span<const std::uint8_t, N> bytes) {
    std::u16string text;
    for (std::uint8_t b : bytes) {
        if (!isDtmfCharacter(char16_t(b)))
            break; // 0xFF ends the text, and so does anything the code box would refuse
        text.push_back(char16_t(b));
    }
    return text;
}

std::string fmText(std::span<const std::uint8_t, 2> bytes) {
    return fmCodeToText(std::uint16_t(bytes[0] << 8 | bytes[1])).value_or(std::string());
}

void decodeFm(const MemoryImage& image, FmPresetValues& v) {
    using A = ConstFmArea;
    const ConstFmArea fm(image);
    for (int k = 1; k <= FmPresetCount; ++k)
        v.presets[std::size_t(k - 1)] = fmText(fm.preset(k));
    v.Combo1[0] = int(fm[A::CurrentChannel]);
    v.Combo1[1] = int(fm[A::DisplayMode]);
    v.Combo1[2] = int(fm[A::Step]);
    v.Text2 = fmText(fm.fullBand());
}

} // namespace

DecodedImage decodeImage(const MemoryImage& image) {
    DecodedImage out;
    decodeChannels(image, out.Form1);
    decodeFunctionSettings(image, out.Form3);
    decodeVfo(image, out.Form3);

    const ConstDtmfTexts dtmf(image);
    out.Form2.Text2 = dtmfText(dtmf.pttId());
    out.Form2.Text3 = dtmfText(dtmf.ownCode());

    decodeFm(image, out.Form5);

    const ConstCalibration cal(image);
    out.Form4.Slider1 = cal[ConstCalibration::HighPower];
    out.Form4.Slider2 = cal[ConstCalibration::LowPower];
    return out;
}

} // namespace image
