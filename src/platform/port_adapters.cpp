#include "platform/port_adapters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace radiolink {

namespace {

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
    const QFileInfoList stable = QDir(StableNameFolder).entryInfoList(QDir::System | QDir::Files);
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

QString adapterSummary(const SerialAdapter& adapter, const SummaryWords& words) {
    QStringList parts;
    for (const QString& part : {adapter.maker, adapter.product})
        if (!part.isEmpty())
            parts << part;
    QString summary = parts.join(' ');
    if (!adapter.serialNumber.isEmpty())
        summary += ", " + words.serial + " " + adapter.serialNumber;
    return summary;
}

QString portSummary(const PortDescription& port, const SummaryWords& words) {
    if (!port.present)
        return port.device + " " + words.absent;
    if (!port.adapter)
        return port.device;
    return port.device + " - " + adapterSummary(*port.adapter, words);
}

BindResult bindPort(int number, const QString& serialNumber, const PortPlaces& places,
                    const AdapterList& adapters) {
    for (const SerialAdapter& adapter : adapters()) {
        if (serialNumber.isEmpty() || adapter.serialNumber != serialNumber)
            continue;
        if (adapter.stableName.isEmpty())
            return {BindFailure::NoStableName, adapter.device};
        if (!QDir().mkpath(places.linksFolder))
            return {BindFailure::LinksFolder, places.linksFolder, errno};
        // Made beside the old link and moved over it: a link that cannot be
        // made leaves the port bound as it was.
        const QString link = linkPath(number, places);
        const QByteArray made = QFile::encodeName(link + ".new");
        ::unlink(made.constData());
        if (::symlink(QFile::encodeName(adapter.stableName).constData(), made.constData()) != 0 ||
            std::rename(made.constData(), QFile::encodeName(link).constData()) != 0) {
            const int error = errno;
            ::unlink(made.constData());
            return {BindFailure::LinkNotMade, link, error};
        }
        return {};
    }
    return {BindFailure::NoSuchAdapter, serialNumber};
}

BindResult unbindPort(int number, const PortPlaces& places) {
    const QString link = linkPath(number, places);
    if (QFileInfo(link).isSymLink() && ::unlink(QFile::encodeName(link).constData()) != 0)
        return {BindFailure::LinkNotRemoved, link, errno};
    return {};
}

} // namespace radiolink
