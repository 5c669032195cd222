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
#include <grp.h>
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

// What holderOf() says of a lock, and whether removeIfEnded() cleared the
// way (true for a lock it had no cause to remove).
struct Judged {
    Holder holder = Holder::None;
    bool cleared = false;
};

Judged judgedHere(const std::string& file) {
    Judged judged;
    judged.holder = radiolink::device_lock::holderOf(file);
    judged.cleared = radiolink::device_lock::removeIfEnded(file);
    return judged;
}

// The same, judged by a child process that has become the user nobody.
Judged judgedAsNobody(const std::string& file) {
    constexpr uid_t Nobody = 65534;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            ::_exit(100);
        const Judged seen = judgedHere(file);
        ::_exit(int(seen.holder) * 2 + (seen.cleared ? 1 : 0));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 100;
    if (code >= 100)
        return {Holder(-1), false};
    return {Holder(code / 2), code % 2 == 1};
}

} // namespace

class DeviceLockTest : public QObject {
    Q_OBJECT

  private slots:
    // "another user" judges a lock as a user other than the lock's owner and
    // the process's: a running process then answers kill() with EPERM, a
    // lock of mode 0600 cannot be read, and in a sticky folder (as /var/lock
    // is) another's lock cannot be removed. Run as root, the judging is done
    // by a child that becomes nobody; run as a user, by the test itself,
    // facing init's process.
    void holder_data() {
        QTest::addColumn<QString>("content"); // LIVE/ENDED stand for a process number
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("anotherUser");
        QTest::addColumn<Holder>("holder");
        QTest::addColumn<bool>("left"); // the lock is still there after the clearing
        const auto row = [](const char* name, const char* content, int age, bool another,
                            Holder holder, bool left) {
            QTest::newRow(name) << content << age << another << holder << left;
        };
        const auto own = [&](const char* name, const char* content, int age, Holder holder) {
            row(name, content, age, false, holder, holder == Holder::Live);
        };
        own("text, running", "text LIVE", 0, Holder::Live);
        own("text, running, long held", "text LIVE", 3600, Holder::Live);
        own("text, ended", "text ENDED", 0, Holder::Ended);
        own("binary, running", "binary LIVE", 0, Holder::Live);
        own("binary, running, long held", "binary LIVE", 3600, Holder::Live);
        own("binary, ended", "binary ENDED", 0, Holder::Ended);
        own("Qt's form, running", "qt LIVE", 0, Holder::Live);
        own("Qt's form, ended", "qt ENDED", 0, Holder::Ended);
        own("empty, young", "", 0, Holder::Live);
        own("empty, stale", "", 31, Holder::Ended);
        own("unknown form, young", "garbage", 29, Holder::Live);
        own("unknown form, stale", "garbage", 60, Holder::Ended);
        own("process 0, young", "zero", 0, Holder::Live);
        own("no lock", "none", 0, Holder::None);
        row("another user's process, running", "text LIVE", 0, true, Holder::Live, true);
        row("another user's process, long held", "binary LIVE", 3600, true, Holder::Live, true);
        row("another user's lock, ended", "text ENDED", 0, true, Holder::Ended, true);
        row("unreadable, young", "unreadable LIVE", 0, true, Holder::Live, true);
        row("unreadable, stale", "unreadable LIVE", 60, true, Holder::Ended, true);
    }
    void holder() {
        QFETCH(QString, content);
        QFETCH(int, ageSeconds);
        QFETCH(bool, anotherUser);
        QFETCH(Holder, holder);
        QFETCH(bool, left);
        const bool root = ::geteuid() == 0;
        const bool processOnly = content.endsWith("LIVE") && !content.startsWith("unreadable");
        if (anotherUser && !root && !processOnly)
            QSKIP("only root can make a lock another user owns");
        const Processes processes;
        pid_t pid = content.endsWith("ENDED") ? processes.ended : processes.live;
        if (anotherUser && !root) {
            struct stat init {};
            if (::stat("/proc/1", &init) != 0 || init.st_uid == ::geteuid())
                QSKIP("no process of another user to name");
            pid = 1;
        }
        QTemporaryDir dir;
        // As /var/lock: anyone may add a lock, only its owner remove it.
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 01777) == 0);
        const QString path = dir.filePath("LCK..ttyUSB0");
        QByteArray bytes = content.toUtf8();
        if (content.startsWith("text") || content.startsWith("unreadable"))
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
            QVERIFY(::chmod(file.c_str(), content.startsWith("unreadable") ? 0600 : 0644) == 0);
            const timespec then[2] = {{std::time(nullptr) - ageSeconds, 0},
                                      {std::time(nullptr) - ageSeconds, 0}};
            QVERIFY(::utimensat(AT_FDCWD, file.c_str(), then, 0) == 0);
        }
        const Judged judged = anotherUser && root ? judgedAsNobody(file) : judgedHere(file);
        QCOMPARE(judged.holder, holder);
        // Only a lock whose program ended is ever taken away; one that
        // stays though ended is told.
        QCOMPARE(QFile::exists(path), left);
        QCOMPARE(judged.cleared, !left || holder != Holder::Ended);
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
