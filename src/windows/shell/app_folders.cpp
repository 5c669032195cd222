#include "shell/app_folders.h"

#include "platform/backup_folder.h"
#include "shell/parameter_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <unistd.h>

namespace shell {

AppFolders defaultFolders() {
    const QString program = QCoreApplication::applicationDirPath();
    return {program, chooseParameterFolder(program, radiolink::userDataFolder()), QString(),
            radiolink::defaultPortPlaces()};
}

QString backupsFolder(const AppFolders& folders) {
    return folders.backupsFolder.isEmpty() ? radiolink::backupFolder() : folders.backupsFolder;
}

AppFolders detachedFolders() {
    return {QCoreApplication::applicationDirPath(), QString(), QString(), {}, true};
}

AppFolders scratchFolders(const QString& folder) {
    writeComPortIndex(folder, -1);
    return {folder, folder, QDir(folder).filePath("settings.ini"),
            {},     false,  QDir(folder).filePath("backups")};
}

bool canWrite(const QString& path) {
    // Trying is the only answer that holds for every file system, mount
    // option and access list.
    if (QFileInfo(path).isDir()) {
        QTemporaryFile probe(QDir(path).filePath("probe-XXXXXX"));
        return probe.open();
    }
    QFile file(path);
    return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
}

bool isSystemFolder(const QString& canonicalPath) {
    static const QStringList SystemRoots = {"/usr",    "/bin", "/sbin", "/lib", "/lib32", "/lib64",
                                            "/libx32", "/opt", "/etc",  "/var", "/app",   "/snap"};
    return std::ranges::any_of(SystemRoots, [&](const QString& root) {
        return canonicalPath == root || canonicalPath.startsWith(root + '/');
    });
}

bool isUsersOwnFolder(const QString& folder) {
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return !canonical.isEmpty() && !isSystemFolder(canonical) && info.ownerId() == ::geteuid();
}

QString chooseParameterFolder(const QString& programFolder, const QString& userFolder,
                              const WriteCheck& writable, const FolderCheck& usersOwn) {
    const QString beside = parameterPath(programFolder);
    if (usersOwn(programFolder) &&
        (QFileInfo::exists(beside) ? writable(beside) : writable(programFolder)))
        return programFolder;
    QDir().mkpath(userFolder);
    return userFolder;
}

} // namespace shell
