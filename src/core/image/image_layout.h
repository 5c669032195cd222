// The one definition of the TQ-305 memory image: where every field lives and
// small views that read and write the fields by name.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

namespace image {

inline constexpr std::size_t ImageSize = 2048;
inline constexpr int ChannelCount = 99;
inline constexpr std::size_t ChannelRecordSize = 13;

// ReceiveImage and TransmitImage: indices 0..2047 hold the image; index 2048
// exists (the buffers were always one longer) and is never used.
using MemoryImage = std::array<std::uint8_t, ImageSize + 1>;

// An inclusive range of image offsets.
struct ByteRange {
    std::size_t first;
    std::size_t last;
    constexpr std::size_t size() const { return last - first + 1; }
};

namespace offsets {
inline constexpr std::size_t ChannelRecords = 0x000;
inline constexpr ByteRange ChannelSpare{0x507, 0x6FF};
inline constexpr std::size_t FunctionSettings = 0x700;
inline constexpr std::size_t ModelText = 0x710;
inline constexpr std::size_t Band = 0x716;
inline constexpr ByteRange BandSpare{0x717, 0x71F};
inline constexpr std::size_t Vfo = 0x720;
inline constexpr ByteRange VfoSpare{0x72F, 0x73F};
inline constexpr std::size_t DtmfPttId = 0x740;
inline constexpr std::size_t DtmfOwnCode = 0x750;
inline constexpr ByteRange DtmfSpare{0x758, 0x75F};
inline constexpr std::size_t FmPresets = 0x760;
inline constexpr std::size_t FmSettings = 0x7A0;
inline constexpr ByteRange FmSpare{0x7A6, 0x7EF};
inline constexpr std::size_t Calibration = 0x7F0;
} // namespace offsets

// The model text written at 0x710: "TQ-47" and a terminating zero.
inline constexpr std::array<std::uint8_t, 6> ModelText{'T', 'Q', '-', '4', '7', 0x00};

inline constexpr std::size_t DtmfPttIdLength = 16;
inline constexpr std::size_t DtmfOwnCodeLength = 8;
inline constexpr int FmPresetCount = 32;

// Bit helpers for the packed two-valued settings.
constexpr bool bitSet(std::uint8_t value, int bit) {
    return ((value >> bit) & 1u) != 0;
}

// Base of the views: a fixed window of the image, const or mutable.
template <typename Byte, std::size_t Base, std::size_t Size> class FieldView {
  public:
    using ImageRef = std::conditional_t<std::is_const_v<Byte>, const MemoryImage&, MemoryImage&>;
    explicit FieldView(ImageRef image) : bytes_(image.data() + Base, Size) {}
    explicit FieldView(std::span<Byte, Size> bytes) : bytes_(bytes) {}

    Byte& operator[](std::size_t field) const { return bytes_[field]; }
    std::span<Byte, Size> bytes() const { return bytes_; }
    template <std::size_t Offset, std::size_t Count> std::span<Byte, Count> sub() const {
        return bytes_.template subspan<Offset, Count>();
    }

  protected:
    std::span<Byte, Size> bytes_;
};

// A two-byte tone field: low byte at the lower address; 0xFF 0xFF is off.
template <typename Byte> class ToneFieldView {
  public:
    explicit ToneFieldView(std::span<Byte, 2> bytes) : bytes_(bytes) {}
    std::uint8_t low() const { return bytes_[0]; }
    std::uint8_t high() const { return bytes_[1]; }
    bool isOff() const { return bytes_[0] == 0xFF && bytes_[1] == 0xFF; }
    std::span<Byte, 2> bytes() const { return bytes_; }

  private:
    std::span<Byte, 2> bytes_;
};

// A channel record of 13 bytes. Channel n (1..99) starts at (n - 1) * 13.
template <typename Byte> class ChannelRecordView : public FieldView<Byte, 0, ChannelRecordSize> {
    using Base = FieldView<Byte, 0, ChannelRecordSize>;

  public:
    static constexpr std::size_t RxFrequency = 0; // 4 bytes BCD, +3 most significant
    static constexpr std::size_t TxFrequency = 4; // 4 bytes BCD, 0xFF in +4: none
    static constexpr std::size_t RxTone = 8;      // +8 low, +9 high
    static constexpr std::size_t TxTone = 10;     // +10 low, +11 high
    static constexpr std::size_t Flags = 12;

    static constexpr int PowerBit = 0;                   // 0 low, 1 high
    static constexpr int BusyLockBit = 2;                // 0 lock on carrier, 1 off
    static constexpr int ScanAddBit = 3;                 // 0 excluded, 1 included
    static constexpr int WideBit = 4;                    // 0 narrow, 1 wide
    static constexpr std::uint8_t FlagsAlwaysSet = 0xE2; // bits 1, 5, 6, 7

    explicit ChannelRecordView(std::span<Byte, ChannelRecordSize> bytes) : Base(bytes) {}

    bool isEmpty() const { return (*this)[RxFrequency] == 0xFF; }
    bool hasTxFrequency() const { return (*this)[TxFrequency] != 0xFF; }
    std::span<Byte, 4> rxFrequency() const { return this->template sub<RxFrequency, 4>(); }
    std::span<Byte, 4> txFrequency() const { return this->template sub<TxFrequency, 4>(); }
    ToneFieldView<Byte> rxTone() const {
        return ToneFieldView<Byte>(this->template sub<RxTone, 2>());
    }
    ToneFieldView<Byte> txTone() const {
        return ToneFieldView<Byte>(this->template sub<TxTone, 2>());
    }
    Byte& flags() const { return (*this)[Flags]; }
};

using ChannelRecord = ChannelRecordView<std::uint8_t>;
using ConstChannelRecord = ChannelRecordView<const std::uint8_t>;

// Channel n, 1..99.
inline ChannelRecord channelRecord(MemoryImage& image, int n) {
    assert(n >= 1 && n <= ChannelCount);
    return ChannelRecord(std::span<std::uint8_t, ChannelRecordSize>(
        image.data() + offsets::ChannelRecords + std::size_t(n - 1) * ChannelRecordSize,
        ChannelRecordSize));
}
inline ConstChannelRecord channelRecord(const MemoryImage& image, int n) {
    assert(n >= 1 && n <= ChannelCount);
    return ConstChannelRecord(std::span<const std::uint8_t, ChannelRecordSize>(
        image.data() + offsets::ChannelRecords + std::size_t(n - 1) * ChannelRecordSize,
        ChannelRecordSize));
}

// Function settings 0x700..0x70F: one list position per byte, and two bit fields.
template <typename Byte>
class FunctionSettingsView : public FieldView<Byte, offsets::FunctionSettings, 16> {
  public:
    static constexpr std::size_t DisplayMode = 0x0;    // Form3 Combo1
    static constexpr std::size_t Spare1 = 0x1;         // 0xFF
    static constexpr std::size_t StepFrequency = 0x2;  // Combo3
    static constexpr std::size_t MemoryDisplay = 0x3;  // Combo16
    static constexpr std::size_t Squelch = 0x4;        // Combo5
    static constexpr std::size_t PresentChannel = 0x5; // Text6, 0xFF when empty
    static constexpr std::size_t Switches = 0x6;       // bit field below
    static constexpr std::size_t VoiceAndKeys = 0x7;   // bit field below
    static constexpr std::size_t Zero8 = 0x8;          // 0x00
    static constexpr std::size_t Zero9 = 0x9;          // 0x00
    static constexpr std::size_t VoxGain = 0xA;        // Combo14
    static constexpr std::size_t VoxDelay = 0xB;       // Combo15
    static constexpr std::size_t AutoPowerOff = 0xC;   // Combo6
    static constexpr std::size_t SpareD = 0xD;         // 0xFF
    static constexpr std::size_t SpareE = 0xE;         // 0xFF
    static constexpr std::size_t TimeOut = 0xF;        // Combo13

