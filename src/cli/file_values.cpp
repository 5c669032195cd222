#include "cli/file_values.h"

#include "editors/band_entries.h"
#include "settings/feature_entries.h"
#include "editors/optional_features_lists.h"
#include "image/image_decoder.h"

#include <string_view>

namespace cli {

namespace {

using Features = image::OptionalFeaturesValues;

// The optional features' lists with the number of entries each holds.
struct FeatureList {
    std::string_view name;
    image::ListPosition Features::*member;
    int entries;
};

constexpr FeatureList FeatureLists[] = {
    {"Combo1", &Features::Combo1, 3},     {"Combo2", &Features::Combo2, 2},
    {"Combo3", &Features::Combo3, 5},     {"Combo4", &Features::Combo4, 2},
    {"Combo5", &Features::Combo5, 10},    {"Combo6", &Features::Combo6, 5},
    {"Combo7", &Features::Combo7, 3},     {"Combo8", &Features::Combo8, 2},
    {"Combo9", &Features::Combo9, 2},     {"Combo10", &Features::Combo10, 2},
    {"Combo11", &Features::Combo11, 2},   {"Combo12", &Features::Combo12, 2},
    {"Combo13", &Features::Combo13, 4},   {"Combo14", &Features::Combo14, 10},
    {"Combo15", &Features::Combo15, 6},   {"Combo16", &Features::Combo16, 2},
    {"Combo19", &Features::Combo19, 2},   {"Combo105", &Features::Combo105, 3},
    {"Combo22", &Features::Combo22, 261}, {"Combo23", &Features::Combo23, 261},
    {"Combo24", &Features::Combo24, 2},   {"Combo25", &Features::Combo25, 2},
    {"Combo27", &Features::Combo27, 2},   {"Combo30", &Features::Combo30, 3},
};

// The FM window's lists: the preset in use (one per preset), the display
// and the step; and their positions as the window starts.
constexpr int FmListEntries[] = {image::FmPresetCount, 2, 2};
constexpr int FmListStart[] = {0, 1, 1};

// The power levels StartForm sets.
constexpr int DefaultHighPowerLevel = 208, DefaultLowPowerLevel = 116;

// A list shows a position only when it holds that entry.
void show(image::ListPosition& list, const image::ListPosition& position, int entries) {
    if (position && *position >= 0 && *position < entries)
        list = position;
}

} // namespace

image::EditorValues newFileValues(int bandCode) {
    image::EditorValues values;
    values.band = bandCode;
    Features& features = values.Form3;
    for (const editors::features::Default& d : editors::features::Defaults)
        for (const FeatureList& list : FeatureLists)
            if (list.name == d.list)
                features.*list.member = d.position;
    // Built, not assigned from the views: GCC 12 at -O2 and above takes that
    // assignment for an overlapping copy (-Wrestrict).
    features.Text6 = std::string(editors::features::InitialPresentChannelText);
    features.Text20 = editors::features::bandCentreText(editors::bands::limitsOfCode(bandCode));
    features.Text21 = std::string(editors::features::DefaultOffsetText);
    values.Form4 = {DefaultHighPowerLevel, DefaultLowPowerLevel};
    for (std::size_t i = 0; i < values.Form5.Combo1.size(); ++i)
        values.Form5.Combo1[i] = FmListStart[i];
    return values;
}

image::EditorValues openedFileValues(const files::DatFile& file) {
    const int band = file.band.value_or(editors::bands::DefaultCode);
    image::EditorValues values = newFileValues(editors::bands::DefaultCode);
    values.band = band;
    image::MemoryImage bytes{};
    file.copyInto(bytes);
    const image::DecodedImage decoded = image::decodeImage(bytes);
    values.Form1 = decoded.Form1;
    values.Form2 = decoded.Form2;
    for (const FeatureList& list : FeatureLists)
        show(values.Form3.*list.member, decoded.Form3.*list.member, list.entries);
    values.Form3.Text6 = decoded.Form3.Text6;
    values.Form3.Text20 = decoded.Form3.Text20;
    values.Form3.Text21 = decoded.Form3.Text21;
    values.Form4 = decoded.Form4;
    values.Form5.presets = decoded.Form5.presets;
    for (std::size_t i = 0; i < values.Form5.Combo1.size(); ++i)
        show(values.Form5.Combo1[i], decoded.Form5.Combo1[i], FmListEntries[i]);
    values.Form5.Text2 = decoded.Form5.Text2;
    return values;
}

} // namespace cli
