#include "platform/serial_port.h"

#include "link/device_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>
#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace radiolink {

namespace {

// Qt's rule on Unix: a bare name is a device under /dev.
QString systemLocation(const QString& device) {
#ifdef Q_OS_WIN
    return device;
#else
    if (device.startsWith('/') || device.startsWith("./") || device.startsWith("../"))
        return device;
    return "/dev/" + device;
#endif
}

#ifndef Q_OS_WIN
std::string lockName(const QString& path) {
    return radiolink::device_lock::lockFileName(QFile::encodeName(path).toStdString());
}

// Qt's lock takes over one it judges stale, and it judges by rules of its
// own: a live program's lock written as serial programs write it, or as a
// binary number, it would delete. The lock of an ended program is cleared
// here, so that Qt never finds one in its way that it could misjudge. What
// stands in the way: InUse, StaleLock with the lock that stays, or None.
PortFailure otherProgramsLock(const QString& path, const QString& spelling, QString& stale) {
    namespace lock = radiolink::device_lock;
    std::vector<std::string> names{lockName(path)};
    if (lockName(spelling) != names.front())
        names.push_back(lockName(spelling));
    for (const std::string& folder : lock::lockFolders())
        for (const std::string& name : names) {
            const std::string file = folder + "/" + name;
            const lock::Holder holder = lock::holderOf(file);
            if (holder == lock::Holder::Live)
                return PortFailure::InUse;
            if (holder == lock::Holder::Ended && !lock::removeIfEnded(file)) {
                stale = QFile::decodeName(QByteArray::fromStdString(file));
                return PortFailure::StaleLock;
            }
        }
    return PortFailure::None;
}
#endif

} // namespace

SerialPort::SerialPort(QObject* parent) : QObject(parent), m_serial(new QSerialPort(this)) {
    connect(m_serial, &QSerialPort::readyRead, this, &SerialPort::deliverWaitingBytes);
    connect(m_serial, &QSerialPort::errorOccurred, this, &SerialPort::onError);
}

// The device itself, whatever link or "../" spelling led to it: its lock
// then has the name other serial programs give it.
QString SerialPort::devicePath(const QString& device) {
    const QString location = systemLocation(device);
    const QString canonical = QFileInfo(location).canonicalFilePath();
    return canonical.isEmpty() ? location : canonical;
}

bool SerialPort::openPort(int number, const PortPlaces& places) {
    return openDevice(portDeviceName(number, places));
}

bool SerialPort::openDevice(const QString& device) {
    close();
    ++m_openings;
    m_device = device;
    m_failure = PortFailure::None;
    m_systemText.clear();
    m_threshold = 1;
    if (device.isEmpty()) {
        m_failure = PortFailure::NoDevice;
        return false;
    }

    const QString location = systemLocation(device);
    const QString path = devicePath(device);
#ifndef Q_OS_WIN
    m_failure = otherProgramsLock(path, location, m_systemText);
    if (m_failure != PortFailure::None)
        return false;
#endif
    m_serial->setPortName(path);
    m_serial->setBaudRate(QSerialPort::Baud9600);
    m_serial->setDataBits(QSerialPort::Data8);
    m_serial->setParity(QSerialPort::NoParity);
    m_serial->setStopBits(QSerialPort::OneStop);
    m_serial->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_serial->open(QIODevice::ReadWrite)) {
        diagnoseOpenFailure(path);
        m_serial->clearError();
        return false;
    }
    if (!lockDevice()) {
        m_serial->close();
        m_serial->clearError();
        m_failure = PortFailure::InUse;
        return false;
    }
    // Programming cables often draw their power from DTR and RTS, so both
    // are held high while the port is open. A pseudo-terminal has neither
    // line; its refusal is of no consequence and is cleared.
    m_serial->setDataTerminalReady(true);
    m_serial->setRequestToSend(true);
    // Bytes waiting from before belong to no transfer of ours (the radio's
    // answer to the "E" of an earlier one): left there, they would pass for
    // the answer to our handshake.
    m_serial->clear(QSerialPort::Input);
    m_serial->clearError();
    return true;
}

