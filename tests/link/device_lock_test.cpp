// Other programs' serial lock files: which still stand for a running
// program, and that clearing away takes only those whose program ended.
// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "support/test_registry.h"
// clang-format on

#include "link/device_lock.h"

#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using radiolink::device_lock::Holder;

Q_DECLARE_METATYPE(Holder)

namespace {

// A process that runs until the test ends it, and one that has ended.
struct Processes {
    Processes() {
        live = ::fork();
        if (live == 0) {
            ::pause();
            ::_exit(0);
        }
        ended = ::fork();
        if (ended == 0)
            ::_exit(0);
        ::waitpid(ended, nullptr, 0);
    }
    ~Processes() {
        ::kill(live, SIGKILL);
        ::waitpid(live, nullptr, 0);
    }
    pid_t live = -1;
    pid_t ended = -1;
};

QByteArray asText(pid_t pid) {
    return QByteArray::number(pid).rightJustified(10, ' ') + '\n';
}

QByteArray asBinary(pid_t pid) {
    const int value = pid;
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

class DeviceLockTest : public QObject {
    Q_OBJECT

  private slots:
    void holder_data() {
        QTest::addColumn<QString>("content"); // LIVE/ENDED stand for a process number
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<Holder>("holder");
        QTest::newRow("text, running") << "text LIVE" << 0 << Holder::Live;
        QTest::newRow("text, running, long held") << "text LIVE" << 3600 << Holder::Live;
        QTest::newRow("text, ended") << "text ENDED" << 0 << Holder::Ended;
        QTest::newRow("binary, running") << "binary LIVE" << 0 << Holder::Live;
        QTest::newRow("binary, running, long held") << "binary LIVE" << 3600 << Holder::Live;
        QTest::newRow("binary, ended") << "binary ENDED" << 0 << Holder::Ended;
        QTest::newRow("Qt's form, running") << "qt LIVE" << 0 << Holder::Live;
        QTest::newRow("Qt's form, ended") << "qt ENDED" << 0 << Holder::Ended;
        QTest::newRow("empty, young") << "" << 0 << Holder::Live;
        QTest::newRow("empty, stale") << "" << 31 << Holder::Ended;
        QTest::newRow("unknown form, young") << "garbage" << 29 << Holder::Live;
        QTest::newRow("unknown form, stale") << "garbage" << 60 << Holder::Ended;
        QTest::newRow("process 0, young") << "zero" << 0 << Holder::Live;
        QTest::newRow("no lock") << "none" << 0 << Holder::None;
    }
    void holder() {
        QFETCH(QString, content);
        QFETCH(int, ageSeconds);
        QFETCH(Holder, holder);
        const Processes processes;
        QTemporaryDir dir;
        const QString path = dir.filePath("LCK..ttyUSB0");
        const pid_t pid = content.endsWith("ENDED") ? processes.ended : processes.live;
        QByteArray bytes = content.toUtf8();
        if (content.startsWith("text"))
            bytes = asText(pid);
        else if (content.startsWith("binary"))
            bytes = asBinary(pid);
        else if (content.startsWith("qt"))
            bytes = QByteArray::number(pid) + "\nminicom\nhost\n";
        else if (content == "zero")
            bytes = asText(0);
        const std::string file = QFile::encodeName(path).toStdString();
        if (content != "none") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
            f.close();
            const timespec then[2] = {{std::time(nullptr) - ageSeconds, 0},
                                      {std::time(nullptr) - ageSeconds, 0}};
            QVERIFY(::utimensat(AT_FDCWD, file.c_str(), then, 0) == 0);
        }
        QCOMPARE(radiolink::device_lock::holderOf(file), holder);
        // Only a lock whose program ended is ever taken away.
        radiolink::device_lock::removeIfEnded(file);
        QCOMPARE(QFile::exists(path), holder == Holder::Live);
    }

    void aLockThatCannotBeWrittenSaysWhy() {
        QTemporaryDir dir;
        const std::string folder = QFile::encodeName(dir.path()).toStdString();
        QCOMPARE(radiolink::device_lock::lockWriteError(folder, "LCK..ttyS0"), 0);
        QVERIFY(!QFile::exists(dir.filePath("LCK..ttyS0")));
        QFile held(dir.filePath("LCK..ttyS1"));
        QVERIFY(held.open(QIODevice::WriteOnly));
        QCOMPARE(radiolink::device_lock::lockWriteError(folder, "LCK..ttyS1"), EEXIST);
        QVERIFY(held.exists());
        QCOMPARE(radiolink::device_lock::lockWriteError(folder + "/gone", "LCK..ttyS0"), ENOENT);
    }
};

TQ_REGISTER_TEST(DeviceLockTest);

#include "device_lock_test.moc"
