// Imports whatever the input holds as a channel list, onto a table with
// channels of its own, and checks what must always hold:
// - one report row per record after the header, each one line of printable
//   text, and every row the summary counts;
// - each channel a row filled lies in the band and on the channel raster,
//   and every channel no row filled is as it was;
// - the table exported and imported again is the same table.
// The first input byte picks the band and the placement, the rest is the file.
#include "exchange/channel_csv.h"
#include "exchange/text_encoding.h"
#include "image/decimal_text.h"
#include "image/frequency_codes.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::array<image::BandLimits, 4> Bands{{{136, 174}, {400, 480}, {350, 390}, {0, 999}}};

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "channel CSV fuzz: %s\n", what);
        std::abort();
    }
}

// Every fifth channel in use, inside `band`, lock on for every tenth.
image::ChannelTableValues baseTable(const image::BandLimits& band) {
    std::string csv = "Location,Frequency,Duplex,BusyLock\n";
    for (int n = 5; n <= image::ChannelCount; n += 5)
        csv += std::to_string(n) + "," + std::to_string(band.BandLow + n / 5) + ".5,off," +
               (n % 10 == 0 ? "On" : "Off") + "\n";
    image::ChannelTableValues table;
    exchange::importChannels(csv, band, {}, table);
    return table;
}

bool inBandOnRaster(const std::string& text, const image::BandLimits& band) {
    const auto value = image::Decimal::parse(text);
    return value && image::isInBand(*value, band) && image::snapFrequencyText(text) == text;
}

bool printable(const std::string& line) {
    for (const char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const image::BandLimits band = Bands[data[0] % Bands.size()];
    const exchange::Placement placement{(data[0] & 4) != 0, 1 + (data[0] >> 3) % 100};
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);

    const image::ChannelTableValues base = baseTable(band);
    image::ChannelTableValues table = base;
    const exchange::ImportReport report = exchange::importChannels(file, band, placement, table);
    if (!report.usable) {
        check(table == base, "a file not usable changed the table");
        return 0;
    }
    const exchange::ChannelList list = exchange::readChannelList(file);
    check(report.rows.size() + 1 == list.text.rows.size(), "not one report row per record");
    std::array<bool, image::ChannelCount> filled{};
    for (const exchange::RowReport& row : report.rows) {
        for (const int language : {exchange::Chinese, exchange::English})
            check(printable(exchange::reportLine(row, language)), "a report line is not printable");
        if (row.channel == 0)
            continue;
        check(!filled[std::size_t(row.channel - 1)], "a channel filled twice");
        filled[std::size_t(row.channel - 1)] = true;
        const image::ChannelRow& channel = table.row(row.channel);
        check(inBandOnRaster(channel.freqText[0], band), "receive frequency out of band or raster");
        check(channel.freqText[1].empty() || inBandOnRaster(channel.freqText[1], band),
              "transmit frequency out of band or raster");
    }
    for (int n = 1; n <= image::ChannelCount; ++n)
        check(filled[std::size_t(n - 1)] || table.row(n) == base.row(n),
              "a channel no row named changed");
    for (const int language : {exchange::Chinese, exchange::English})
        check(printable(exchange::reportUnreadRest(report, language)) &&
                  printable(exchange::reportSummary(report, language)),
              "a report line is not printable");

    image::ChannelTableValues again;
    exchange::importChannels(exchange::exportChannels(table), band, {}, again);
    check(again == table, "export and import gave another table");
    return 0;
}
