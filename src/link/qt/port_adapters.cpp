#include "link/qt/port_adapters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <unistd.h>

namespace radiolink {

namespace {

constexpr const char* StableFolder = "/dev/serial/by-id";

QString linkPath(int number, const PortPlaces& places) {
    return QDir(places.linksFolder).filePath(QString("com%1").arg(number));
}

QString canonical(const QString& path) {
    const QString found = QFileInfo(path).canonicalFilePath();
    return found.isEmpty() ? path : found;
}

} // namespace

std::vector<SerialAdapter> systemAdapters() {
    std::vector<SerialAdapter> adapters;
    const QFileInfoList stable = QDir(StableFolder).entryInfoList(QDir::System | QDir::Files);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (!info.hasVendorIdentifier())
            continue; // not a USB adapter
        SerialAdapter adapter{info.systemLocation(),
                              info.manufacturer(),
                              info.description(),
                              info.serialNumber(),
                              {}};
        for (const QFileInfo& name : stable)
            if (name.canonicalFilePath() == canonical(adapter.device))
                adapter.stableName = name.filePath();
        adapters.push_back(adapter);
    }
    return adapters;
}

std::vector<PortDescription> describePorts(const PortPlaces& places, const AdapterList& adapters) {
    const std::vector<SerialAdapter> plugged = adapters();
    std::vector<PortDescription> ports;
    for (int number = 1; number <= PortCount; ++number) {
        PortDescription port;
        port.number = number;
        const QString named = portDeviceName(number, places);
        const QFileInfo link(named);
        const QString target = link.isSymLink() ? link.symLinkTarget() : named;
        port.device = canonical(named);
        port.present = QFileInfo::exists(named);
        for (const SerialAdapter& adapter : plugged) {
            const bool byStableName = !adapter.stableName.isEmpty() && target == adapter.stableName;
            if (byStableName || (port.present && canonical(adapter.device) == port.device)) {
                port.adapter = adapter;
                port.bound = byStableName;
            }
        }
        // An adapter's stable name whose adapter is unplugged.
        if (!port.present && link.isSymLink() && QFileInfo(target).dir().dirName() == "by-id") {
            port.device = target;
            port.bound = true;
        }
        ports.push_back(port);
    }
    return ports;
}

QString portSummary(const PortDescription& port) {
    if (!port.present)
        return port.device + " (absent)";
    if (!port.adapter)
        return port.device;
    QStringList parts;
    for (const QString& part : {port.adapter->maker, port.adapter->product})
        if (!part.isEmpty())
            parts << part;
    QString summary = port.device + " - " + parts.join(' ');
    if (!port.adapter->serialNumber.isEmpty())
        summary += ", serial " + port.adapter->serialNumber;
    return summary;
}

bool bindPort(int number, const QString& serialNumber, const PortPlaces& places,
              const AdapterList& adapters, QString& error) {
    for (const SerialAdapter& adapter : adapters()) {
        if (serialNumber.isEmpty() || adapter.serialNumber != serialNumber)
            continue;
        if (adapter.stableName.isEmpty()) {
            error = adapter.device + " has no name in " + StableFolder;
            return false;
        }
        if (!QDir().mkpath(places.linksFolder)) {
            error = places.linksFolder + ": cannot be made";
            return false;
        }
        const QString link = linkPath(number, places);
        ::unlink(QFile::encodeName(link).constData());
        if (!QFile::link(adapter.stableName, link)) {
            error = link + ": cannot be made";
            return false;
        }
        return true;
    }
    error = "no adapter plugged in has the serial number " + serialNumber;
    return false;
}

bool unbindPort(int number, const PortPlaces& places) {
    const QString link = linkPath(number, places);
    return !QFileInfo(link).isSymLink() || ::unlink(QFile::encodeName(link).constData()) == 0;
}

} // namespace radiolink
