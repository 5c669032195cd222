// Where the program and tq305 keep the backups taken before writes: one
// folder for both, whatever each calls itself.
#pragma once

#include <QString>

namespace radiolink {

// userDataFolder()'s backups/ (made by the first backup).
QString backupFolder();

} // namespace radiolink