    // Switches (0x706).
    static constexpr int KeyBeepBit = 0;                    // Combo4
    static constexpr int BatterySaveBit = 2;                // Combo8
    static constexpr int KeyLockBit = 3;                    // Combo9
    static constexpr int ReverseBit = 4;                    // Combo2
    static constexpr int BacklightBit = 5;                  // Combo10
    static constexpr int FmScanAutoBit = 7;                 // Combo19
    static constexpr std::uint8_t SwitchesAlwaysSet = 0x42; // bits 1 and 6

    // Voice and keys (0x707). The scan mode field has the layout that stored
    // files and programmed radios carry: bits 4 and 5 written as 1, mode 1
    // (time) sets bit 6, mode 2 (search) sets bit 7, mode 0 (carry) neither.
    // Both bits set is a mode the list lacks.
    static constexpr std::uint8_t VoicePromptMask = 0x03;       // Combo7, bits 0..1
    static constexpr int KeyLockModeBit = 2;                    // Combo12
    static constexpr int FmMonitorBit = 3;                      // Combo11
    static constexpr int ScanTimeBit = 6;                       // Combo105 position 1
    static constexpr int ScanSearchBit = 7;                     // Combo105 position 2
    static constexpr std::uint8_t VoiceAndKeysAlwaysSet = 0x30; // bits 4 and 5

