// The channel table as CSV in the column layout other programming software
// reads and writes, and the report of an import, row by row.
#pragma once

#include "exchange/csv_text.h"
#include "exchange/import_report.h"
#include "image/band_limits.h"
#include "image/editor_values.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

// The header of the layout, column by column.
inline constexpr std::string_view CsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";
// The busy-channel lock, which the layout has no column for: written after
// the layout's columns (its readers pass over columns they do not know) as
// On or Off, and read when a file has it.
inline constexpr std::string_view LockColumn = "BusyLock";

// A channel list is a few kilobytes; a file larger than this is something
// else and is not read.
inline constexpr std::size_t CsvSizeLimit = 1024 * 1024;

// The table's channels that exist, one row each, names empty, the lock
// column last.
std::string exportChannels(const image::ChannelTableValues& table);
// The same for the listed channels only, in the order given.
std::string exportChannels(const image::ChannelTableValues& table,
                           const std::vector<int>& channels);

// What the export cannot carry as the table holds it, one line per value by
// key, in English: a tone code in no tone list goes without a tone, a
// frequency that is not a number as the number its text starts with.
std::vector<std::string> exportNotes(const image::ChannelTableValues& table);

// Where an import puts its rows: on the channels their Location names, or,
// renumbered, on consecutive channels in file order from `firstChannel` on.
struct Placement {
    bool renumber = false;
    int firstChannel = 1;
};

// A file's rows as read, once, to be imported as often as needed: the text
// as UTF-8 (see utf8Text), its records, and the header's columns by their
// names in lower case (a name matches in any case). A name the header
// gives again is read from its first column; the others are in `repeated`.
struct ChannelList {
    CsvText text;
    std::map<std::string, std::size_t> columns;
    std::vector<std::string> repeated;
};
ChannelList readChannelList(std::string_view bytes);

// Puts the rows onto `table` under the same rules as typing into the
// channel table; channels no row names stay as they were. The report is not
// usable, and the table untouched, without a Frequency column, or without a
// Location column unless renumbered. In a semicolon-separated file a number
// may have a decimal comma.
ImportReport importChannels(const ChannelList& list, const image::BandLimits& band,
                            const Placement& placement, image::ChannelTableValues& table);
// The same for text not read yet.
ImportReport importChannels(std::string_view csv, const image::BandLimits& band,
                            const Placement& placement, image::ChannelTableValues& table);

} // namespace exchange
