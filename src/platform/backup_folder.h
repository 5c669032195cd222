// Where the program and tq305 keep the backups taken before writes: one
// folder for both, whatever each calls itself.
#pragma once

#include <QString>
#include <string>

namespace radiolink {

// userDataFolder()'s backups/ (made by the first backup).
QString backupFolder();
// The same as the system's bytes, whatever the folder's name.
std::string backupFolderPath();

} // namespace radiolink
