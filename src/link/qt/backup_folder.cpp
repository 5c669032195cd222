#include "link/qt/backup_folder.h"

#include "link/qt/port_names.h"

namespace radiolink {

// Not AppDataLocation: that follows the application's name, which the
// windows and tq305 do not share.
QString backupFolder() {
    return userDataFolder() + "/backups";
}

} // namespace radiolink
