#pragma once

#include "platform/port_adapters.h"

#include <QString>
#include <functional>

namespace shell {

// Where the program keeps its two persisted settings and where its port
// numbers lead. The program uses defaultFolders(); tests point all of them
// elsewhere so they never touch the user's settings nor open a real device.
struct AppFolders {
    QString programFolder;       // the program's own folder: the help file, the file dialogs
    QString parameterFolder;     // holds the `parameter` file
    QString settingsFile;        // the per-user settings store (INI); empty = Qt's per-user default
    radiolink::PortPlaces ports; // empty: no port number leads to a device
    // Windows that keep nothing: no `parameter` file is read or written, no
    // port is opened at start, the settings store is neither read nor
    // written, and the folders above are not used for either.
    bool detached = false;
    // Where the backups taken before writes are kept; empty: the per-user
    // folder the command line uses too.
    QString backupsFolder{};
    // The USB serial adapters plugged in, which ports can be bound to.
    radiolink::AdapterList adapters = radiolink::systemAdapters;
};

AppFolders defaultFolders();

// The folders' backups folder, or the per-user one when they name none.
QString backupsFolder(const AppFolders& folders);

// The program's windows with nothing on disk behind them and no port, for
// windows built only to be read or to encode a file (the command line):
// nothing to create, so nothing that can fail on a full or missing folder
// or disturb a running program's files.
AppFolders detachedFolders();

// Folders inside `folder` for windows built away from the user's settings
// and without a radio (the window dump, benchmarks, editor tests): the
// parameter file there says that no port is chosen, so start-up opens none
// and shows no port error.
AppFolders scratchFolders(const QString& folder);

// Whether this process can write to a file or folder (a folder: create a
// file in it).
using WriteCheck = std::function<bool(const QString& path)>;
bool canWrite(const QString& path);

// Whether a folder is one the system's packages own (/usr, /opt...): the
// path as given, canonical.
bool isSystemFolder(const QString& canonicalPath);

// Whether a folder is this user's own: not a system folder, and owned by
// the user this process runs as.
using FolderCheck = std::function<bool(const QString& folder)>;
bool isUsersOwnFolder(const QString& folder);

// The folder for the `parameter` file. The program's folder when it is the
// user's own (a build tree) and the file there can be written, or created;
// otherwise (an installed program, run by anyone, root too) `userFolder`,
// created if missing, so the port choice is kept and nothing is left
// beside the program.
QString chooseParameterFolder(const QString& programFolder, const QString& userFolder,
                              const WriteCheck& writable = canWrite,
                              const FolderCheck& usersOwn = isUsersOwnFolder);

} // namespace shell
