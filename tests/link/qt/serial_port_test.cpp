// The serial port layer against a real pseudo-terminal, under a
// QCoreApplication: the command line uses it without widgets.
#include "link/device_lock.h"
#include "platform/port_names.h"
#include "platform/serial_port.h"
#include "support/pseudo_terminal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using radiolink::PortFailure;
using radiolink::SerialPort;

Q_DECLARE_METATYPE(PortFailure)

namespace {

// The lock file serial programs and Qt look for beside a device.
QString lockPathOf(const QString& device) {
    const std::string name =
        radiolink::device_lock::lockFileName(QFile::encodeName(device).toStdString());
    const std::string folder = radiolink::device_lock::folderForLock(name);
    return folder.empty() ? QString()
                          : QFile::decodeName(QByteArray::fromStdString(folder + "/" + name));
}

QByteArray everyByteValue() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

// What a port receives, event by event.
struct Events {
    explicit Events(SerialPort& port) {
        QObject::connect(&port, &SerialPort::received,
                         [this](const QByteArray& bytes) { list.append(bytes); });
    }
    QByteArray all() const { return list.join(); }
    QList<QByteArray> list;
};

} // namespace

class SerialPortTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        // Setting DTR and RTS on a pseudo-terminal fails; that must stay quiet.
        QTest::failOnWarning(QRegularExpression(".*"));
    }

    void lineIs9600Baud8N1WithoutFlowControl() {
        PseudoTerminal pty;
        SerialPort port;
        QVERIFY(port.openDevice(pty.slavePath()));
        QCOMPARE(port.failure(), PortFailure::None);
        const termios t = pty.lineSettings();
        QCOMPARE(cfgetispeed(&t), speed_t(B9600));
        QCOMPARE(cfgetospeed(&t), speed_t(B9600));
        QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(t.c_iflag & (IXON | IXOFF), tcflag_t(0));
    }

    void bytesPassUnchangedBothWays_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("line endings, XON, XOFF, break and end-of-file characters")
            << QByteArray("\x0D\x0A\x11\x13\x03\x1A\x04\x1C\x7F\x00\x0D", 11);
        QTest::newRow("every byte value") << everyByteValue();
        QTest::newRow("a block frame")
            << QByteArray("W\x07\xE0\x10\x0D\x0A\x11\x13\x03\x00\xFF\x06\x45\x02\x50\x52\x4F\x47"
                          "\x52\x41",
                          20);
    }
    void bytesPassUnchangedBothWays() {
        QFETCH(QByteArray, bytes);
        PseudoTerminal pty;
        SerialPort port;
        QVERIFY(port.openDevice(pty.slavePath()));
        Events events(port);

        QVERIFY(pty.write(bytes));
        QTRY_COMPARE(events.all(), bytes);

        port.send(radiolink::bytesOf(bytes));
        QCOMPARE(pty.read(bytes.size()), bytes);
        // No echo of what the radio sent, no extra bytes.
        QCOMPARE(pty.read(1, 100), QByteArray());
    }

    void receiveThreshold_data() {
        QTest::addColumn<int>("threshold");
        QTest::addColumn<QList<int>>("bursts");
        QTest::addColumn<QList<int>>("events");
        QTest::newRow("1: each burst is an event") << 1 << QList<int>{3, 1} << QList<int>{3, 1};
        QTest::newRow("20: 19 bytes wait") << 20 << QList<int>{19} << QList<int>{};
        QTest::newRow("20: the 20th byte brings all") << 20 << QList<int>{19, 1} << QList<int>{20};
        QTest::newRow("20: a block in three pieces") << 20 << QList<int>{7, 7, 6} << QList<int>{20};
        QTest::newRow("20: more than 20 come whole") << 20 << QList<int>{25} << QList<int>{25};
        QTest::newRow("20: a short answer and then more")
            << 20 << QList<int>{1, 30} << QList<int>{31};
    }
    void receiveThreshold() {
        QFETCH(int, threshold);
        QFETCH(QList<int>, bursts);
        QFETCH(QList<int>, events);
        PseudoTerminal pty;
        SerialPort port;
        QVERIFY(port.openDevice(pty.slavePath()));
        port.setReceiveThreshold(threshold);
        Events seen(port);
        char next = 0;
        int written = 0;
        for (int size : bursts) {
            QByteArray burst;
            for (int i = 0; i < size; ++i)
                burst.append(next++);
            QVERIFY(pty.write(burst));
            written += size;
            // Each burst is taken before the next comes, however busy the
            // machine; below the threshold the bytes wait unseen.
            if (threshold == 1)
                QTRY_COMPARE(seen.all().size(), written);
            else
                QTest::qWait(60);
        }
        QList<int> sizes;
        for (const QByteArray& e : seen.list)
            sizes << int(e.size());
        QCOMPARE(sizes, events);
        if (!events.isEmpty())
            QCOMPARE(seen.all().back(), char(next - 1)); // in arrival order
    }

    void loweringTheThresholdDeliversWhatWaitsAfterTheStep() {
        PseudoTerminal pty;
        SerialPort port;
        QVERIFY(port.openDevice(pty.slavePath()));
        port.setReceiveThreshold(20);
        Events seen(port);
        QVERIFY(pty.write(QByteArray("\x06\x57\x00", 3)));
        QTest::qWait(60);
        QVERIFY(seen.list.isEmpty());
        port.setReceiveThreshold(1);
        // Never from inside the caller's own step.
        QVERIFY(seen.list.isEmpty());
        QTRY_COMPARE(seen.all(), QByteArray("\x06\x57\x00", 3));
    }

    void reopeningStartsAtThresholdOne() {
        PseudoTerminal pty;
        SerialPort port;
        QVERIFY(port.openDevice(pty.slavePath()));
        port.setReceiveThreshold(20);
        // Choosing the port that is already open closes and reopens it.
        QVERIFY(port.openDevice(pty.slavePath()));
        QCOMPARE(port.receiveThreshold(), 1);
        Events seen(port);
        QVERIFY(pty.write("\x06"));
        QTRY_COMPARE(seen.all(), QByteArray("\x06"));
    }

    void aHangUpClosesThePortOnce() {
        PseudoTerminal pty;
        SerialPort port;
        QVERIFY(port.openDevice(pty.slavePath()));
        QSignalSpy lost(&port, &SerialPort::lineLost);
        pty.hangUp();
        QTRY_COMPARE(lost.count(), 1);
        QVERIFY(!port.isOpen());
        const std::uint8_t end[] = {0x45};
        port.send(end); // a transfer still running sends into nothing
        port.setReceiveThreshold(1);
        QTest::qWait(100);
        QCOMPARE(lost.count(), 1);
    }

    void openFailure_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<PortFailure>("failure");
        QTest::newRow("missing device") << "missing" << PortFailure::Missing;
        QTest::newRow("missing folder") << "missing folder" << PortFailure::Missing;
        QTest::newRow("no device for the port") << "empty" << PortFailure::NoDevice;
        QTest::newRow("a file, not a serial line") << "file" << PortFailure::Other;
        QTest::newRow("in use by another program") << "in use" << PortFailure::InUse;
        QTest::newRow("no permission") << "no permission" << PortFailure::Permission;
    }
    void openFailure() {
        QFETCH(QString, setup);
        QFETCH(PortFailure, failure);
        QTemporaryDir dir;
        PseudoTerminal pty;
        SerialPort other;
        QString device;
        if (setup == "missing") {
            device = dir.filePath("ttyUSB7");
        } else if (setup == "missing folder") {
            device = dir.filePath("gone/ttyUSB0");
        } else if (setup == "file") {
            device = dir.filePath("notes.txt");
            QFile f(device);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (setup == "in use") {
            device = pty.slavePath();
            QVERIFY(other.openDevice(device));
        } else if (setup == "no permission") {
            if (::geteuid() == 0)
                QSKIP("root may open any device");
            device = pty.slavePath();
            QVERIFY(::chmod(QFile::encodeName(device).constData(), 0) == 0);
        }
        SerialPort port;
        QVERIFY(!port.openDevice(device));
        QVERIFY(!port.isOpen());
        QCOMPARE(port.failure(), failure);
        QCOMPARE(port.deviceName(), device);
        if (failure == PortFailure::Other)
            QVERIFY(!port.systemErrorText().isEmpty());
        // A failed open leaves an open port of another program alone.
        if (setup == "in use") {
            QVERIFY(other.isOpen());
            QVERIFY(pty.write("\x06"));
            QSignalSpy got(&other, &SerialPort::received);
            QTRY_COMPARE(got.count(), 1);
        }
    }

    // Another serial program's lock on the device, as such programs write it.
    void anotherProgramsLock_data() {
        QTest::addColumn<QString>("lock"); // PID stands for the holder's process number
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("opens");
        QTest::newRow("text, running") << "      PID\n" << true << false;
        QTest::newRow("binary, running") << "binary" << true << false;
        QTest::newRow("Qt's form, running") << "PID\nminicom\nhost\n" << true << false;
        QTest::newRow("empty, just made") << "" << true << false;
        QTest::newRow("text, ended") << "      PID\n" << false << true;
        QTest::newRow("binary, ended") << "binary" << false << true;
    }
    void anotherProgramsLock() {
        QFETCH(QString, lock);
        QFETCH(bool, running);
        QFETCH(bool, opens);
        PseudoTerminal pty;
        const QString lockPath = lockPathOf(pty.slavePath());
        if (lockPath.isEmpty())
            QSKIP("no folder for serial locks can be written here");
        const pid_t holder = ::fork();
        if (holder == 0) {
            ::pause();
            ::_exit(0);
        }
        if (!running) {
            ::kill(holder, SIGKILL);
            ::waitpid(holder, nullptr, 0);
        }
        const int pid = holder;
        QByteArray content = lock.toUtf8();
        content.replace("PID",
                        QByteArray::number(pid).rightJustified(lock.startsWith(' ') ? 4 : 0));
        if (lock == "binary")
            content = QByteArray(reinterpret_cast<const char*>(&pid), sizeof pid);
        QFile file(lockPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        SerialPort port;
        const bool opened = port.openDevice(pty.slavePath());
        const QByteArray after = [&] {
            QFile f(lockPath);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
        }();
        port.close();
        const bool lockGone = !QFile::exists(lockPath);
        QFile::remove(lockPath);
        if (running) {
            ::kill(holder, SIGKILL);
            ::waitpid(holder, nullptr, 0);
        }
        QCOMPARE(opened, opens);
        if (opens) {
            // Taken over: our own lock in its place, and gone with the port.
            QVERIFY(after.startsWith(QByteArray::number(::getpid()) + "\n"));
            QVERIFY(lockGone);
        } else {
            QCOMPARE(port.failure(), PortFailure::InUse);
            QCOMPARE(after, content);
        }
    }

    // Root's lock of an ended program, in a folder that lets only its owner
    // remove it (/var/lock is sticky): another user's port cannot take it
    // over, and says so with the lock's place, not "in use".
    void aStaleLockWeMayNotRemoveIsToldWithItsPlace() {
        if (::geteuid() != 0)
            QSKIP("only root can leave a lock another user cannot remove");
        PseudoTerminal pty;
        const QString lockPath = lockPathOf(pty.slavePath());
        struct stat folder {};
        if (lockPath.isEmpty() ||
            ::stat(QFile::encodeName(QFileInfo(lockPath).path()).constData(), &folder) != 0 ||
            !(folder.st_mode & S_ISVTX) || !(folder.st_mode & S_IWOTH))
            QSKIP("no sticky folder for serial locks here");
        const pid_t ended = ::fork();
        if (ended == 0)
            ::_exit(0);
        ::waitpid(ended, nullptr, 0);
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(ended).rightJustified(10) + "\n");
        lock.close();
        const pid_t user = ::fork();
        if (user == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(100);
            SerialPort port;
            const bool opened = port.openDevice(pty.slavePath());
            ::_exit(opened ? 101 : port.systemErrorText() == lockPath ? int(port.failure()) : 102);
        }
        int status = 0;
        ::waitpid(user, &status, 0);
        const bool left = QFile::exists(lockPath);
        QFile::remove(lockPath);
        QVERIFY(left);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(PortFailure(WEXITSTATUS(status)), PortFailure::StaleLock);
    }

    // A lock that cannot be written is told as such, not as a device in use.
    void aLockThatCannotBeWrittenIsToldAsItsCause() {
        PseudoTerminal pty;
        if (lockPathOf(pty.slavePath()).isEmpty())
            QSKIP("no folder for serial locks can be written here");
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = saved;
        none.rlim_cur = 0;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &none), 0);
        SerialPort port;
        const bool opened = port.openDevice(pty.slavePath());
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY(!opened);
        QCOMPARE(port.failure(), PortFailure::LockFailed);
        QCOMPARE(port.systemErrorText(), QString::fromLocal8Bit(std::strerror(EFBIG)));
        QVERIFY(!QFile::exists(lockPathOf(pty.slavePath())));
    }

    void portNumbersToDevices_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("link"); // the link made in the links folder
        QTest::addColumn<QString>("expected");
        QTest::newRow("port 1 without a link") << 1 << ""
                                               << "@dev/ttyUSB0";
        QTest::newRow("port 16 without a link") << 16 << ""
                                                << "@dev/ttyUSB15";
        QTest::newRow("a link takes precedence") << 3 << "com3"
                                                 << "@links/com3";
        QTest::newRow("a link to nothing still names the port") << 3 << "com3 dangling"
                                                                << "@links/com3";
        QTest::newRow("another port's link") << 2 << "com3"
                                             << "@dev/ttyUSB1";
        QTest::newRow("port 0") << 0 << ""
                                << "";
        QTest::newRow("port 17") << 17 << "com17"
                                 << "";
    }
    void portNumbersToDevices() {
        QFETCH(int, number);
        QFETCH(QString, link);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("links"));
        radiolink::PortPlaces places{dir.filePath("links"), dir.filePath("dev/ttyUSB")};
        if (link == "none")
            places = {};
        else if (!link.isEmpty()) {
            const QString name = link.section(' ', 0, 0);
            const QString target = dir.filePath(link.endsWith("dangling") ? "gone" : "target");
            QFile(target).open(QIODevice::WriteOnly);
            QVERIFY(QFile::link(target, dir.filePath("links/" + name)));
        }
        expected.replace("@", dir.path() + "/");
        QCOMPARE(radiolink::portDeviceName(number, places), expected);
    }

    // The virtual radio makes its links in the same folder. A relative or
    // empty XDG_DATA_HOME is ignored, as the XDG rules say.
    void linksLiveInThePerUserDataFolder_data() {
        QTest::addColumn<QByteArray>("xdg"); // DIR: a folder of the test's
        QTest::addColumn<QString>("folder");
        QTest::newRow("absolute") << QByteArray("DIR") << "DIR/TQ305CloneDesk/ports";
        QTest::newRow("relative") << QByteArray("data") << "~/.local/share/TQ305CloneDesk/ports";
        QTest::newRow("empty") << QByteArray() << "~/.local/share/TQ305CloneDesk/ports";
    }
    void linksLiveInThePerUserDataFolder() {
        QFETCH(QByteArray, xdg);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        xdg.replace("DIR", QFile::encodeName(dir.path()));
        folder.replace("DIR", dir.path()).replace("~", QDir::homePath());
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", xdg);
        const radiolink::PortPlaces places = radiolink::defaultPortPlaces();
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(places.linksFolder, folder);
        QCOMPARE(places.devicePrefix, QString("/dev/ttyUSB"));
    }
};

QTEST_GUILESS_MAIN(SerialPortTest)
#include "serial_port_test.moc"
