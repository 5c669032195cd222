#include "cli/csv_commands.h"

#include "cli/file_windows.h"
#include "cli/link_failure_text.h"
#include "cli/usage.h"
#include "editors/band_selection.h"
#include "editors/channel_table.h"
#include "exchange/channel_csv.h"
#include "shell/main_window.h"
#include "ui/file_names.h"

#include <QTextStream>
#include <memory>

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
    const FileWindows windows(loaded.file, 1);
    const std::string csv =
        exchange::exportChannels(windows.window().channelTable()->channelValues());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(csv.data());
    const files::WriteResult written =
        files::writeFileAtomically(pathOf(o.output), {bytes, csv.size()});
    return written.ok() ? 0 : writeFailureCode(o.output, written);
}

// --band: the band list's position 0..7 or its text, such as "136-174MHz".
bool selectBand(editors::BandSelection& bands, const QString& band) {
    bool number = false;
    const int code = band.toInt(&number);
    if (number)
        return bands.selectBandCode(code);
    for (int i = 0; bands.selectBandCode(i); ++i)
        if (bands.bandText() == band)
            return true;
    return false;
}

int runImport(const CsvOptions& o) {
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
    const auto windows =
        base ? std::make_unique<FileWindows>(*base, 1) : std::make_unique<FileWindows>(1);
    shell::MainWindow& window = windows->window();
    if (!base)
        window.StartForms();
    if (!selectBand(*window.bandSelection(), o.band)) {
        QTextStream(stderr) << "tq305: no band " << o.band << Qt::endl
                            << usageLines({"export", "import"}).c_str() << Qt::flush;
        return 2;
    }
    image::ChannelTableValues table = window.channelTable()->channelValues();
    const std::string csv(read.bytes.begin(), read.bytes.end());
    const exchange::ImportReport report =
        exchange::importChannels(csv, window.Band, {.renumber = o.renumber}, table);
    if (!report.usable) {
        complain(o.input, "no CSV header with the Location and Frequency columns");
        return 1;
    }
    QTextStream err(stderr);
    for (const exchange::RowReport& row : report.rows)
        err << QString::fromStdString(exchange::reportLine(row, exchange::English)) << '\n';
    if (report.columnsDropped)
        err << QString::fromStdString(exchange::reportNote(report, exchange::English)) << '\n';
    err.flush();
    window.channelTable()->showDecodedChannels(table);
    window.EncodeImage();
    const files::WriteResult written =
        files::saveDatFile(pathOf(o.output), window.TransmitImage,
                           static_cast<std::uint8_t>(window.bandSelection()->bandCode()));
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