void SerialPort::close() {
    if (m_serial->isOpen())
        m_serial->close();
    m_serial->clearError();
}

bool SerialPort::isOpen() const {
    return m_serial->isOpen();
}

void SerialPort::send(std::span<const std::uint8_t> bytes) {
    if (!isOpen() || bytes.empty())
        return;
    m_serial->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    // Onto the line now rather than at the next turn of the event loop;
    // this never waits.
    m_serial->flush();
}

void SerialPort::drainInput(int quietMs, int limitMs) {
    if (!isOpen())
        return;
    const QSignalBlocker noEvents(m_serial);
    const QDeadlineTimer limit(limitMs);
    m_serial->readAll();
    while (!limit.hasExpired() &&
           m_serial->waitForReadyRead(int(std::min<qint64>(quietMs, limit.remainingTime()))))
        m_serial->readAll();
}

void SerialPort::setReceiveThreshold(int bytes) {
    m_threshold = bytes < 1 ? 1 : bytes;
    // Bytes already waiting that now reach the threshold raise their event,
    // after the caller's step has finished (never inside it).
    if (isOpen() && m_serial->bytesAvailable() >= m_threshold)
        QMetaObject::invokeMethod(this, &SerialPort::deliverWaitingBytes, Qt::QueuedConnection);
}

std::vector<std::uint8_t> SerialPort::takeWaiting() {
    if (!isOpen())
        return {};
    const QByteArray bytes = m_serial->readAll();
    return {bytes.begin(), bytes.end()};
}

void SerialPort::deliverWaitingBytes() {
    if (!isOpen() || m_serial->bytesAvailable() < m_threshold)
        return;
    emit received(m_serial->readAll());
}

void SerialPort::onError(QSerialPort::SerialPortError error) {
    // A hang-up or a removed adapter (a hung-up line may also read as end of
    // file, which Qt reports as a read error, again and again). The port is
    // closed once QSerialPort has finished reporting, unless it was opened
    // anew meanwhile; the transfer's watchdog ends the transfer.
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, opening = m_openings] {
            if (!isOpen() || opening != m_openings)
                return;
            close();
            emit lineLost();
        },
        Qt::QueuedConnection);
}

bool SerialPort::lockDevice() {
#ifdef Q_OS_WIN
    return true; // Windows lets one program at a time open a COM port
#else
    // QSerialPort's lock file goes by the name, and root may pass it: two
    // names of one device (a link, "/dev/pts/../pts/3") would both open it,
    // and two transfers would mix their bytes on the line. The lock is on the
    // device itself and ends with its descriptor, a crash included.
    return ::flock(int(m_serial->handle()), LOCK_EX | LOCK_NB) == 0;
#endif
}

void SerialPort::diagnoseOpenFailure(const QString& location) {
    m_systemText = m_serial->errorString();
    m_failure = PortFailure::Other;
#ifndef Q_OS_WIN
    const QByteArray path = QFile::encodeName(location);
    struct stat status {};
    if (::stat(path.constData(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            m_failure = PortFailure::Missing;
        else
            m_systemText = QString::fromLocal8Bit(std::strerror(errno));
    } else if (::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES) {
        m_failure = PortFailure::Permission;
    } else if (m_serial->error() == QSerialPort::PermissionError) {
        // Open to us, yet refused: the device is locked or held exclusively,
        // or no lock could be written for it (a full disk, a size limit).
        namespace lock = radiolink::device_lock;
        const std::string name = lockName(location);
        const int error = lock::lockWriteError(lock::folderForLock(name), name);
        m_failure = error && error != EEXIST ? PortFailure::LockFailed : PortFailure::InUse;
        if (m_failure == PortFailure::LockFailed)
            m_systemText = QString::fromLocal8Bit(std::strerror(error));
    }
#else
    Q_UNUSED(location);
    // Access to a COM port is denied only while another program holds it.
    if (m_serial->error() == QSerialPort::DeviceNotFoundError)
        m_failure = PortFailure::Missing;
    else if (m_serial->error() == QSerialPort::PermissionError)
        m_failure = PortFailure::InUse;
#endif
}

} // namespace radiolink