    using FieldView<Byte, offsets::FunctionSettings, 16>::FieldView;
};
using FunctionSettings = FunctionSettingsView<std::uint8_t>;
using ConstFunctionSettings = FunctionSettingsView<const std::uint8_t>;

// Full-band frequency (VFO) settings 0x720..0x72F.
template <typename Byte> class VfoSettingsView : public FieldView<Byte, offsets::Vfo, 16> {
  public:
    static constexpr std::size_t Frequency = 0x0; // 4 bytes BCD, 0x723 most significant
    static constexpr std::size_t Offset = 0x4;    // 4 bytes BCD, 0x727 most significant
    static constexpr std::size_t RxTone = 0x8;    // Combo22
    static constexpr std::size_t TxTone = 0xA;    // Combo23
    static constexpr std::size_t Flags = 0xC;
    static constexpr std::size_t SpareD = 0xD;          // 0xFF
    static constexpr std::size_t OffsetDirection = 0xE; // Combo30
    static constexpr std::size_t SpareF = 0xF;          // 0xFF

    static constexpr int PowerBit = 0;                   // Combo24
    static constexpr int BusyLockBit = 2;                // Combo25
    static constexpr int WideBit = 4;                    // Combo27
    static constexpr std::uint8_t FlagsAlwaysSet = 0xEA; // bits 1, 3, 5, 6, 7

    using FieldView<Byte, offsets::Vfo, 16>::FieldView;

    std::span<Byte, 4> frequency() const { return this->template sub<Frequency, 4>(); }
    std::span<Byte, 4> offset() const { return this->template sub<Offset, 4>(); }
    ToneFieldView<Byte> rxTone() const {
        return ToneFieldView<Byte>(this->template sub<RxTone, 2>());
    }
    ToneFieldView<Byte> txTone() const {
        return ToneFieldView<Byte>(this->template sub<TxTone, 2>());
    }
};
using VfoSettings = VfoSettingsView<std::uint8_t>;
using ConstVfoSettings = VfoSettingsView<const std::uint8_t>;

// DTMF texts: one character code per byte, 0xFF past the end of the text.
template <typename Byte> class DtmfTextsView : public FieldView<Byte, offsets::DtmfPttId, 24> {
  public:
    using FieldView<Byte, offsets::DtmfPttId, 24>::FieldView;
    std::span<Byte, DtmfPttIdLength> pttId() const {
        return this->template sub<0, DtmfPttIdLength>();
    }
    std::span<Byte, DtmfOwnCodeLength> ownCode() const {
        return this->template sub<offsets::DtmfOwnCode - offsets::DtmfPttId, DtmfOwnCodeLength>();
    }
};
using DtmfTexts = DtmfTextsView<std::uint8_t>;
using ConstDtmfTexts = DtmfTextsView<const std::uint8_t>;

// FM broadcast area 0x760..0x7A5: 32 presets as FmCode (high byte first), then settings.
template <typename Byte> class FmAreaView : public FieldView<Byte, offsets::FmPresets, 70> {
  public:
    static constexpr std::size_t Settings = offsets::FmSettings - offsets::FmPresets;
    static constexpr std::size_t CurrentChannel = Settings + 0; // Combo1(0)
    static constexpr std::size_t DisplayMode = Settings + 1;    // Combo1(1)
    static constexpr std::size_t Step = Settings + 2;           // Combo1(2)
    static constexpr std::size_t Spare = Settings + 3;          // 0xFF
    static constexpr std::size_t FullBand = Settings + 4;       // Text2, 2 bytes high first

    using FieldView<Byte, offsets::FmPresets, 70>::FieldView;

    // Preset k, 1..32.
    std::span<Byte, 2> preset(int k) const {
        return std::span<Byte, 2>(this->bytes_.data() + 2 * std::size_t(k - 1), 2);
    }
    std::span<Byte, 2> fullBand() const { return this->template sub<FullBand, 2>(); }
};
using FmArea = FmAreaView<std::uint8_t>;
using ConstFmArea = FmAreaView<const std::uint8_t>;

// Calibration block 0x7F0..0x7FF: the two transmit power levels.
template <typename Byte> class CalibrationView : public FieldView<Byte, offsets::Calibration, 16> {
  public:
    static constexpr std::size_t HighPower = 0x0; // Form4 Slider1
    static constexpr std::size_t LowPower = 0x2;  // Form4 Slider2
    using FieldView<Byte, offsets::Calibration, 16>::FieldView;
};
using Calibration = CalibrationView<std::uint8_t>;
using ConstCalibration = CalibrationView<const std::uint8_t>;

static_assert(offsets::ChannelRecords + ChannelCount * ChannelRecordSize ==
              offsets::ChannelSpare.first);
static_assert(offsets::FmPresets + 2 * FmPresetCount == offsets::FmSettings);
static_assert(offsets::Calibration + 16 == ImageSize);

} // namespace image
