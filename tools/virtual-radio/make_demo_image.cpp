// tq305-demo-image: writes demo.dat, the image the demo radio of ./run
// serves; the build runs it into build/demo.dat.
//
//   tq305-demo-image OUT.dat
//
// The values a fresh start of the program shows, six channels of the
// 400-480 MHz band put into the channel table, encoded and saved as the
// program saves them, so every setting but the channels is the program's
// default. No window is built.
#include "files/dat_file.h"
#include "image/image_encoder.h"
#include "image/tone_codes.h"
#include "settings/setting_values.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr std::uint8_t DemoBand = 3; // "400-480MHz"

struct DemoChannel {
    int number;
    const char* rx;
    const char* tx; // empty: receive only
    const char* rxTone;
    const char* txTone; // empty: off
    int highPower, busyLockOff, scanAdd, wide;
};

// Both rasters, repeater offsets, CTCSS and DCS of either polarity.
constexpr DemoChannel Channels[] = {
    {1, "400.12500", "400.12500", "", "", 1, 1, 1, 1},
    {2, "435.50000", "435.50000", "67.0", "67.0", 0, 1, 1, 0},
    {3, "446.00625", "446.00625", "D023N", "D023N", 1, 0, 1, 0},
    {4, "462.56250", "467.56250", "100.0", "100.0", 1, 1, 1, 1},
    {5, "470.05000", "", "88.5", "", 0, 1, 0, 1},
    {8, "477.25000", "472.25000", "D754I", "D754I", 0, 0, 1, 1},
};

image::ChannelRow row(const DemoChannel& c) {
    image::ChannelRow r;
    r.freqText = {c.rx, c.tx};
    r.toneText = {c.rxTone, c.txTone};
    r.listIndex = {image::FindTone(c.rxTone),
                   image::FindTone(c.txTone),
                   c.highPower,
                   c.busyLockOff,
                   c.scanAdd,
                   c.wide};
    return r;
}

constexpr const char* Usage =
    "Usage: tq305-demo-image OUT.dat\n"
    "\n"
    "Writes the demo radio's image as a .dat file: the program's defaults with\n"
    "six channels in the 400-480MHz band.\n";

} // namespace

int main(int argc, char* argv[]) {
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (argc == 2 && (first == "--help" || first == "-h")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (argc != 2 || first.starts_with('-')) {
        std::fputs(Usage, stderr);
        return 2;
    }
    image::EditorValues values = settings::newValues(DemoBand);
    for (const DemoChannel& channel : Channels)
        values.Form1.row(channel.number) = row(channel);
    image::MemoryImage transmit{};
    image::encodeImage(values, transmit);

    const files::WriteResult saved = files::saveDatFile(argv[1], transmit, DemoBand);
    if (!saved.ok()) {
        std::fprintf(stderr, "tq305-demo-image: cannot write %s: %s\n", argv[1],
                     std::strerror(saved.systemError));
        return 1;
    }
    return 0;
}
