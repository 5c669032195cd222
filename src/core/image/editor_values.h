// The values the editor windows hold, as plain data: what the encoder reads
// to build an image and what the decoder gives back for the windows to show.
#pragma once

#include "image/image_layout.h"

#include <array>
#include <optional>
#include <string>

namespace image {

// A drop-down list's position. Encoding: nullopt is a list with no selection,
// which leaves its image byte as it was. Decoding: the position to select;
// the window selects it only when its list holds that entry and otherwise
// leaves the list as it was (Form3 Combo7 gets 3 from an image of 0xFF bytes,
// and its list has three entries).
using ListPosition = std::optional<int>;

// One row of the channel table's per-channel tables. An empty receive
// frequency is an empty channel; the other members are then blank too.
struct ChannelRow {
    std::array<std::string, 2> freqText; // ChannelFreqText (n, 1) RX and (n, 2) TX
    std::array<std::string, 2> toneText; // ChannelToneText (n, 3) and (n, 4)
    std::array<int, 6> listIndex{};      // ChannelListIndex (n, 3..8)

    bool isEmpty() const { return freqText[0].empty(); }
    friend bool operator==(const ChannelRow&, const ChannelRow&) = default;
};

// Form1: the channel table's tables, channels 1..99, indexed as the window does.
struct ChannelTableValues {
    std::array<ChannelRow, ChannelCount> rows;

    ChannelRow& row(int n) { return rows.at(std::size_t(n - 1)); }
    const ChannelRow& row(int n) const { return rows.at(std::size_t(n - 1)); }

    std::string& ChannelFreqText(int n, int column) {
        return row(n).freqText.at(std::size_t(column - 1));
    }
    const std::string& ChannelFreqText(int n, int column) const {
        return row(n).freqText.at(std::size_t(column - 1));
    }
    std::string& ChannelToneText(int n, int column) {
        return row(n).toneText.at(std::size_t(column - 3));
    }
    const std::string& ChannelToneText(int n, int column) const {
        return row(n).toneText.at(std::size_t(column - 3));
    }
    int& ChannelListIndex(int n, int column) {
        return row(n).listIndex.at(std::size_t(column - 3));
    }
    int ChannelListIndex(int n, int column) const {
        return row(n).listIndex.at(std::size_t(column - 3));
    }

    friend bool operator==(const ChannelTableValues&, const ChannelTableValues&) = default;
};

// Form3: the optional features. Texts are the boxes' texts; Combo22 and
// Combo23 hold the tone list positions (0 off, 1..260 the tone table).
struct OptionalFeaturesValues {
    ListPosition Combo1, Combo2, Combo3, Combo4, Combo5, Combo6, Combo7, Combo8, Combo9, Combo10;
    ListPosition Combo11, Combo12, Combo13, Combo14, Combo15, Combo16, Combo19, Combo105;
    std::string Text6;
    std::string Text20, Text21;
    ListPosition Combo22, Combo23, Combo24, Combo25, Combo27, Combo30;

    friend bool operator==(const OptionalFeaturesValues&, const OptionalFeaturesValues&) = default;
};

// Form2: the two DTMF codes that the image holds. UTF-16 like the window's
// text, so a character whose code does not fit in a byte stays recognisable.
struct DtmfValues {
    std::u16string Text2; // PTT-ID code, up to 16 characters
    std::u16string Text3; // own code, up to 8 characters

    friend bool operator==(const DtmfValues&, const DtmfValues&) = default;
};

// Form5: the FM broadcast presets and settings.
struct FmPresetValues {
    std::array<std::string, FmPresetCount> presets; // MSFGrid rows 1..32, column 1; empty = free
    std::array<ListPosition, 3> Combo1;             // Combo1(0..2)
    std::string Text2;                              // FM full-band frequency; empty = unset

    friend bool operator==(const FmPresetValues&, const FmPresetValues&) = default;
};

// Form4: the two power calibration sliders (0..255).
struct PowerLevelValues {
    int Slider1 = 0;
    int Slider2 = 0;

    friend bool operator==(const PowerLevelValues&, const PowerLevelValues&) = default;
};

// What the editor windows hold of an image.
struct WindowValues {
    ChannelTableValues Form1;
    DtmfValues Form2;
    OptionalFeaturesValues Form3;
    PowerLevelValues Form4;
    FmPresetValues Form5;

    friend bool operator==(const WindowValues&, const WindowValues&) = default;
};

// The encoder's sources: the windows and the main window's band list.
struct EditorValues : WindowValues {
    ListPosition band; // MDIForm1 Combo1, 0..7

    friend bool operator==(const EditorValues&, const EditorValues&) = default;
};

// The decoder's result. The band is not decoded: it comes from the radio's
// identification or the file header.
using DecodedImage = WindowValues;

} // namespace image
