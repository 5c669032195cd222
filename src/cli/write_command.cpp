#include "cli/write_command.h"

#include "cli/auto_write.h"
#include "cli/file_values.h"
#include "cli/job_write.h"
#include "cli/link_failure_text.h"
#include "cli/radio_files.h"
#include "cli/radio_record.h"
#include "cli/radio_write.h"
#include "cli/write_reports.h"
#include "cli/write_steps.h"
#include "files/backup_store.h"
#include "files/dat_file.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "platform/backup_folder.h"
#include "platform/history_file.h"
#include "platform/interrupt_notifier.h"
#include "records/write_result.h"
#include "settings/catalogue.h"
#include "settings/setting_values.h"
#include "settings/value_gate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
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

} // namespace

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

namespace {

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

} // namespace

void RadioHistory::started(const RadioWrite& radio, const LinkOptions& options) {
    // A job's radio was kept as started in the transaction that took its
    // values.
    if (radio.jobRecord()) {
        m_record = *radio.jobRecord();
        return;
    }
    m_record =
        radioRecord(isRestore(options.file) ? records::Action::Restore : records::Action::Write,
                    radio.where(), radio.device(), options.file, std::nullopt);
    m_record.values = radio.values();
    m_record.result = records::startedResultText();
    m_lost = !keepRadioRecord(m_record);
}

void RadioHistory::ended(const RadioWrite& radio, const Ended& ended) {
    if (!radio.result())
        return;
    m_record.band = ended.radioBand;
    m_record.values = radio.values();
    if (m_record.device.empty())
        m_record.device = recordedDevice(radio.device());
    m_record.result = records::writeResultText(*radio.result());
    m_record.backup = radio.backupPath();
    m_lost = !keepRadioRecord(m_record) || m_lost;
}

void RadioHistory::notOpened(const RadioWrite& radio) {
    if (!radio.jobRecord())
        return;
    m_record = *radio.jobRecord();
    radiolink::SafeWriteResult none;
    none.reason = radiolink::SafeWriteReason::PortInvalid;
    m_record.result = records::writeResultText(none);
    m_lost = !keepRadioRecord(m_record);
}

int RadioHistory::exitCode(int radioExit) const {
    return m_lost ? worstExit({radioExit, ExitCannotOpen}) : radioExit;
}

namespace {

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
void runAll(const std::vector<RadioWrite*>& radios, std::vector<RadioHistory>& kept,
            const LinkOptions& options) {
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
    for (std::size_t n = 0; n < radios.size(); ++n) {
        kept[n].started(*radios[n], options);
        radios[n]->start();
    }
    if (!allDone())
        loop.exec();
}

int writeOne(RadioWrite& radio, SingleReport& report, const LinkOptions& options,
             const WriteJob& job) {
    if (!radio.open()) {
        say(radio.openFailure());
        RadioHistory gaveBack;
        gaveBack.notOpened(radio);
        return gaveBack.exitCode(ExitCannotOpen);
    }
    if (!radio.values().empty())
        say("this radio's own values: " + valuesText(radio));
    std::vector<RadioHistory> kept(1);
    runAll({&radio}, kept, options);
    const Ended ended = verdictOf(radio, options, job.fileBand);
    report.close(ended.verdict.exitCode == ExitDone);
    // Before the verdict, which stays the last word.
    kept.front().ended(radio, ended);
    for (const std::string& line : ended.verdict.lines)
        say(line);
    return kept.front().exitCode(ended.verdict.exitCode);
}

int writeMany(const Radios& radios, BatchReport& report, const LinkOptions& options,
              const WriteJob& job) {
    std::vector<RadioWrite*> opened;
    std::vector<RadioHistory> kept;
    for (const auto& radio : radios) {
        report.add(*radio);
        if (radio->open())
            opened.push_back(radio.get());
    }
    kept.resize(opened.size());
    runAll(opened, kept, options);
    std::vector<Ended> ended;
    std::vector<int> exits;
    for (const auto& radio : radios) {
        ended.push_back(verdictOf(*radio, options, job.fileBand));
        report.ended(*radio, ended.back().verdict.summary);
        exits.push_back(ended.back().verdict.exitCode);
        if (const auto at = std::ranges::find(opened, radio.get()); at != opened.end()) {
            RadioHistory& history = kept[std::size_t(at - opened.begin())];
            history.ended(*radio, ended.back());
            exits.back() = history.exitCode(exits.back());
        } else {
            RadioHistory gaveBack;
            gaveBack.notOpened(*radio);
            exits.back() = gaveBack.exitCode(exits.back());
        }
    }
    report.close();
    for (std::size_t n = 0; n < radios.size(); ++n)
        for (const std::string& line : ended[n].verdict.lines)
            say(radios[n]->name() + ": " + line);
    printTable(radios, ended);
    return worstExit(exits);
}

std::string radioName(const RadioPort& where) {
    return where.number ? "port " + std::to_string(*where.number) : shownName(where.device);
}

} // namespace

