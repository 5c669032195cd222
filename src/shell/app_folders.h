#pragma once

#include <QString>

namespace shell {

// Where the program keeps its two persisted settings. The program uses
// defaultFolders(); tests point both elsewhere so they never touch the
// user's real settings.
struct AppFolders {
    QString programFolder; // holds the `parameter` file
    QString settingsFile;  // the per-user settings store (INI); empty = Qt's per-user default
};

AppFolders defaultFolders();

} // namespace shell
