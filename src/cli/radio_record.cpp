#include "cli/radio_record.h"

#include "platform/history_file.h"
#include "words/program_version.h"

#include <QFile>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace cli {

namespace {

// By the path's bytes, whatever the locale: a file name that is no UTF-8
// is recorded as one that exists.
std::string absolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace

// The device a port's link leads to is the one a dealer can find.
std::string recordedDevice(const std::string& device) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(device, error);
    return error ? device : target.string();
}

records::Record radioRecord(records::Action action, const RadioPort& where,
                            const std::string& device, const std::string& file,
                            std::optional<int> band) {
    records::Record record;
    record.action = action;
    if (where.number)
        record.port = "port " + std::to_string(*where.number);
    record.device = recordedDevice(device);
    // Absolute: the history is read from anywhere.
    record.file = absolutePath(file);
    record.sha256 = radiolink::fileSha256(file);
    record.band = band;
    return record;
}

bool keepRadioRecord(records::Record& record) {
    const radiolink::RecordKept kept = radiolink::keepRecord(record, ui::ProgramVersion);
    // Said once: every radio of a batch would say the same.
    static bool pendingSaid = false;
    if (kept.where == radiolink::RecordKept::Pending && !std::exchange(pendingSaid, true))
        std::fprintf(stderr,
                     "tq305: note: the history could not take the record (%s); it waits in %s "
                     "and goes into the history when it can\n",
                     kept.why.c_str(),
                     QFile::encodeName(radiolink::pendingRecordsFile()).constData());
    else if (kept.where == radiolink::RecordKept::Lost)
        std::fprintf(stderr, "tq305: THE RECORD OF THIS RADIO COULD NOT BE KEPT: %s\n",
                     kept.why.c_str());
    return kept.where != radiolink::RecordKept::Lost;
}

} // namespace cli
