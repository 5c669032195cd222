#include "cli/csv_commands.h"

#include "cli/exit_codes.h"
#include "cli/file_values.h"
#include "cli/link_failure_text.h"
#include "cli/radio_files.h"
#include "cli/usage.h"
#include "exchange/channel_csv.h"
#include "files/dat_file.h"
#include "files/file_io.h"
#include "image/hex_text.h"
#include "image/image_encoder.h"
#include "platform/interrupt_notifier.h"
#include "settings/catalogue.h"
#include "settings/radio_yaml.h"
#include "words/band_entries.h"
#include "words/file_names.h"
#include "words/message_box.h"

#include <QTextStream>
#include <cstring>
#include <functional>

namespace cli {

namespace {

struct CsvOptions {
    QString command, input, output, band, base, format;
    bool renumber = false;
    bool yaml = false; // the other file is the YAML form of a whole radio
};

std::optional<CsvOptions> parse(const QStringList& arguments) {
    CsvOptions o;
    o.command = arguments.value(0);
    const bool import = o.command == "import";
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "-o" && hasValue && o.output.isEmpty())
            o.output = arguments[++i];
        else if (import && a == "--band" && hasValue && o.band.isEmpty())
            o.band = arguments[++i];
        else if (import && a == "--base" && hasValue && o.base.isEmpty())
            o.base = arguments[++i];
        else if (import && a == "--renumber")
            o.renumber = true;
        else if (a == "--format" && hasValue && o.format.isEmpty())
            o.format = arguments[++i];
        else if (!a.startsWith("-") && o.input.isEmpty())
            o.input = a;
        else
            return std::nullopt;
    }
    // The kind follows the name of the file that is not the data file.
    if (o.format.isEmpty())
        o.yaml = isYamlName(import ? o.input : o.output);
    else if (o.format == "yaml" || o.format == "csv")
        o.yaml = o.format == "yaml";
    else
        return std::nullopt;
    if (o.input.isEmpty() || o.output.isEmpty())
        return std::nullopt;
    // A YAML file names its band; a channel list needs one.
    if (import && (o.yaml ? (!o.band.isEmpty() || o.renumber) : o.band.isEmpty()))
        return std::nullopt;
    return o;
}

std::string pathOf(const QString& name) {
    return ui::fileNameBytes(name).toStdString();
}

void complain(const QString& name, const std::string& reason) {
    QTextStream(stderr) << "tq305: " << ui::printableFileName(name) << ": "
                        << QString::fromStdString(reason) << Qt::endl;
}

// Exit code of a data file that did not load: 1 for a file of another kind.
int loadFailureCode(const QString& name, const files::LoadResult& loaded) {
    complain(name, loadFailureReason(loaded));
    return loaded.error == files::FileError::WrongType ? 1 : 3;
}

int writeFailureCode(const QString& name, const files::WriteResult& written) {
    QTextStream(stderr) << "tq305: "
                        << QString::fromStdString(saveFailureText(pathOf(name), written))
                        << Qt::endl;
    return 3;
}

// A save is never cut short: Ctrl+C, TERM, HUP and QUIT wait for its end,
// then end the command as they end a transfer, saying what became of the file.
int savedOrInterrupted(const QString& name, const std::function<files::WriteResult()>& save) {
    ui::HeldInterrupts held;
    const files::WriteResult written = save();
    const int signal = held.release();
    const int code = written.ok() ? ExitDone : writeFailureCode(name, written);
    if (!signal)
        return code;
    complain(name, std::string("interrupted (SIG") + sigabbrev_np(signal) +
                       (written.ok() ? "): the file was saved whole first"
                                     : "): the file was left as it was"));
    return ExitInterrupted;
}

int runExport(const CsvOptions& o) {
    const files::LoadResult loaded = files::loadDatFile(pathOf(o.input));
    if (!loaded.ok())
        return loadFailureCode(o.input, loaded);
    std::string text;
    std::vector<std::string> notes;
    if (o.yaml) {
        image::MemoryImage bytes{};
        loaded.file.copyInto(bytes);
        settings::YamlExport exported =
            settings::exportYaml(bytes, loaded.file.band, ui::ApplicationTitle);
        text = std::move(exported.text);
        notes = std::move(exported.report);
        // The file names its band by code: a header byte read as another
        // code ("0A" as 0) comes back as that code's byte.
        const int written = loaded.file.band.value_or(settings::DefaultBandCode);
        if (loaded.file.bandByte != written)
            notes.insert(notes.begin(),
                         "header: the file cannot bring this byte back as it was: band byte " +
                             image::hexByte(loaded.file.bandByte) + " becomes " +
                             image::hexByte(std::uint8_t(written)));
    } else {
        const image::ChannelTableValues table = openedFileValues(loaded.file).Form1;
        text = exchange::exportChannels(table);
        notes = exchange::exportNotes(table);
    }
    // As the write's notes: by key, the same whatever the file is called.
    for (const std::string& note : notes)
        QTextStream(stderr) << "tq305: note: " << QString::fromStdString(note) << Qt::endl;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return savedOrInterrupted(o.output, [&] {
        return files::writeFileAtomically(pathOf(o.output), {bytes, text.size()});
    });
}

