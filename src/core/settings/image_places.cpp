#include "settings/image_places.h"

#include "image/image_layout.h"

#include <string_view>

namespace settings {

namespace {

namespace o = image::offsets;

struct Place {
    std::size_t first, last;
    std::string_view key; // empty: unshown
};

// Every byte after the channel records, in address order.
constexpr Place Places[] = {
    {o::ChannelSpare.first, o::ChannelSpare.last, ""},
    {0x700, 0x700, "features.display_mode"},
    {0x701, 0x701, ""},
    {0x702, 0x702, "features.step"},
    {0x703, 0x703, "features.memory_mode"},
    {0x704, 0x704, "features.squelch"},
    {0x705, 0x705, "features.present_channel"},
    {0x706, 0x707, "features"},
    {0x708, 0x709, ""},
    {0x70A, 0x70A, "features.vox_gain"},
    {0x70B, 0x70B, "features.vox_delay"},
    {0x70C, 0x70C, "features.auto_power_off"},
    {0x70D, 0x70E, ""},
    {0x70F, 0x70F, "features.time_out"},
    {o::ModelText, o::ModelText + image::ModelText.size() - 1, ""},
    {o::Band, o::Band, "band"},
    {o::BandSpare.first, o::BandSpare.last, ""},
    {0x720, 0x723, "vfo.frequency"},
    {0x724, 0x727, "vfo.offset"},
    {0x728, 0x729, "vfo.rx_tone"},
    {0x72A, 0x72B, "vfo.tx_tone"},
    {0x72C, 0x72C, "vfo"},
    {0x72D, 0x72D, ""},
    {0x72E, 0x72E, "vfo.offset_direction"},
    {o::VfoSpare.first, o::VfoSpare.last, ""},
    {o::DtmfPttId, o::DtmfPttId + image::DtmfPttIdLength - 1, "dtmf.ptt_id"},
    {o::DtmfOwnCode, o::DtmfOwnCode + image::DtmfOwnCodeLength - 1, "dtmf.own_code"},
    {o::DtmfSpare.first, o::DtmfSpare.last, ""},
    {o::FmPresets, o::FmSettings - 1, "fm.presets"},
    {o::FmSettings + 0, o::FmSettings + 0, "fm.channel"},
    {o::FmSettings + 1, o::FmSettings + 1, "fm.display_mode"},
    {o::FmSettings + 2, o::FmSettings + 2, "fm.step"},
    {o::FmSettings + 3, o::FmSettings + 3, ""},
    {o::FmSettings + 4, o::FmSettings + 5, "fm.full_band"},
    {o::FmSpare.first, o::FmSpare.last, ""},
    {o::Calibration + 0, o::Calibration + 0, "power.high"},
    {o::Calibration + 1, o::Calibration + 1, ""},
    {o::Calibration + 2, o::Calibration + 2, "power.low"},
    {o::Calibration + 3, image::ImageSize - 1, ""},
};

const Place* placeAt(std::size_t offset) {
    for (const Place& place : Places)
        if (offset >= place.first && offset <= place.last)
            return &place;
    return nullptr;
}

constexpr std::string_view ChannelFields[] = {"rx_frequency",
                                              "rx_frequency",
                                              "rx_frequency",
                                              "rx_frequency",
                                              "tx_frequency",
                                              "tx_frequency",
                                              "tx_frequency",
                                              "tx_frequency",
                                              "rx_tone",
                                              "rx_tone",
                                              "tx_tone",
                                              "tx_tone",
                                              ""};

} // namespace

bool isUnshown(std::size_t offset) {
    const Place* place = placeAt(offset);
    return place && place->key.empty();
}

std::string placeOf(std::size_t offset) {
    if (offset < o::ChannelSpare.first) {
        const std::size_t n = offset / image::ChannelRecordSize + 1;
        const std::string_view field = ChannelFields[offset % image::ChannelRecordSize];
        return "channels[" + std::to_string(n) + "]" + (field.empty() ? "" : ".") +
               std::string(field);
    }
    if (const Place* place = placeAt(offset)) {
        if (place->key.empty())
            return "unshown_bytes";
        if (place->key == "fm.presets")
            return "fm.presets[" + std::to_string((offset - o::FmPresets) / 2 + 1) + "]";
        return std::string(place->key);
    }
    return {};
}

} // namespace settings
