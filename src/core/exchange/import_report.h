// What an import did with each row of a file, as values, and the same as
// lines of text in either language of the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace exchange {

// One thing a row gave cause to say: a value changed on the way in, or the
// reason the row was left out. `values` are the numbers and texts the kind
// names, in its order, as they stood in the file or came out of it.
struct Finding {
    enum class Kind {
        // Changes to a row that was imported.
        ReceiveSnapped,    // typed frequency, frequency on the raster
        TransmitSnapped,   // typed frequency, frequency on the raster
        OffsetSignDropped, // offset text, duplex text
        // Reasons to skip a row.
        ReceiveOutsideBand,  // frequency, band low, band high (whole MHz)
        TransmitOutsideBand, // frequency, band low, band high (whole MHz)
        NoFrequency,         //
        NotANumber,          // column name, its text
        LocationOutside,     // location text, last channel
        NoChannelLeft,       // last channel
        ChannelTaken,        // channel, line that gave it first
        DuplexUnknown,       // duplex text
        ToneModeUnknown,     // tone mode text
        CrossModeUnknown,    // cross mode text
        PolarityInvalid,     // polarity text
        CtcssUnknown,        // tone frequency text
        DcsUnknown,          // DCS code text
        PowerUnknown,        // power text
        ModeUnknown,         // mode text
        LockUnknown,         // lock text
    };
    Kind kind = Kind::NoFrequency;
    std::vector<std::string> values;

    friend bool operator==(const Finding&, const Finding&) = default;
};

// One file row's fate. `line` is the line of the file the row starts on.
struct RowReport {
    enum class Outcome { Imported, Changed, Skipped };
    int line = 0;
    int channel = 0; // 0 when skipped
    Outcome outcome = Outcome::Imported;
    std::vector<Finding> findings; // what changed, or the one reason it was skipped
};

struct ImportReport {
    bool usable = false;         // false: no header with the columns needed
    bool columnsDropped = false; // names, comments or digital settings were not kept
    // Column names the header gives more than once, as the file gives them;
    // only the first column of each is read.
    std::vector<std::string> repeatedColumns;
    std::vector<RowReport> rows;
    // The columns the first line names, to say what was found when it is
    // not usable; empty for a file without text.
    std::vector<std::string> header;
    bool renumber = false; // a Location column was not needed
    // Where a quote opens that never closes: the rows from there on could
    // not be read. 0 when the whole file was read.
    int unclosedQuoteLine = 0;

    int importedCount() const;
};

// The languages of the report, numbered as the program's UILanguage.
inline constexpr int Chinese = 0, English = 1;

// A report row as one line, such as "line 3: channel 2 imported"; any
// language other than Chinese gives English.
std::string reportLine(const RowReport& row, int language);

// The lines on the columns that were not kept (dropped, or given twice),
// one per line; empty when every column was kept.
std::string reportNote(const ImportReport& report, int language);

// A column name as matched: ASCII letters in lower case.
std::string foldedColumnName(std::string_view name);

// "N of M rows imported, K skipped".
std::string reportSummary(const ImportReport& report, int language);

// The line on the rows that could not be read; empty when all were.
std::string reportUnreadRest(const ImportReport& report, int language);

// Why a report that is not usable is not, with what the first line holds.
std::string unusableReason(const ImportReport& report, int language);

} // namespace exchange
