// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "files/dat_file.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "sample_values.h"
#include "support/socket_file.h"
// clang-format on

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using files::FileError;

Q_DECLARE_METATYPE(files::FileError)

namespace {

QString golden(const QString& name) {
    return QStringLiteral(TQ_TEST_DATA "/") + name;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray imageBytes(const image::MemoryImage& m) {
    return QByteArray(reinterpret_cast<const char*>(m.data()), qsizetype(image::ImageSize));
}

image::MemoryImage sampleImage() {
    image::MemoryImage m{};
    image::encodeImage(testing::sampleValues(), m);
    return m;
}

// The number of a process that has ended.
pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

class DatFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    std::string stdPath(const QString& name) const { return path(name).toStdString(); }
    // Entries of the folder, hidden ones included, so a left-over temporary file shows.
    QStringList entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }

  private slots:
    void init() { QVERIFY(dir.isValid()); }
    void cleanup() {
        for (const QString& name : entries())
            QFileInfo(path(name)).isDir() ? (void)QDir(path(name)).removeRecursively()
                                          : (void)QFile::remove(path(name));
    }

    void header() {
        const files::DatHeader h = files::makeDatHeader(3);
        const QByteArray expected =
            QByteArray("TQ-305\xFF\x03\xFF\xFFV0100", 15) + QByteArray(33, '\xFF');
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(h.data()), qsizetype(h.size())),
                 expected);
    }

    void bandFromHeader_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("band"); // -1: none, the current band stays
        QTest::newRow("0x00") << 0x00 << 0;
        QTest::newRow("0x03") << 0x03 << 3;
        QTest::newRow("0x07") << 0x07 << 7;
        QTest::newRow("0x08") << 0x08 << -1;
        QTest::newRow("0x10 reads ten") << 0x10 << -1;
        QTest::newRow("0xFF reads nothing, so 0") << 0xFF << 0;
        QTest::newRow("0x0A reads 0") << 0x0A << 0;
        QTest::newRow("0x1E reads 1") << 0x1E << 1;
        QTest::newRow("0x45") << 0x45 << -1;
    }
    void bandFromHeader() {
        QFETCH(int, byte);
        QFETCH(int, band);
        QCOMPARE(files::bandFromHeader(std::uint8_t(byte)).value_or(-1), band);
    }

    void goldenFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("band");
        QTest::addColumn<bool>("sample"); // else all 0xFF
        QTest::newRow("all 0xFF") << "all_ff_image_band3.dat" << 3 << false;
        QTest::newRow("full image") << "full_image_band0.dat" << 0 << true;
        QTest::newRow("band byte 0x10") << "band_byte_0x10.dat" << -1 << false;
        QTest::newRow("band byte 0xFF") << "band_byte_0xff.dat" << 0 << false;
    }
    void goldenFiles() {
        QFETCH(QString, file);
        QFETCH(int, band);
        QFETCH(bool, sample);
        const files::LoadResult r = files::loadDatFile(golden(file).toStdString());
        QVERIFY(r.ok());
        QCOMPARE(r.file.band.value_or(-1), band);
        image::MemoryImage m;
        m.fill(0x11);
        r.file.copyInto(m);
        QCOMPARE(int(m[image::ImageSize]), 0x11);
        if (sample)
            QVERIFY(image::decodeImage(m) ==
                    static_cast<const image::WindowValues&>(testing::sampleValues()));
        else
            QCOMPARE(imageBytes(m), QByteArray(qsizetype(image::ImageSize), '\xFF'));
    }

    // Saving gives exactly the golden bytes, and loading them back gives the image and band.
    void saveMatchesGolden_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("band");
        QTest::addColumn<bool>("sample");
        QTest::newRow("encoded sample") << "full_image_band0.dat" << 0 << true;
        QTest::newRow("all 0xFF") << "all_ff_image_band3.dat" << 3 << false;
    }
    void saveMatchesGolden() {
        QFETCH(QString, file);
        QFETCH(int, band);
        QFETCH(bool, sample);
        image::MemoryImage m;
        m.fill(0xFF);
        if (sample)
            m = sampleImage();
        const auto target = stdPath("saved.dat");
        QVERIFY(files::saveDatFile(target, m, std::uint8_t(band)).ok());
        QCOMPARE(contents(path("saved.dat")), contents(golden(file)));
        QCOMPARE(entries(), QStringList{"saved.dat"});

        const auto back = files::loadDatFile(target);
        QVERIFY(back.ok());
        QCOMPARE(back.file.band.value_or(-1), band);
        QVERIFY(std::equal(back.file.image.begin(), back.file.image.end(), m.begin()));
    }

    void loadRefuses_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<files::FileError>("error");
        QTest::newRow("missing") << "missing" << FileError::CannotOpen;
        QTest::newRow("folder") << "folder" << FileError::CannotOpen;
        QTest::newRow("pipe") << "pipe" << FileError::NotRegularFile;
        QTest::newRow("device") << "device" << FileError::NotRegularFile;
        QTest::newRow("empty") << "empty" << FileError::WrongType;
        QTest::newRow("header only") << "header" << FileError::WrongType;
        QTest::newRow("one byte short") << "short" << FileError::WrongType;
        QTest::newRow("other product") << "other" << FileError::WrongType;
    }
    void loadRefuses() {
        QFETCH(QString, kind);
        QFETCH(files::FileError, error);
        const QByteArray good = contents(golden("full_image_band0.dat"));
        const QString p = path("input");
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("input"));
        else if (kind == "pipe") // a pipe nobody writes to: opening it must not wait
            QCOMPARE(::mkfifo(p.toLocal8Bit().constData(), 0600), 0);
        else if (kind == "device")
            QVERIFY(QFile::link("/dev/zero", p));
        else if (kind == "empty")
            writeFile(p, {});
        else if (kind == "header")
            writeFile(p, good.left(48));
        else if (kind == "short")
            writeFile(p, good.left(2095));
        else if (kind == "other")
            writeFile(p, QByteArray("TQ-306") + good.mid(6));
        const auto r = files::loadDatFile(p.toStdString());
        QCOMPARE(r.error, error);
    }

    void loadReadsOnlyTheFirst2096Bytes() {
        const QByteArray good = contents(golden("full_image_band0.dat"));
        writeFile(path("long.dat"), good + QByteArray(1000, '\x00'));
        const auto r = files::loadDatFile(stdPath("long.dat"));
        QVERIFY(r.ok());
        QVERIFY(std::equal(r.file.image.begin(), r.file.image.end(), sampleImage().begin()));
    }

    // Modes and owners a new file would not get from the umask or the saver.
    void saveReplacesLongerFileKeepingItsModeAndOwner_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("owner"); // -1: ours
        QTest::newRow("0640") << 0640 << -1;
        QTest::newRow("0666, wider than the umask") << 0666 << -1;
        QTest::newRow("0606") << 0606 << -1;
        QTest::newRow("another user's, saved by root") << 0664 << 1234;
    }
    void saveReplacesLongerFileKeepingItsModeAndOwner() {
        QFETCH(int, mode);
        QFETCH(int, owner);
        const QByteArray file = path("old.dat").toLocal8Bit();
        writeFile(path("old.dat"), QByteArray(5000, 'x'));
        if (owner >= 0 && ::chown(file.constData(), uid_t(owner), gid_t(owner)) != 0)
            QSKIP("only root may give a file away");
        QCOMPARE(::chmod(file.constData(), mode_t(mode)), 0);
        const mode_t umask = ::umask(077);
        const bool saved = files::saveDatFile(stdPath("old.dat"), sampleImage(), 0).ok();
        ::umask(umask);
        QVERIFY(saved);
        QCOMPARE(contents(path("old.dat")), contents(golden("full_image_band0.dat")));
        struct stat st {};
        QCOMPARE(::stat(file.constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), mode);
        QCOMPARE(int(st.st_uid), owner >= 0 ? owner : int(::geteuid()));
        QCOMPARE(int(st.st_gid), owner >= 0 ? owner : int(::getegid()));
        QCOMPARE(entries(), QStringList{"old.dat"});
    }

    // Ended by a signal while its bytes are on their way to the disk, a save
    // leaves the old file or the new one, and no temporary file.
    void signalDuringASaveLeavesNoTemporaryFile_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void signalDuringASaveLeavesNoTemporaryFile() {
        QFETCH(int, signal);
        const std::vector<std::uint8_t> bytes(32 << 20, 0x5A); // long enough to be caught
        writeFile(path("big.dat"), "old");
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(signal, SIG_DFL); // not the test's crash report
            ::_exit(files::writeFileAtomically(stdPath("big.dat"), bytes).ok() ? 0 : 1);
        }
        int status = 0;
        bool caught = false;
        while (::waitpid(child, &status, WNOHANG) == 0) {
            if (!caught && entries().size() > 1) {
                ::kill(child, signal);
                caught = true;
            }
            QTest::qSleep(1);
        }
        if (!caught)
            QSKIP("the save ended before it could be interrupted");
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), signal);
        QCOMPARE(entries(), QStringList{"big.dat"});
        const qint64 size = QFileInfo(path("big.dat")).size();
        QVERIFY2(size == 3 || size == qint64(bytes.size()), qPrintable(QString::number(size)));
    }

    // A read-only file is refused as writing it in place would be, even for root.
    void saveOverReadOnlyFileKeepsIt() {
        const QByteArray old = contents(golden("all_ff_image_band3.dat"));
        writeFile(path("locked.dat"), old);
        QCOMPARE(::chmod(path("locked.dat").toLocal8Bit().constData(), 0444), 0);
        const auto r = files::saveDatFile(stdPath("locked.dat"), sampleImage(), 0);
        QCOMPARE(r.error, FileError::CannotWrite);
        QCOMPARE(r.systemError, EACCES);
        QCOMPARE(contents(path("locked.dat")), old);
        QCOMPARE(entries(), QStringList{"locked.dat"});
    }

    void saveThroughLinkReplacesItsTarget() {
        writeFile(path("real.dat"), "old");
        QVERIFY(QFile::link(path("real.dat"), path("link.dat")));
        QVERIFY(files::saveDatFile(stdPath("link.dat"), sampleImage(), 0).ok());
        QVERIFY(QFileInfo(path("link.dat")).isSymLink());
        QCOMPARE(contents(path("real.dat")), contents(golden("full_image_band0.dat")));
    }

    // Saving through links whose last target does not exist yet makes that
    // file and keeps the links.
    void saveThroughDanglingLinkKeepsTheLink_data() {
        QTest::addColumn<QStringList>("links"); // "name>target", made in order
        QTest::addColumn<QString>("written");
        QTest::newRow("relative") << QStringList{"link.dat>new.dat"} << "new.dat";
        QTest::newRow("absolute") << QStringList{"link.dat>" + path("abs.dat")} << "abs.dat";
        QTest::newRow("chain") << QStringList{"second>new.dat", "link.dat>second"} << "new.dat";
    }
    void saveThroughDanglingLinkKeepsTheLink() {
        QFETCH(QStringList, links);
        QFETCH(QString, written);
        for (const QString& link : links) {
            const QStringList parts = link.split('>');
            QCOMPARE(::symlink(QFile::encodeName(parts[1]), QFile::encodeName(path(parts[0]))), 0);
        }
        QVERIFY(files::saveDatFile(stdPath("link.dat"), sampleImage(), 0).ok());
        QVERIFY(QFileInfo(path("link.dat")).isSymLink());
        QCOMPARE(contents(path(written)), contents(golden("full_image_band0.dat")));
    }

    void saveRefusesALinkLoop_data() {
        QTest::addColumn<QString>("second"); // where the second link points; empty: none
        QTest::newRow("onto itself") << "";
        QTest::newRow("two links") << "link.dat";
    }
    void saveRefusesALinkLoop() {
        QFETCH(QString, second);
        QCOMPARE(::symlink(second.isEmpty() ? "link.dat" : "other", stdPath("link.dat").c_str()),
                 0);
        if (!second.isEmpty())
            QCOMPARE(::symlink("link.dat", stdPath("other").c_str()), 0);
        const QStringList before = entries();
        const auto r = files::saveDatFile(stdPath("link.dat"), sampleImage(), 0);
        QCOMPARE(r.error, FileError::CannotReplace);
        QCOMPARE(r.systemError, ELOOP);
        QVERIFY(QFileInfo(path("link.dat")).isSymLink());
        QCOMPARE(entries(), before);
    }

    // A pipe or a socket in the file's place is left as it is, not replaced by a file.
    void saveRefusesWhatIsNotARegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("socket") << "socket";
        QTest::newRow("link to a pipe") << "link";
    }
    void saveRefusesWhatIsNotARegularFile() {
        QFETCH(QString, kind);
        const QString thing = path(kind == "socket" ? "socket" : "pipe");
        if (kind == "socket")
            makeSocketFile(QFile::encodeName(thing));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(thing), 0600), 0);
        if (kind == "link")
            QVERIFY(QFile::link(thing, path("link")));
        const QStringList before = entries();
        const auto r = files::saveDatFile(stdPath(kind), sampleImage(), 0);
        QCOMPARE(r.error, FileError::NotRegularFile);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(thing), &st), 0);
        QVERIFY(kind == "socket" ? S_ISSOCK(st.st_mode) : S_ISFIFO(st.st_mode));
        QCOMPARE(entries(), before);
    }

    // The next save clears away what an interrupted save left, and only that.
    void saveRemovesAbandonedTemporaryFiles_data() {
        QTest::addColumn<QString>("owner"); // "ended", "running" (this process), or a name
        QTest::addColumn<bool>("locked");   // a save under way holds the lock
        QTest::addColumn<int>("age");       // seconds
        QTest::addColumn<bool>("removed");
        QTest::newRow("process ended") << "ended" << false << 0 << true;
        QTest::newRow("process runs") << "running" << false << 0 << false;
        QTest::newRow("process runs, an hour old") << "running" << false << 3600 << true;
        QTest::newRow("save under way elsewhere") << "ended" << true << 3600 << false;
        QTest::newRow("not our name") << ".tq305-x-1.tmp" << false << 3600 << false;
    }
    void saveRemovesAbandonedTemporaryFiles() {
        QFETCH(QString, owner);
        QFETCH(bool, locked);
        QFETCH(int, age);
        QFETCH(bool, removed);
        const qint64 pid = owner == "ended" ? endedProcess() : ::getpid();
        const QString name =
            owner.startsWith('.') ? owner : QString(".tq305-%1-999999.tmp").arg(pid);
        writeFile(path(name), "half a save");
        std::filesystem::last_write_time(stdPath(name),
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::seconds(age));
        QFile held(path(name));
        QVERIFY(held.open(QIODevice::ReadOnly));
        if (locked)
            QCOMPARE(::flock(held.handle(), LOCK_EX | LOCK_NB), 0);

        QVERIFY(files::saveDatFile(stdPath("saved.dat"), sampleImage(), 0).ok());
        const QStringList left =
            removed ? QStringList{"saved.dat"} : QStringList{name, "saved.dat"};
        QCOMPARE(entries(), left);
    }

    void saveIntoMissingFolderFails() {
        const auto r = files::saveDatFile(stdPath("nowhere/x.dat"), sampleImage(), 0);
        QCOMPARE(r.error, FileError::CannotWrite);
        QVERIFY(entries().isEmpty());
    }

    void saveOverFolderLeavesIt() {
        QVERIFY(QDir(dir.path()).mkdir("taken.dat"));
        const auto r = files::saveDatFile(stdPath("taken.dat"), sampleImage(), 0);
        QCOMPARE(r.error, FileError::CannotReplace);
        QVERIFY(QFileInfo(path("taken.dat")).isDir());
        QCOMPARE(entries(), QStringList{"taken.dat"});
    }

    // A write that fails part way (as on a full disk) keeps the old file intact.
    // The file size limit stops root as well as anyone else.
    void failedWriteKeepsOldFile() {
        const QByteArray old = contents(golden("all_ff_image_band3.dat"));
        writeFile(path("keep.dat"), old);

        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1000;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const auto r = files::saveDatFile(stdPath("keep.dat"), sampleImage(), 0);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(r.error, FileError::CannotWrite);
        QCOMPARE(r.systemError, EFBIG);
        QCOMPARE(contents(path("keep.dat")), old);
        QCOMPARE(entries(), QStringList{"keep.dat"});
    }

    // Told before the bytes exist, the answer is the one the save gives, and
    // asking leaves the folder as it was.
    void checkAheadAgreesWithTheSave_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("place"); // what is there before
        QTest::addColumn<FileError>("error");
        QTest::newRow("a new file") << "new.dat"
                                    << "" << FileError::None;
        QTest::newRow("an existing file") << "old.dat"
                                          << "file" << FileError::None;
        QTest::newRow("a link to a new file") << "link"
                                              << "link to new" << FileError::None;
        QTest::newRow("a missing folder") << "no/new.dat"
                                          << "" << FileError::CannotWrite;
        QTest::newRow("a folder") << "sub"
                                  << "folder" << FileError::CannotReplace;
        QTest::newRow("a pipe") << "pipe"
                                << "pipe" << FileError::NotRegularFile;
        QTest::newRow("a read-only file") << "ro.dat"
                                          << "read-only" << FileError::CannotWrite;
        QTest::newRow("a loop of links") << "loop"
                                         << "loop" << FileError::CannotReplace;
    }
    void checkAheadAgreesWithTheSave() {
        QFETCH(QString, target);
        QFETCH(QString, place);
        QFETCH(FileError, error);
        if (place == "file" || place == "read-only")
            writeFile(path(target), "kept");
        if (place == "read-only")
            QVERIFY(QFile::setPermissions(path(target), QFile::ReadOwner));
        if (place == "link to new")
            QVERIFY(QFile::link(path("new.dat"), path(target)));
        if (place == "folder")
            QVERIFY(QDir(dir.path()).mkdir(target));
        if (place == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path(target)), 0600), 0);
        if (place == "loop")
            QVERIFY(QFile::link(path(target), path(target)));
        const QStringList before = entries();

        const files::WriteResult ahead = files::checkReplaceable(stdPath(target));
        QCOMPARE(entries(), before);
        QCOMPARE(ahead.error, error);
        const files::WriteResult saved = files::saveDatFile(stdPath(target), sampleImage(), 0);
        QCOMPARE(saved.error, ahead.error);
        QCOMPARE(saved.systemError, ahead.systemError);
    }

    void saveIntoReadOnlyFolderKeepsOldFile() {
        if (::geteuid() == 0)
            QSKIP("permission bits do not stop root");
        const QByteArray old = contents(golden("all_ff_image_band3.dat"));
        QVERIFY(QDir(dir.path()).mkdir("ro"));
        writeFile(path("ro/keep.dat"), old);
        QCOMPARE(::chmod(path("ro").toLocal8Bit().constData(), 0555), 0);
        const auto r = files::saveDatFile(stdPath("ro/keep.dat"), sampleImage(), 0);
        ::chmod(path("ro").toLocal8Bit().constData(), 0755);
        QCOMPARE(r.error, FileError::CannotWrite);
        QCOMPARE(contents(path("ro/keep.dat")), old);
    }
};

QTEST_GUILESS_MAIN(DatFileTest)

#include "dat_file_test.moc"
