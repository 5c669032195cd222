#include "platform/history_file.h"

#include "files/backup_store.h"
#include "platform/port_names.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace radiolink {

QString historyFile() {
    return userDataFolder() + "/history.db";
}

std::unique_ptr<records::History> openHistory(std::string& error) {
    if (!QDir().mkpath(userDataFolder())) {
        error = QFile::encodeName(userDataFolder()).toStdString() + ": cannot be made";
        return nullptr;
    }
    return records::History::open(QFile::encodeName(historyFile()).toStdString(), error);
}

std::string fileSha256(const std::string& path) {
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex().toStdString();
}

std::string keepRecord(records::Record record, const char* version) {
    record.at = std::time(nullptr);
    record.version = version;
    std::string error;
    const std::unique_ptr<records::History> history = openHistory(error);
    if (!history)
        return error;
    return history->add(record) ? std::string() : history->lastError();
}

std::optional<std::set<std::string>> recordedBackups() {
    if (!QFile::exists(historyFile()))
        return std::set<std::string>();
    std::string error;
    const std::unique_ptr<records::History> history = openHistory(error);
    return history ? std::optional(history->backupsNamed()) : std::nullopt;
}

void keepRecordedBackups(files::BackupStore& backups) {
    // A history that cannot be read might name any backup: none goes.
    backups.keepNamed(recordedBackups);
}

} // namespace radiolink
