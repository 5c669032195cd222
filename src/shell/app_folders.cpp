#include "shell/app_folders.h"

#include <QCoreApplication>

namespace shell {

AppFolders defaultFolders() {
    return {QCoreApplication::applicationDirPath(), QString()};
}

} // namespace shell
