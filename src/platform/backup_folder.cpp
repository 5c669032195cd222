#include "platform/backup_folder.h"

#include "platform/port_names.h"

#include <QFile>

namespace radiolink {

// Not AppDataLocation: that follows the application's name, which the
// windows and tq305 do not share.
QString backupFolder() {
    return QFile::decodeName(QByteArray::fromStdString(backupFolderPath()));
}

std::string backupFolderPath() {
    return (userDataFolderBytes() + "/backups").toStdString();
}

} // namespace radiolink
