#include "cli/job_write.h"

#include "cli/exit_codes.h"
#include "cli/radio_record.h"
#include "cli/write_steps.h"
#include "platform/history_file.h"
#include "records/write_result.h"
#include "words/program_version.h"

#include <cstdio>
#include <memory>

namespace cli {

namespace {

void sayAboutJob(const std::string& line) {
    std::fprintf(stderr, "tq305: %s\n", line.c_str());
}

// What a job is begun with, a line each: "dtmf.own_code=1001+" (after
// --start), "keep dtmf.ptt_id".
std::string jobPatterns(const LinkOptions& options) {
    std::string text;
    for (const settings::ValuePattern& pattern : options.values)
        text += pattern.key + "=" + settings::patternValue(pattern, 0) +
                (pattern.first ? "+" : "") + "\n";
    for (const std::string& key : options.keep)
        text += "keep " + key + "\n";
    return text;
}

std::string oneLine(std::string patterns) {
    if (!patterns.empty())
        patterns.pop_back();
    for (char& c : patterns)
        if (c == '\n')
            c = ' ';
    return patterns.empty() ? "no values" : patterns;
}

// What differs between the job as kept and as given now.
std::string difference(const records::Job& kept, const records::Job& given) {
    if (kept.patterns != given.patterns)
        return "was begun with " + oneLine(kept.patterns) + ", not " + oneLine(given.patterns);
    return "was begun with another image (SHA-256 " + kept.sha256.substr(0, 12) + "…)";
}

} // namespace

int prepareJob(const LinkOptions& options) {
    std::string error;
    const std::unique_ptr<records::History> history = radiolink::openHistory(error);
    const std::string job = "--job " + options.job;
    if (!history) {
        sayAboutJob(job + ": a job lives in the history, which cannot be opened (" + error +
                    "); no radio was written");
        return ExitCannotOpen;
    }
    const records::Job given{options.job, radiolink::fileSha256(options.file),
                             jobPatterns(options)};
    const std::optional<records::Job> kept = history->job(options.job);
    if (!kept && !history->lastError().empty()) {
        sayAboutJob(job + ": the history cannot be read (" + history->lastError() +
                    "); no radio was written");
        return ExitCannotOpen;
    }
    if (kept && *kept != given && !options.changeJob) {
        sayAboutJob(job + " " + difference(*kept, given) +
                    "; --change-job goes on with these, its values given so far staying given; no "
                    "radio was written");
        return ExitUsage;
    }
    if (kept == given)
        return ExitDone;
    if (!history->keepJob(given)) {
        sayAboutJob(job + ": the history cannot keep the job (" + history->lastError() +
                    "); no radio was written");
        return ExitCannotOpen;
    }
    if (kept)
        sayAboutJob("note: " + job + " goes on with " + oneLine(given.patterns) +
                    " (--change-job)");
    return ExitDone;
}

std::optional<std::vector<JobRadio>> takeJobRadios(const LinkOptions& options,
                                                   std::optional<int> band,
                                                   std::span<const RadioPort> ports,
                                                   std::string& refusal, int& exitCode) {
    std::string error;
    const std::unique_ptr<records::History> history = radiolink::openHistory(error);
    if (!history) {
        refusal = "--job " + options.job + ": the job's values cannot be taken (" + error + ")";
        exitCode = ExitCannotOpen;
        return std::nullopt;
    }
    std::vector<JobRadio> taken;
    const records::JobTaken result = history->takeJobRadios(
        options.job, ports.size(),
        [&](std::size_t radio, std::uint64_t position) -> std::optional<records::Record> {
            std::optional<std::vector<settings::AssignedValue>> values =
                radioValues(options, band, position, ports[radio], refusal);
            if (values && !options.again)
                if (refusal = givenBefore(ports[radio], *values, history.get(), options.job);
                    !refusal.empty())
                    values.reset();
            if (!values)
                return std::nullopt;
            records::Record record = radioRecord(records::Action::Write, ports[radio],
                                                 ports[radio].device, options.file, std::nullopt);
            for (const auto& [pattern, value] : *values)
                record.values.emplace_back(pattern.key, value);
            record.result = records::startedResultText();
            record.job = options.job;
            radiolink::stampRecord(record, ui::ProgramVersion);
            taken.push_back({std::move(*values), record});
            return record;
        });
    if (result == records::JobTaken::Taken)
        return taken;
    exitCode = result == records::JobTaken::Refused ? ExitUsage : ExitCannotOpen;
    if (result == records::JobTaken::Failed)
        refusal = "--job " + options.job + ": the job's values cannot be taken (" +
                  history->lastError() + ")";
    return std::nullopt;
}

} // namespace cli
