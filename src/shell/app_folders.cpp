#include "shell/app_folders.h"

#include "shell/parameter_file.h"

#include <QCoreApplication>
#include <QDir>

namespace shell {

AppFolders defaultFolders() {
    return {QCoreApplication::applicationDirPath(), QString(), radiolink::defaultPortPlaces()};
}

AppFolders scratchFolders(const QString& folder) {
    writeComPortIndex(folder, -1);
    return {folder, QDir(folder).filePath("settings.ini"), {}};
}

} // namespace shell