std::optional<std::vector<settings::AssignedValue>>
radioValues(const LinkOptions& options, std::optional<int> band, std::uint64_t index,
            const RadioPort& where, std::string& refusal) {
    std::vector<settings::AssignedValue> values;
    for (const settings::ValuePattern& pattern : options.values) {
        const std::string value = settings::patternValue(pattern, index);
        const settings::ParsedValue entered = settings::enterValue(
            *pattern.setting.setting, value, band.value_or(settings::DefaultBandCode));
        if (!entered.ok()) {
            refusal = "--set " + pattern.key + ": " + radioName(where) + ": " +
                      settings::refusalOf(value, entered).en;
            return std::nullopt;
        }
        values.emplace_back(pattern, value);
    }
    return values;
}

std::optional<std::vector<settings::AssignedValue>>
keptValues(const std::vector<std::string>& keys, const image::MemoryImage& backup,
           std::optional<int> band, const RadioPort& where, std::string& refusal) {
    const image::EditorValues own = settings::shownValues(image::decodeImage(backup), band);
    LinkOptions kept;
    for (const std::string& key : keys) {
        settings::ValuePattern pattern{key, *settings::findKey(key), {}, std::nullopt, 0};
        pattern.prefix =
            settings::valueText(*pattern.setting.setting, own, pattern.setting.index, 1);
        kept.values.push_back(std::move(pattern));
    }
    std::string why;
    auto values = radioValues(kept, band, 0, where, why);
    if (!values)
        refusal = "--keep" + why.substr(why.find(' ')) + " (its own value cannot be written back)";
    return values;
}

void giveValues(RadioWrite& radio, const WriteJob& job,
                const std::vector<settings::AssignedValue>& values) {
    if (values.empty())
        return;
    image::MemoryImage memory{};
    std::ranges::copy(job.image, memory.begin());
    std::vector<records::VariedValue> varied;
    for (const auto& [pattern, value] : values)
        varied.emplace_back(pattern.key, value);
    radio.vary(settings::imageWithValues(memory, job.fileBand, values), std::move(varied));
}

std::string givenBefore(const RadioPort& where, const std::vector<settings::AssignedValue>& values,
                        const records::History* history, const std::string& job) {
    for (const auto& [pattern, value] : values) {
        if (!pattern.first)
            continue; // the same for every radio
        std::string error;
        auto given = history ? radiolink::recordsGiving(*history, pattern.key, value, error)
                             : radiolink::recordsGiving(pattern.key, value, error);
        if (!given)
            return "--set " + pattern.key + ": the history cannot tell which values were " +
                   "given before (" + error + "); --again writes without asking it";
        if (!job.empty())
            std::erase_if(*given, [&](const records::Record& record) { return record.job == job; });
        if (given->empty())
            continue;
        const records::Record& first = given->front();
        return "--set " + pattern.key + ": " + radioName(where) + " would get '" + value +
               "', which " + (first.port.empty() ? first.device : first.port) + " got on " +
               records::localTimeText(first.at) + " (" + first.result +
               "); --again gives it all the same";
    }
    return {};
}

