#include "cli/write_command.h"

#include "cli/file_values.h"
#include "cli/link_failure_text.h"
#include "cli/radio_files.h"
#include "cli/radio_record.h"
#include "cli/radio_write.h"
#include "cli/write_reports.h"
#include "cli/write_verdict.h"
#include "files/backup_store.h"
#include "files/dat_file.h"
#include "image/image_encoder.h"
#include "platform/backup_folder.h"
#include "platform/history_file.h"
#include "platform/interrupt_notifier.h"
#include "records/write_result.h"
#include "settings/catalogue.h"
#include "settings/value_gate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
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
int worstExit(const std::vector<int>& codes) {
    for (int code : {int(ExitPartial), int(ExitInterrupted), int(ExitRadio), int(ExitCannotOpen),
                     int(ExitUsage)})
        if (std::ranges::find(codes, code) != codes.end())
            return code;
    return ExitDone;
}

int batchExit(const std::vector<Ended>& ended) {
    std::vector<int> codes;
    for (const Ended& e : ended)
        codes.push_back(e.verdict.exitCode);
    return worstExit(codes);
}

std::string valuesText(const RadioWrite& radio) {
    std::string text;
    for (const auto& [key, value] : radio.values())
        text += (text.empty() ? "" : " ") + key + "=" + value;
    return text;
}

// A write of a backup from the backup folder puts a radio back as it was.
bool isRestore(const std::string& file) {
    const QString folder = QFileInfo(radiolink::backupFolder()).canonicalFilePath();
    return !folder.isEmpty() &&
           QFileInfo(QFile::decodeName(QByteArray::fromStdString(file))).canonicalPath() == folder;
}

// A radio that was reached is kept in the history; one whose port did not
// open never was.
void keepInHistory(const RadioWrite& radio, const Ended& ended, const LinkOptions& options) {
    if (!radio.result())
        return;
    records::Record record =
        radioRecord(isRestore(options.file) ? records::Action::Restore : records::Action::Write,
                    radio.where(), radio.device(), options.file, ended.radioBand);
    record.values = radio.values();
    record.result = records::writeResultText(*radio.result());
    record.backup = radio.backupPath();
    keepRadioRecord(record);
}

void printTable(const Radios& radios, const std::vector<Ended>& ended) {
    std::size_t width = 4;
    std::size_t valuesWidth = 0;
    for (const auto& radio : radios) {
        width = std::max(width, radio->name().size());
        valuesWidth = std::max(valuesWidth, valuesText(*radio).size());
    }
    const int shownValues = valuesWidth ? int(std::max(valuesWidth, std::size_t(6))) : 0;
    std::fprintf(stderr, "%-*s  %-22s  %-*s%s%-32s  %s\n", int(width), "port", "band", shownValues,
                 shownValues ? "values" : "", shownValues ? "  " : "", "result", "time");
    for (std::size_t n = 0; n < radios.size(); ++n) {
        const std::string band = ended[n].radioBand ? bandName(ended[n].radioBand) : "-";
        std::fprintf(stderr, "%-*s  %-22s  %-*s%s%-32s  %.1f s\n", int(width),
                     radios[n]->name().c_str(), band.c_str(), shownValues,
                     valuesText(*radios[n]).c_str(), shownValues ? "  " : "",
                     ended[n].verdict.summary.c_str(), radios[n]->seconds());
    }
}

