#include "cli/csv_commands.h"

#include "cli/file_values.h"
#include "cli/link_failure_text.h"
#include "cli/usage.h"
#include "editors/band_entries.h"
#include "exchange/channel_csv.h"
#include "image/image_encoder.h"
#include "ui/file_names.h"

#include <QTextStream>

namespace cli {

namespace {

struct CsvOptions {
    QString command, input, output, band, base;
    bool renumber = false;
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
        else if (!a.startsWith("-") && o.input.isEmpty())
            o.input = a;
        else
            return std::nullopt;
    }
    if (o.input.isEmpty() || o.output.isEmpty() || (import && o.band.isEmpty()))
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

int runExport(const CsvOptions& o) {
    const files::LoadResult loaded = files::loadDatFile(pathOf(o.input));
    if (!loaded.ok())
        return loadFailureCode(o.input, loaded);
    const std::string csv = exchange::exportChannels(openedFileValues(loaded.file).Form1);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(csv.data());
    const files::WriteResult written =
        files::writeFileAtomically(pathOf(o.output), {bytes, csv.size()});
    return written.ok() ? 0 : writeFailureCode(o.output, written);
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
    const files::WriteResult written =
        files::saveDatFile(pathOf(o.output), image, static_cast<std::uint8_t>(*band));
    return written.ok() ? 0 : writeFailureCode(o.output, written);
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
    return options->command == "import" ? runImport(*options) : runExport(*options);
}

} // namespace cli