namespace {

// Each radio's own values, radio `first` being the first of the set, each
// through the gate for the file's band; none when one of them is refused,
// `refusal` then naming the radio.
std::optional<std::vector<std::vector<settings::AssignedValue>>>
setValues(const LinkOptions& options, std::optional<int> band, std::uint64_t first,
          std::string& refusal) {
    std::vector<std::vector<settings::AssignedValue>> values;
    for (std::size_t n = 0; n < options.ports.size(); ++n) {
        auto own = radioValues(options, band, first + n, options.ports[n], refusal);
        if (!own)
            return std::nullopt;
        values.push_back(std::move(*own));
    }
    return values;
}

// The first counted value another radio got already, by the history: named,
// with the radio and when; empty when none was.
std::string givenBeforeInSet(const LinkOptions& options,
                             const std::vector<std::vector<settings::AssignedValue>>& values) {
    for (std::size_t n = 0; n < values.size(); ++n)
        if (std::string given = givenBefore(options.ports[n], values[n]); !given.empty())
            return given;
    return {};
}

// `started`: a job's radios, each kept as started already; none without a
// job.
int writeRadios(const LinkOptions& options, const WriteJob& job,
                const std::vector<std::vector<settings::AssignedValue>>& values,
                const std::vector<records::Record>& started) {
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    SingleReport single(stderr, terminal);
    BatchReport many(stderr, terminal);
    const bool batch = options.ports.size() > 1;
    Radios radios;
    for (std::size_t n = 0; n < options.ports.size(); ++n) {
        radios.push_back(std::make_unique<RadioWrite>(
            options.ports[n], job, batch ? static_cast<WriteReport&>(many) : single));
        giveValues(*radios.back(), job, values[n]);
        if (!started.empty())
            radios.back()->startedInJob(started[n]);
    }
    return batch ? writeMany(radios, many, options, job)
                 : writeOne(*radios.front(), single, options, job);
}

enum class NextSet { Wanted, Ended, Interrupted };

// Between sets: wanted once the dealer pressed Enter, ended at q or the end
// of the input; a signal meanwhile ends the command with a word, not
// silently.
NextSet nextSetWanted(std::size_t radios) {
    std::fprintf(stderr,
                 "tq305: put in the next %zu radio%s and press Enter (q or Ctrl+D ends): ", radios,
                 radios == 1 ? "" : "s");
    std::fflush(stderr);
    // Unbuffered: a line read ahead would sit where the wait cannot see it.
    std::setvbuf(stdin, nullptr, _IONBF, 0);
    QEventLoop loop;
    ui::InterruptNotifier interrupts;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    bool interrupted = false;
    QObject::connect(&interrupts, &ui::InterruptNotifier::interrupted, &loop, [&] {
        interrupted = true;
        loop.quit();
    });
    QObject::connect(&input, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    loop.exec();
    if (interrupted) {
        std::fputc('\n', stderr);
        say("interrupted while waiting for the next radios: none of them was touched; the sets "
            "before were written, as their tables say");
        return NextSet::Interrupted;
    }
    char line[256];
    if (!std::fgets(line, sizeof line, stdin)) {
        std::fputc('\n', stderr);
        return NextSet::Ended;
    }
    const std::string answer = line;
    const std::size_t first = answer.find_first_not_of(" \t\r\n");
    return first == std::string::npos || answer[first] != 'q' ? NextSet::Wanted : NextSet::Ended;
}

// Set after set with --repeat, the counters going on where the set before
// stopped; every set's values are checked before its radios are touched.
int writeSets(const LinkOptions& options, const WriteJob& job) {
    std::vector<int> exits;
    std::uint64_t first = 0;
    for (;;) {
        std::string refusal;
        int refusedExit = ExitUsage;
        std::optional<std::vector<std::vector<settings::AssignedValue>>> values;
        std::vector<records::Record> started;
        if (!options.job.empty()) {
            if (auto taken =
                    takeJobRadios(options, job.fileBand, options.ports, refusal, refusedExit)) {
                values.emplace();
                for (JobRadio& radio : *taken) {
                    values->push_back(std::move(radio.values));
                    started.push_back(std::move(radio.started));
                }
            }
        } else {
            values = setValues(options, job.fileBand, first, refusal);
            if (values && !options.again)
                refusal = givenBeforeInSet(options, *values);
        }
        if (!values || !refusal.empty()) {
            // The sets before this one were written, and stay as they ended.
            say(refusal + (first == 0 ? "; no radio was written"
                                      : "; no radio of this set was written (the sets before "
                                        "were, as their tables say)"));
            exits.push_back(refusedExit);
            break;
        }
        exits.push_back(writeRadios(options, job, *values, started));
        first += options.ports.size();
        if (!options.repeat)
            break;
        const NextSet next = nextSetWanted(options.ports.size());
        if (next == NextSet::Interrupted)
            exits.push_back(ExitInterrupted);
        if (next != NextSet::Wanted)
            break;
    }
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
    job.keep = options.keep;
    LinkOptions counted = options;
    if (options.start && !settings::startCountersAt(counted.values, *options.start)) {
        say("--start " + std::to_string(*options.start) +
            ": a counter would begin below 0; no radio was written");
        return ExitUsage;
    }
    // A job without its record is none: it is kept before any radio.
    if (!options.job.empty())
        if (const int refused = prepareJob(counted); refused != ExitDone)
            return refused;
    return options.autoWrite ? writeAsPutOn(counted, job) : writeSets(counted, job);
}

} // namespace cli
