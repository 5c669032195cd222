#include "platform/port_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace radiolink {

QByteArray userDataFolderBytes() {
#ifdef Q_OS_WIN
    const QByteArray base =
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#else
    // The XDG rules ignore a relative XDG_DATA_HOME; Qt would take it
    // relative to whatever folder we were started in.
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    const QByteArray base =
        xdg.startsWith('/') ? xdg : QFile::encodeName(QDir::homePath()) + "/.local/share";
#endif
    return base + "/TQ305CloneDesk";
}

QString userDataFolder() {
    return QFile::decodeName(userDataFolderBytes());
}

PortPlaces defaultPortPlaces() {
    return {userDataFolder() + "/ports", "/dev/ttyUSB"};
}

QString portDeviceName(int number, const PortPlaces& places) {
    if (number < 1 || number > PortCount)
        return {};
#ifdef Q_OS_WIN
    Q_UNUSED(places);
    return QString("COM%1").arg(number);
#else
    if (!places.linksFolder.isEmpty()) {
        const QFileInfo link(QDir(places.linksFolder).filePath(QString("com%1").arg(number)));
        if (link.isSymLink() || link.exists())
            return link.filePath();
    }
    if (places.devicePrefix.isEmpty())
        return {};
    return places.devicePrefix + QString::number(number - 1);
#endif
}

} // namespace radiolink
