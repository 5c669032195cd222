// The commands that work on data files (dump, print and write with the
// program's windows, export and import without) on a machine where nothing
// can be created: a full disk (a file size limit of 0), a temporary folder
// that is missing or cannot be written. They finish promptly with their usual
// result, leave nothing behind, and never touch the `parameter` file of a
// program beside them or in the folder they run in. And tq305 itself, which
// loads no window library: where it finds tq305-windows, which runs the
// commands with windows.
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>
#include <unistd.h>

namespace {

enum class Place { FullDisk, MissingTemporaryFolder, UnwritableTemporaryFolder };

QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeWholeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

const QByteArray Sentinel("\x05\x00 a running program's port choice", 35);

// The program that runs the commands with windows, beside tq305 in the build.
const QString WindowsProgram = QFileInfo(TQ305_PROGRAM).dir().filePath("tq305-windows");

// A program placed as an installation places it: its own file, not a
// symbolic link, which would lead back to the build.
bool placeProgram(const QString& program, const QString& path) {
    return QDir().mkpath(QFileInfo(path).path()) &&
           (::link(QFile::encodeName(program), QFile::encodeName(path)) == 0 ||
            QFile::copy(program, path));
}

// How tq305 and tq305-windows lie in a folder.
enum class Layout { BuildTree, Installed, ThroughALink, Missing, NotExecutable };

} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(Layout)

class DetachedWindowsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // A copy of tq305 in a folder of its own, with a `parameter` file beside it.
    QString program() const { return path("installed/tq305"); }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir().mkpath(path("installed")) && QDir().mkpath(path("out")));
        QVERIFY(QDir().mkpath(path("tmp")) && QDir().mkpath(path("home")));
        // A login session's runtime folder: without one Qt makes its own in
        // the temporary folder, as it does for every Qt program.
        QVERIFY(QDir().mkpath(path("runtime")));
        QVERIFY(QFile::setPermissions(path("runtime"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(placeProgram(TQ305_PROGRAM, program()));
        QVERIFY(placeProgram(WindowsProgram, path("installed/tq305-windows")));
        QVERIFY(writeWholeFile(path("installed/parameter"), Sentinel));
        QVERIFY(QFile::copy(TQ_TEST_DATA "/full_image_band0.dat", path("in.dat")));
        QVERIFY(writeWholeFile(path("in.csv"), "Location,Frequency\r\n1,146.940000\r\n"));
    }

    void finishesAndLeavesNothing_data() {
        QTest::addColumn<Place>("place");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("lastLine"); // of the standard error; empty: none

        const QStringList dump{"dump", "<IN>"}, print{"print", "<IN>", "-o", "<OUT>.pdf"},
            exportCsv{"export", "<IN>", "-o", "<OUT>.csv"},
            import{"import", "<DIR>/in.csv", "-o", "<OUT>.dat", "--band", "0"},
            write{"write", "<IN>", "--device", "/dev/no-such-tty"};
        const QString tooLarge = "tq305: <OUT>%1: cannot be written: File too large";
        const QString noDevice = "tq305: The device /dev/no-such-tty does not exist (is the "
                                 "programming cable plugged in?).";
        const std::pair<Place, const char*> places[] = {
            {Place::FullDisk, "full disk"},
            {Place::MissingTemporaryFolder, "no temporary folder"},
            {Place::UnwritableTemporaryFolder, "temporary folder not writable"}};
        for (const auto& [place, name] : places) {
            const bool full = place == Place::FullDisk;
            QTest::addRow("dump, %s", name) << place << dump << 0 << "";
            QTest::addRow("print, %s", name)
                << place << print << (full ? 3 : 0) << (full ? tooLarge.arg(".pdf") : "");
            QTest::addRow("export, %s", name)
                << place << exportCsv << (full ? 3 : 0) << (full ? tooLarge.arg(".csv") : "");
            QTest::addRow("import, %s", name)
                << place << import << (full ? 3 : 0)
                << (full ? tooLarge.arg(".dat") : "1 of 1 rows imported, 0 skipped");
            QTest::addRow("write, %s", name) << place << write << 3 << noDevice;
        }
    }
    void finishesAndLeavesNothing() {
        QFETCH(Place, place);
        QFETCH(QStringList, command);
        QFETCH(int, exitCode);
        QFETCH(QString, lastLine);
        const QString out = path("out/") + QTest::currentDataTag();
        command.replaceInStrings("<IN>", path("in.dat"))
            .replaceInStrings("<OUT>", out)
            .replaceInStrings("<DIR>", m_dir.path());
        lastLine.replace("<OUT>", out);
        const QString temporary = place == Place::FullDisk                 ? path("tmp")
                                  : place == Place::MissingTemporaryFolder ? path("no-such-tmp")
                                                                           : "/proc/tq305-tmp";
        const QStringList installed = entries(path("installed"));
        QVERIFY(QDir(path("tmp")).removeRecursively() && QDir().mkpath(path("tmp")));

        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", temporary);
        env.insert("HOME", path("home"));
        env.insert("XDG_CONFIG_HOME", path("home/config"));
        env.insert("XDG_DATA_HOME", path("home/data"));
        env.insert("XDG_RUNTIME_DIR", path("runtime"));
        process.setProcessEnvironment(env);
        // Run from the program's folder, where a relative `parameter` lands.
        process.setWorkingDirectory(path("installed"));
        if (place == Place::FullDisk)
            process.setChildProcessModifier([] {
                const rlimit none{0, 0};
                ::setrlimit(RLIMIT_FSIZE, &none);
            });
        process.start(program(), command);
        const bool finished = process.waitForFinished(20000);
        if (!finished) {
            process.kill();
            process.waitForFinished();
        }
        QVERIFY2(finished, "hung");

        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        const QStringList err =
            QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(err.value(err.size() - 1), lastLine);
        QCOMPARE(process.exitCode(), exitCode);
        QCOMPARE(readWholeFile(path("installed/parameter")), Sentinel);
        QCOMPARE(entries(path("installed")), installed);
        QCOMPARE(entries(path("tmp")), QStringList());
        QVERIFY(!QFile::exists(path("no-such-tmp")));
        QCOMPARE(entries(path("home")), QStringList());
        if (exitCode != 0)
            QCOMPARE(entries(path("out")).filter(QTest::currentDataTag()), QStringList());
    }

    // Gui, Widgets and the rest take most of a small command's time to load.
    void tq305LoadsNoWindowLibrary_data() {
        QTest::addColumn<QString>("library");
        for (const char* library : {"libQt6Gui", "libQt6Widgets", "libQt6PrintSupport",
                                    "libQt6OpenGL", "libQt6DBus", "libGL", "libxcb"})
            QTest::newRow(library) << QString(library);
    }
    void tq305LoadsNoWindowLibrary() {
        QFETCH(QString, library);
        QProcess ldd;
        ldd.start("ldd", {TQ305_PROGRAM});
        QVERIFY(ldd.waitForFinished(20000));
        const QString loaded = QString::fromUtf8(ldd.readAllStandardOutput());
        QVERIFY2(loaded.contains("libQt6Core.so"), qPrintable(loaded));
        QVERIFY2(!loaded.contains(library), qPrintable(loaded));
    }

    // Without a display or a platform named, wherever the programs lie.
    void findsTheProgramWithWindows_data() {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err"); // <DIR> the folder the programs lie in

        QTest::newRow("beside it") << Layout::BuildTree << "dump" << 0 << "";
        QTest::newRow("in the installation's folder") << Layout::Installed << "dump" << 0 << "";
        QTest::newRow("called through a link") << Layout::ThroughALink << "dump" << 0 << "";
        QTest::newRow("missing")
            << Layout::Missing << "dump" << 3
            << "tq305: dump needs tq305-windows, which is neither in <DIR>/bin nor in "
               "<DIR>/libexec/tq305-clonedesk\n";
        QTest::newRow("missing, write") << Layout::Missing << "write" << 3
                                        << "tq305: write needs tq305-windows, which is neither in "
                                           "<DIR>/bin nor in <DIR>/libexec/tq305-clonedesk\n";
        QTest::newRow("missing, export needs none") << Layout::Missing << "export" << 0 << "";
        QTest::newRow("not executable")
            << Layout::NotExecutable << "dump" << 3
            << "tq305: dump needs <DIR>/bin/tq305-windows, which could not be started: "
               "Permission denied\n";
    }
    void findsTheProgramWithWindows() {
        QFETCH(Layout, layout);
        QFETCH(QString, command);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        QTemporaryDir folder;
        const QString dir = QFileInfo(folder.path()).canonicalFilePath();
        const QString tq305 = dir + "/bin/tq305";
        QVERIFY(placeProgram(TQ305_PROGRAM, tq305));
        if (layout == Layout::Installed)
            QVERIFY(placeProgram(WindowsProgram, dir + "/libexec/tq305-clonedesk/tq305-windows"));
        else if (layout == Layout::NotExecutable)
            QVERIFY(writeWholeFile(dir + "/bin/tq305-windows", "no execute permission"));
        else if (layout != Layout::Missing)
            QVERIFY(placeProgram(WindowsProgram, dir + "/bin/tq305-windows"));
        QString called = tq305;
        if (layout == Layout::ThroughALink) {
            called = dir + "/elsewhere/tq305";
            QVERIFY(QDir().mkpath(dir + "/elsewhere") && QFile::link(tq305, called));
        }
        const QStringList arguments =
            command == "write"    ? QStringList{"write", path("in.dat"), "--device", "/dev/null"}
            : command == "export" ? QStringList{"export", path("in.dat"), "-o", dir + "/out.csv"}
                                  : QStringList{command, path("in.dat")};

        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        process.setProcessEnvironment(env);
        process.start(called, arguments);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err.replace("<DIR>", dir));
        QCOMPARE(process.exitCode(), exitCode);
        if (command == "dump" && exitCode == 0)
            QVERIFY(process.readAllStandardOutput().startsWith("Band (Combo1): 136-174MHz\n"));
    }
};

TQ_REGISTER_TEST(DetachedWindowsTest);
#include "detached_windows_test.moc"
