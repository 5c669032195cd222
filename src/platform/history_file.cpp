#include "platform/history_file.h"

#include "files/backup_store.h"
#include "platform/port_names.h"
#include "records/pending_records.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QUuid>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>

namespace radiolink {

namespace {

using Clock = std::chrono::steady_clock;

// Once the history could not take a record, the next ones go beside it at
// once for a while: a batch of radios does not wait on a locked database
// for each of them.
constexpr auto PendingWhile = std::chrono::seconds(60);
std::optional<Clock::time_point> historyRefusedAt;

bool historyRefusedLately() {
    return historyRefusedAt && Clock::now() - *historyRefusedAt <= PendingWhile;
}

records::PendingRecords pendingRecords() {
    return records::PendingRecords(QFile::encodeName(pendingRecordsFile()).toStdString());
}

} // namespace

QString historyFile() {
    return userDataFolder() + "/history.db";
}

QString pendingRecordsFile() {
    return historyFile() + ".pending";
}

std::unique_ptr<records::History> openHistory(std::string& error, int busyMilliseconds) {
    std::unique_ptr<records::History> history;
    // Another program's try of the backup folder may take away a data
    // folder it made just as this one finds it there: made again.
    for (int attempt = 0; attempt < 5 && !history; ++attempt) {
        if (!QDir().mkpath(userDataFolder())) {
            error = QFile::encodeName(userDataFolder()).toStdString() + ": cannot be made";
            return nullptr;
        }
        history = records::History::open(QFile::encodeName(historyFile()).toStdString(), error,
                                         busyMilliseconds);
        if (!history && QDir(userDataFolder()).exists())
            break;
    }
    if (history && !historyRefusedLately() && QFile::exists(pendingRecordsFile()))
        pendingRecords().addTo([&](records::Record& record) {
            if (history->add(record))
                return true;
            historyRefusedAt = Clock::now();
            return false;
        });
    return history;
}

std::string fileSha256(const std::string& path) {
    // By the path's bytes: a name that is no UTF-8 is read all the same.
    std::ifstream file(path, std::ios::binary);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    char buffer[8192];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0)
        hash.addData(QByteArrayView(buffer, qsizetype(file.gcount())));
    if (!file.eof())
        return {};
    return hash.result().toHex().toStdString();
}

void stampRecord(records::Record& record, const char* version) {
    record.at = std::time(nullptr);
    record.version = version;
    if (record.token.empty())
        record.token = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
}

RecordKept keepRecord(records::Record& record, const char* version, int busyMilliseconds) {
    stampRecord(record, version);
    RecordKept kept;
    if (!historyRefusedLately()) {
        const std::unique_ptr<records::History> history = openHistory(kept.why, busyMilliseconds);
        if (history && history->add(record)) {
            historyRefusedAt.reset();
            return kept;
        }
        if (history)
            kept.why = QFile::encodeName(historyFile()).toStdString() + ": " + history->lastError();
        historyRefusedAt = Clock::now();
    } else {
        kept.why =
            QFile::encodeName(historyFile()).toStdString() + ": could not be written a moment ago";
    }
    const records::PendingRecords pending = pendingRecords();
    QDir().mkpath(userDataFolder());
    if (pending.append(record)) {
        kept.where = RecordKept::Pending;
        return kept;
    }
    kept.where = RecordKept::Lost;
    kept.why += "; " + pending.path() + ": " + std::strerror(errno);
    return kept;
}

std::optional<std::vector<records::Record>>
recordsGiving(const std::string& key, const std::string& value, std::string& error) {
    const std::unique_ptr<records::History> history = openHistory(error);
    if (!history)
        return std::nullopt;
    return recordsGiving(*history, key, value, error);
}

std::optional<std::vector<records::Record>> recordsGiving(const records::History& history,
                                                          const std::string& key,
                                                          const std::string& value,
                                                          std::string& error) {
    std::optional<std::vector<records::Record>> found = history.givenValue(key, value);
    if (!found) {
        error = history.lastError();
        return std::nullopt;
    }
    const auto inHistory = [&](const records::Record& record) {
        return std::ranges::any_of(
            *found, [&](const records::Record& kept) { return kept.token == record.token; });
    };
    for (records::Record& record : pendingRecords().waiting())
        if (std::ranges::find(record.values, records::VariedValue(key, value)) !=
                record.values.end() &&
            records::gaveValues(record) && !inHistory(record))
            found->push_back(std::move(record));
    return found;
}

std::optional<std::set<std::string>> recordedBackups() {
    if (!QFile::exists(historyFile()) && !QFile::exists(pendingRecordsFile()))
        return std::set<std::string>();
    std::string error;
    const std::unique_ptr<records::History> history = openHistory(error);
    // Records still waiting beside the history may name any backup.
    if (!history || QFile::exists(pendingRecordsFile()))
        return std::nullopt;
    return history->backupsNamed();
}

void keepRecordedBackups(files::BackupStore& backups) {
    // A history that cannot be read might name any backup: none goes.
    backups.keepNamed(recordedBackups);
}

} // namespace radiolink
