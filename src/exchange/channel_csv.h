// The channel table as CSV in the column layout other programming software
// reads and writes, and the report of an import, row by row.
#pragma once

#include "image/editor_values.h"

#include <string>
#include <string_view>
#include <vector>

namespace exchange {

// The header of the layout, column by column.
inline constexpr std::string_view CsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// The whole-MHz limits of the band the channels must lie in, both included.
struct BandRange {
    int low = 400;
    int high = 480;
};

// One file row's fate. `line` counts the file's records, the header being 1.
struct RowReport {
    enum class Outcome { Imported, Changed, Skipped };
    int line = 0;
    int channel = 0; // 0 when skipped
    Outcome outcome = Outcome::Imported;
    std::string detail; // what changed, or why the row was skipped
};

struct ImportReport {
    bool usable = false; // false: no header with a Frequency column
    std::string note;    // columns that carried values the radio cannot keep
    std::vector<RowReport> rows;
};

// The table's channels that exist, one row each, names empty.
std::string exportChannels(const image::ChannelTableValues& table);
// The same for the listed channels only, in the order given.
std::string exportChannels(const image::ChannelTableValues& table,
                           const std::vector<int>& channels);

// Where an import puts its rows: on the channels their Location names, or,
// renumbered, on consecutive channels in file order from `firstChannel` on.
struct Placement {
    bool renumber = false;
    int firstChannel = 1;
};

// Puts the file's rows onto `table` under the same rules as typing into the
// channel table; channels no row names stay as they were.
ImportReport importChannels(std::string_view csv, const BandRange& band, const Placement& placement,
                            image::ChannelTableValues& table);

// A report row as one line of text, such as "line 3: channel 2 imported".
std::string reportLine(const RowReport& row);

} // namespace exchange