// Runs every radio that opened to its end in one event loop; a signal ends
// every transfer.
void runAll(const std::vector<RadioWrite*>& radios) {
    QEventLoop loop;
    ui::InterruptNotifier interrupts;
    QObject::connect(&interrupts, &ui::InterruptNotifier::interrupted, &loop, [&] {
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
    if (!radio.values().empty())
        say("this radio's own values: " + valuesText(radio));
    runAll({&radio});
    const Ended ended = verdictOf(radio, options, job.fileBand);
    report.close(ended.verdict.exitCode == ExitDone);
    // Before the verdict, which stays the last word.
    keepInHistory(radio, ended, options);
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
        keepInHistory(*radio, ended.back(), options);
    }
    report.close();
    for (std::size_t n = 0; n < radios.size(); ++n)
        for (const std::string& line : ended[n].verdict.lines)
            say(radios[n]->name() + ": " + line);
    printTable(radios, ended);
    return batchExit(ended);
}

std::string radioName(const RadioPort& where) {
    return where.number ? "port " + std::to_string(*where.number) : shownName(where.device);
}

// Each radio's own values, radio `first` being the first of the set, each
// through the gate for the file's band; none when one of them is refused,
// `refusal` then naming the radio.
std::optional<std::vector<std::vector<settings::AssignedValue>>>
setValues(const LinkOptions& options, std::optional<int> band, std::uint64_t first,
          std::string& refusal) {
    std::vector<std::vector<settings::AssignedValue>> values(options.ports.size());
    for (std::size_t n = 0; n < options.ports.size(); ++n)
        for (const settings::ValuePattern& pattern : options.values) {
            const std::string value = settings::patternValue(pattern, first + n);
            const settings::ParsedValue entered = settings::enterValue(
                *pattern.setting.setting, value, band.value_or(settings::DefaultBandCode));
            if (!entered.ok()) {
                refusal = "--set " + pattern.key + ": " + radioName(options.ports[n]) + ": " +
                          settings::refusalOf(value, entered).en + "; no radio was written";
                return std::nullopt;
            }
            values[n].emplace_back(pattern, value);
        }
    return values;
}

int writeRadios(const LinkOptions& options, const WriteJob& job,
                const std::vector<std::vector<settings::AssignedValue>>& values) {
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    SingleReport single(stderr, terminal);
    BatchReport many(stderr, terminal);
    const bool batch = options.ports.size() > 1;
    Radios radios;
    for (std::size_t n = 0; n < options.ports.size(); ++n) {
        radios.push_back(std::make_unique<RadioWrite>(
            options.ports[n], job, batch ? static_cast<WriteReport&>(many) : single));
        if (options.values.empty())
            continue;
        image::MemoryImage memory{};
        std::ranges::copy(job.image, memory.begin());
        std::vector<records::VariedValue> varied;
        for (const auto& [pattern, value] : values[n])
            varied.emplace_back(pattern.key, value);
        radios.back()->vary(settings::imageWithValues(memory, job.fileBand, values[n]),
                            std::move(varied));
    }
    return batch ? writeMany(radios, many, options, job)
                 : writeOne(*radios.front(), single, options, job);
}

// Between sets: true once the dealer pressed Enter, false at q or the end
// of the input.
bool nextSetWanted(std::size_t radios) {
    std::fprintf(stderr,
                 "tq305: put in the next %zu radio%s and press Enter (q or Ctrl+D ends): ", radios,
                 radios == 1 ? "" : "s");
    std::fflush(stderr);
    char line[256];
    if (!std::fgets(line, sizeof line, stdin)) {
        std::fputc('\n', stderr);
        return false;
    }
    const std::string answer = line;
    return answer.find_first_not_of(" \t\r\n") == std::string::npos ||
           answer[answer.find_first_not_of(" \t\r\n")] != 'q';
}

// Set after set with --repeat, the counters going on where the set before
// stopped; every set's values are checked before its radios are touched.
int writeSets(const LinkOptions& options, const WriteJob& job) {
    std::vector<int> exits;
    std::uint64_t first = 0;
    do {
        std::string refusal;
        const auto values = setValues(options, job.fileBand, first, refusal);
        if (!values) {
            say(refusal);
            exits.push_back(ExitUsage);
            break;
        }
        exits.push_back(writeRadios(options, job, *values));
        first += options.ports.size();
    } while (options.repeat && nextSetWanted(options.ports.size()));
    return worstExit(exits);
}

} // namespace

int runWrite(int& argc, char** argv, const LinkOptions& options) {
    // The file first: a write that cannot happen leaves the ports alone.
    const LoadedRadioFile loaded = loadRadioFile(options.file);
    if (!loaded.file)
        return ExitCannotOpen;
    if (files::namesNoBand(*loaded.file) && !options.forceBand) {
        say(shownName(options.file) +
            ": not written: its header names no band (--force-band writes it anyway)");
        return ExitCannotOpen;
    }
    // What the windows cannot hold goes as they encode it, but not unsaid.
    for (const std::string& note : writeNotes(*loaded.file))
        say("note: " + note);
    QCoreApplication app(argc, argv);
    files::BackupStore backups(radiolink::backupFolderPath());
    // Found before any radio is read, not after its backup read.
    if (const files::WriteResult usable =
            options.backup ? backups.checkUsable() : files::WriteResult{};
        !usable.ok()) {
        say(std::string("the backup could not be kept: ")
                .append(saveFailureText(backups.folder(), usable))
                .append("; --no-backup writes without one"));
        say("note: nothing was written to the radio");
        return ExitCannotOpen;
    }
    WriteJob job;
    job.image = encodedImage(*loaded.file);
    job.fileBand = loaded.file->band;
    job.options = {options.backup, options.verify, {options.forceBand, options.calibration}};
    radiolink::keepRecordedBackups(backups);
    job.backups = options.backup ? &backups : nullptr;
    LinkOptions counted = options;
    if (options.start && !settings::startCountersAt(counted.values, *options.start)) {
        say("--start " + std::to_string(*options.start) +
            ": a counter would begin below 0; no radio was written");
        return ExitUsage;
    }
    return writeSets(counted, job);
}

} // namespace cli
