#include "cli/write_command.h"

#include "cli/file_values.h"
#include "cli/interrupt_notifier.h"
#include "cli/link_failure_text.h"
#include "cli/radio_files.h"
#include "cli/radio_write.h"
#include "cli/write_reports.h"
#include "cli/write_verdict.h"
#include "files/backup_store.h"
#include "files/dat_file.h"
#include "image/image_encoder.h"
#include "link/qt/backup_folder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <algorithm>
#include <memory>
#include <unistd.h>

namespace cli {

namespace {

using Image = std::array<std::uint8_t, image::ImageSize>;
using Radios = std::vector<std::unique_ptr<RadioWrite>>;

void say(const std::string& line) {
    std::fprintf(stderr, "tq305: %s\n", line.c_str());
}

// What the program sends for the file: its values as File > Open shows
// them, encoded again, so bytes the windows cannot hold never reach the radio.
Image encodedImage(const files::DatFile& file) {
    image::MemoryImage transmit{};
    image::encodeImage(openedFileValues(file), transmit);
    Image image{};
    std::copy_n(transmit.begin(), image.size(), image.begin());
    return image;
}

std::string portOption(const RadioPort& where) {
    return where.number ? "--port " + std::to_string(*where.number)
                        : "--device " + shellWord(where.device);
}

struct Ended {
    WriteVerdict verdict;
    std::optional<int> radioBand;
};

Ended verdictOf(const RadioWrite& radio, const LinkOptions& options, std::optional<int> fileBand) {
    if (!radio.result())
        return {{{radio.openFailure()}, ExitCannotOpen, "port did not open"}, std::nullopt};
    const radiolink::SafeWriteResult& result = *radio.result();
    const WriteContext context{
        radio.name(),       portOption(radio.where()), shownName(options.file),
        fileBand,           options.calibration,       options.backup,
        radio.backupPath(), radio.backupFailure()};
    WriteVerdict verdict = writeVerdict(result, context);
    const bool reached = result.blocksSent > 0;
    if (const std::optional<int> forced = radio.forcedBand(); forced && reached)
        verdict.lines.insert(verdict.lines.begin(), "note: the radio is set to " +
                                                        bandName(forced) + ", the file is for " +
                                                        bandName(fileBand) +
                                                        "; written anyway (--force-band)");
    return {verdict, result.radioBand ? result.radioBand : radio.forcedBand()};
}

// Several radios: the worst that happened to one of them.
int batchExit(const std::vector<Ended>& ended) {
    for (int code : {int(ExitPartial), int(ExitInterrupted), int(ExitRadio), int(ExitCannotOpen)})
        if (std::ranges::any_of(ended,
                                [code](const Ended& e) { return e.verdict.exitCode == code; }))
            return code;
    return ExitDone;
}

void printTable(const Radios& radios, const std::vector<Ended>& ended) {
    std::size_t width = 4;
    for (const auto& radio : radios)
        width = std::max(width, radio->name().size());
    std::fprintf(stderr, "%-*s  %-22s  %-32s  %s\n", int(width), "port", "band", "result", "time");
    for (std::size_t n = 0; n < radios.size(); ++n) {
        const std::string band = ended[n].radioBand ? bandName(ended[n].radioBand) : "-";
        std::fprintf(stderr, "%-*s  %-22s  %-32s  %.1f s\n", int(width), radios[n]->name().c_str(),
                     band.c_str(), ended[n].verdict.summary.c_str(), radios[n]->seconds());
    }
}

// Runs every radio that opened to its end in one event loop; a signal ends
// every transfer.
void runAll(const std::vector<RadioWrite*>& radios) {
    QEventLoop loop;
    InterruptNotifier interrupts;
    QObject::connect(&interrupts, &InterruptNotifier::interrupted, &loop, [&] {
        for (RadioWrite* radio : radios)
            radio->interrupt();
    });
    const auto allDone = [&] {
        return std::ranges::all_of(radios, [](const RadioWrite* radio) { return radio->done(); });
    };
    for (RadioWrite* radio : radios)
        QObject::connect(radio, &RadioWrite::ended, &loop, [&] {
            if (allDone())
                loop.quit();
        });
    for (RadioWrite* radio : radios)
        radio->start();
    if (!allDone())
        loop.exec();
}

int writeOne(RadioWrite& radio, SingleReport& report, const LinkOptions& options,
             const WriteJob& job) {
    if (!radio.open()) {
        say(radio.openFailure());
        return ExitCannotOpen;
    }
    runAll({&radio});
    const Ended ended = verdictOf(radio, options, job.fileBand);
    report.close(ended.verdict.exitCode == ExitDone);
    for (const std::string& line : ended.verdict.lines)
        say(line);
    return ended.verdict.exitCode;
}

int writeMany(const Radios& radios, BatchReport& report, const LinkOptions& options,
              const WriteJob& job) {
    std::vector<RadioWrite*> opened;
    for (const auto& radio : radios) {
        report.add(*radio);
        if (radio->open())
            opened.push_back(radio.get());
    }
    runAll(opened);
    std::vector<Ended> ended;
    for (const auto& radio : radios) {
        ended.push_back(verdictOf(*radio, options, job.fileBand));
        report.ended(*radio, ended.back().verdict.summary);
    }
    report.close();
    for (std::size_t n = 0; n < radios.size(); ++n)
        for (const std::string& line : ended[n].verdict.lines)
            say(radios[n]->name() + ": " + line);
    printTable(radios, ended);
    return batchExit(ended);
}

int writeRadios(const LinkOptions& options, const WriteJob& job) {
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    SingleReport single(stderr, terminal);
    BatchReport many(stderr, terminal);
    const bool batch = options.ports.size() > 1;
    Radios radios;
    for (const RadioPort& where : options.ports)
        radios.push_back(std::make_unique<RadioWrite>(
            where, job, batch ? static_cast<WriteReport&>(many) : single));
    return batch ? writeMany(radios, many, options, job)
                 : writeOne(*radios.front(), single, options, job);
}

} // namespace

int runWrite(int& argc, char** argv, const LinkOptions& options) {
    // The file first: a write that cannot happen leaves the ports alone.
    const LoadedRadioFile loaded = loadRadioFile(options.file);
    if (!loaded.file)
        return ExitCannotOpen;
    // What the windows cannot hold goes as they encode it, but not unsaid.
    for (const std::string& note : writeNotes(*loaded.file))
        say("note: " + note);
    QCoreApplication app(argc, argv);
    files::BackupStore backups(QFile::encodeName(radiolink::backupFolder()).toStdString());
    WriteJob job;
    job.image = encodedImage(*loaded.file);
    job.fileBand = loaded.file->band;
    job.options = {options.backup, options.verify, {options.forceBand, options.calibration}};
    job.backups = options.backup ? &backups : nullptr;
    return writeRadios(options, job);
}

} // namespace cli
