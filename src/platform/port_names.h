// Which device a port number 1..16 reaches. This is the only place that
// knows it: the windows, the command line and the tests all ask here.
#pragma once

#include <QByteArray>
#include <QString>

namespace radiolink {

// Where port numbers lead on systems without COM ports.
struct PortPlaces {
    // Holds links named comN (as one makes for Wine's dosdevices, or as the
    // virtual radio makes); a link there takes precedence for its port.
    QString linksFolder;
    // Port n without a link is devicePrefix followed by n - 1.
    QString devicePrefix;
};

// This program's folder in the per-user data folder: TQ305CloneDesk there.
QString userDataFolder();
// The same as the system's bytes: a folder name that is not UTF-8 kept as it is.
QByteArray userDataFolderBytes();

// userDataFolder()'s ports/ and /dev/ttyUSB.
PortPlaces defaultPortPlaces();

// COMn on Windows. Elsewhere the link comN in the links folder when that
// link exists, even if it points nowhere (a virtual radio that ended, a cable
// unplugged): the port then fails to open rather than reaching another
// device. Otherwise devicePrefix + (n - 1). Empty for a number outside 1..16
// or when the places give nothing.
QString portDeviceName(int number, const PortPlaces& places = defaultPortPlaces());

inline constexpr int PortCount = 16;

} // namespace radiolink
