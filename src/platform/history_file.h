// Where the record of radios programmed is kept, and what both the program
// and tq305 put in every record: one place for both, as with the backups.
#pragma once

#include "records/history.h"

#include <QString>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace files {
class BackupStore;
}

namespace radiolink {

// userDataFolder()'s history.db.
QString historyFile();
// Beside it: the records it could not take when they were made.
QString pendingRecordsFile();

// The history, its folder made when missing and the records waiting beside
// it added; nothing when it cannot be opened, `error` saying why.
std::unique_ptr<records::History>
openHistory(std::string& error, int busyMilliseconds = records::DefaultBusyMilliseconds);

// The SHA-256 of a file's bytes, in lower-case hex; empty when the file
// cannot be read.
std::string fileSha256(const std::string& path);

// Stamps the record as every record is kept: the time now, `version`, and
// a token when it has none.
void stampRecord(records::Record& record, const char* version);

struct RecordKept {
    enum Where { InHistory, Pending, Lost };
    Where where = InHistory;
    std::string why; // why not in the history
};

// Keeps the record, stamped with the time now and `version`, and given a
// token when it has none (kept again with that token, the record replaces
// the one kept before): in the history, or, when the history cannot take
// it, in the pending records file for the next program to add. A
// transfer is never undone for it. A window, whose transfers and user wait
// meanwhile, gives a shorter `busyMilliseconds`.
RecordKept keepRecord(records::Record& record, const char* version,
                      int busyMilliseconds = records::DefaultBusyMilliseconds);

// The writes that gave `value` under `key` to a radio, those waiting beside
// the history too; nothing when the history cannot be read, `error` saying
// why.
std::optional<std::vector<records::Record>>
recordsGiving(const std::string& key, const std::string& value, std::string& error);
// The same from a history already open (one in a transaction of its own).
std::optional<std::vector<records::Record>> recordsGiving(const records::History& history,
                                                          const std::string& key,
                                                          const std::string& value,
                                                          std::string& error);

// Every backup a record of the history names; none while there is no
// history yet, nothing when it cannot be read.
std::optional<std::set<std::string>> recordedBackups();

// The limit of `backups` passes over the backups the history names.
void keepRecordedBackups(files::BackupStore& backups);

} // namespace radiolink
