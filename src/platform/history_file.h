// Where the record of radios programmed is kept, and what both the program
// and tq305 put in every record: one place for both, as with the backups.
#pragma once

#include "records/history.h"

#include <QString>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace files {
class BackupStore;
}

namespace radiolink {

// userDataFolder()'s history.db.
QString historyFile();

// The history, its folder made when missing; nothing when it cannot be
// opened, `error` saying why.
std::unique_ptr<records::History> openHistory(std::string& error);

// The SHA-256 of a file's bytes, in lower-case hex; empty when the file
// cannot be read.
std::string fileSha256(const std::string& path);

// Adds the record, stamped with the time now and `version`; an empty text
// when it was kept, else why not (a transfer is never undone for it).
std::string keepRecord(records::Record record, const char* version);

// Every backup a record of the history names; none while there is no
// history yet, nothing when it cannot be read.
std::optional<std::set<std::string>> recordedBackups();

// The limit of `backups` passes over the backups the history names.
void keepRecordedBackups(files::BackupStore& backups);

} // namespace radiolink
