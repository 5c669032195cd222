#include "shell/csv_file_commands.h"

#include "editors/channel_table.h"
#include "editors/import_preview_dialog.h"
#include "exchange/channel_csv.h"
#include "shell/file_dialog.h"
#include "shell/main_window.h"
#include "shell/yaml_file_commands.h"
#include "words/file_names.h"
#include "words/messages.h"
#include "words/program_flags.h"
#include "words/read_failure.h"
#include "words/save_failure.h"

#include <array>
#include <optional>
#include <span>

namespace shell {

namespace {

// An import also offers the names spreadsheets give their tab-separated
// and UTF-16 saves, which it reads as well.
FileKind csvKind(bool forImport) {
    const char* patterns = forImport ? "(*.csv *.txt *.tsv)" : "(*.csv)";
    return {
        {QString::fromUtf8(ui::isChinese() ? "CSV文件" : "CSV files") + patterns, "AllFiles(*.*)"},
        "csv"};
}

// The file's text, or nothing once the user has been told why not.
std::optional<std::string> readCsv(const QString& path) {
    const files::ReadResult read =
        files::readFileStart(ui::fileNameBytes(path).toStdString(), exchange::CsvSizeLimit + 1);
    if (!read.ok()) {
        ui::reportReadFailure(path, read.error, read.systemError);
        return std::nullopt;
    }
    if (read.bytes.size() > exchange::CsvSizeLimit) {
        ui::showMessage(ui::Msg::CsvTooLarge,
                        {ui::shownFileName(path), QString::number(exchange::CsvSizeLimit / 1024)});
        return std::nullopt;
    }
    return std::string(read.bytes.begin(), read.bytes.end());
}

} // namespace

void importCsv(MainWindow& window) {
    editors::ChannelTable& table = *window.channelTable();
    // A value still being typed belongs to the table the file goes into.
    table.Text1_LostFocus();
    const QString path = askFileName(&window, false, csvKind(true));
    if (path.isEmpty())
        return;
    const std::optional<std::string> csv = readCsv(path);
    if (!csv)
        return;
    const image::ChannelTableValues before = table.channelValues();
    const image::BandLimits& band = window.Band;
    // The file is read once; each way of placing its rows is imported once,
    // for the preview, and the one accepted is the one put in.
    const exchange::ChannelList list = exchange::readChannelList(*csv);
    struct Import {
        exchange::ImportReport report;
        image::ChannelTableValues after;
    };
    std::array<std::optional<Import>, 2> imports;
    auto importOnto = [&](bool renumber) -> const Import& {
        std::optional<Import>& done = imports[renumber ? 1 : 0];
        if (!done) {
            done.emplace(Import{{}, before});
            done->report =
                exchange::importChannels(list, band, {.renumber = renumber}, done->after);
        }
        return *done;
    };
    if (const exchange::ImportReport& report = importOnto(false).report; !report.usable) {
        ui::showMessage(ui::Msg::CsvNotUsable,
                        {ui::shownFileName(path),
                         QString::fromStdString(exchange::unusableReason(report, ui::UILanguage))});
        return;
    }
    editors::ImportPreviewDialog FrmImportPreview(
        [&](bool renumber) -> const exchange::ImportReport& { return importOnto(renumber).report; },
        &window);
    if (FrmImportPreview.exec() != QDialog::Accepted)
        return;
    const image::ChannelTableValues& after = importOnto(FrmImportPreview.renumber()).after;
    if (after != before)
        table.replaceChannels(after);
}

void exportCsv(MainWindow& window) {
    editors::ChannelTable& table = *window.channelTable();
    table.Text1_LostFocus();
    const QString path = askFileName(&window, true, csvKind(false));
    if (path.isEmpty())
        return;
    const image::ChannelTableValues channels = table.channelValues();
    const std::string csv = exchange::exportChannels(channels);
    const files::WriteResult written = files::writeFileAtomically(
        ui::fileNameBytes(path).toStdString(),
        std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
    ui::reportSaveFailure(path, written);
    if (written.ok())
        showExportNotes(path, exchange::exportNotes(channels));
}

} // namespace shell