// --band: the band list's position 0..7 or its text, such as "136-174MHz".
std::optional<int> bandCode(const QString& band) {
    bool number = false;
    const int code = band.toInt(&number);
    for (int i = 0; i < editors::bands::Count; ++i)
        if (number ? code == i : band == editors::bands::entryText(i))
            return i;
    return std::nullopt;
}

// Every row's line, then what could not be read, the note and the counts.
void printReport(const exchange::ImportReport& report) {
    QTextStream err(stderr);
    auto print = [&](const std::string& line) {
        if (!line.empty())
            err << QString::fromStdString(line) << '\n';
    };
    for (const exchange::RowReport& row : report.rows)
        print(exchange::reportLine(row, exchange::English));
    print(exchange::reportUnreadRest(report, exchange::English));
    print(exchange::reportNote(report, exchange::English));
    print(exchange::reportSummary(report, exchange::English));
    err.flush();
}

// The YAML form of a radio onto a base or a new image; nothing is written
// when the file has any fault.
int runYamlImport(const CsvOptions& o) {
    std::optional<settings::RadioImage> base;
    if (!o.base.isEmpty()) {
        const files::LoadResult loaded = files::loadDatFile(pathOf(o.base));
        if (!loaded.ok())
            return loadFailureCode(o.base, loaded);
        base.emplace();
        loaded.file.copyInto(base->image);
        base->band = openedFileValues(loaded.file).band.value_or(settings::DefaultBandCode);
    }
    const LoadedRadioFile read = loadYamlFile(pathOf(o.input), base ? &*base : nullptr);
    if (!read.file)
        return read.failureCode;
    image::MemoryImage image{};
    read.file->copyInto(image);
    return savedOrInterrupted(o.output, [&] {
        return files::saveDatFile(pathOf(o.output), image,
                                  static_cast<std::uint8_t>(read.file->band.value_or(0)));
    });
}

int runImport(const CsvOptions& o) {
    const std::optional<int> band = bandCode(o.band);
    if (!band) {
        QTextStream(stderr) << "tq305: no band " << ui::printableFileName(o.band) << Qt::endl
                            << usageLines({"export", "import"}).c_str() << Qt::flush;
        return 2;
    }
    std::optional<files::DatFile> base;
    if (!o.base.isEmpty()) {
        const files::LoadResult loaded = files::loadDatFile(pathOf(o.base));
        if (!loaded.ok())
            return loadFailureCode(o.base, loaded);
        base = loaded.file;
    }
    const files::ReadResult read =
        files::readFileStart(pathOf(o.input), exchange::CsvSizeLimit + 1);
    if (!read.ok()) {
        files::LoadResult failure;
        failure.error = read.error;
        failure.systemError = read.systemError;
        complain(o.input, loadFailureReason(failure));
        return 3;
    }
    if (read.bytes.size() > exchange::CsvSizeLimit) {
        complain(o.input, "too large for a channel list");
        return 1;
    }
    // The base's channels were checked against its own band only (a file
    // without one opens in the default band).
    image::EditorValues values = base ? openedFileValues(*base) : newFileValues(*band);
    if (values.band != band) {
        complain(o.base, "is a file of the band " +
                             editors::bands::entryText(values.band.value_or(0)).toStdString() +
                             ", not of the band " + editors::bands::entryText(*band).toStdString() +
                             " given with --band");
        return 1;
    }
    const exchange::ImportReport report = exchange::importChannels(
        std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()),
        editors::bands::limitsOfCode(*band), {.renumber = o.renumber}, values.Form1);
    if (!report.usable) {
        complain(o.input, exchange::unusableReason(report, exchange::English));
        return 1;
    }
    printReport(report);
    // Unsupervised, a file read only in part or giving no channel must not
    // pass for a done import.
    if (report.unclosedQuoteLine != 0) {
        complain(o.input, "not read to its end: nothing written");
        return 1;
    }
    if (report.importedCount() == 0) {
        complain(o.input, "no row imported: nothing written");
        return 1;
    }
    image::MemoryImage image{};
    image::encodeImage(values, image);
    return savedOrInterrupted(o.output, [&] {
        return files::saveDatFile(pathOf(o.output), image, static_cast<std::uint8_t>(*band));
    });
}

} // namespace

bool isCsvCommand(const QString& command) {
    return command == "import" || command == "export";
}

int runCsvCommand(const QStringList& arguments) {
    const auto options = parse(arguments);
    if (!options) {
        QTextStream(stderr) << usageLines({"export", "import"}).c_str() << Qt::flush;
        return 2;
    }
    if (options->command == "export")
        return runExport(*options);
    return options->yaml ? runYamlImport(*options) : runImport(*options);
}

} // namespace cli
