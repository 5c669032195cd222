// Where the port choice is kept: beside the program while that can be
// written, else in the per-user data folder (an installed program).
#include "shell/app_folders.h"
#include "shell/parameter_file.h"
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace shell;

class ParameterFolderTest : public QObject {
    Q_OBJECT

  private slots:
    void choosesTheFolderThatCanBeWritten_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<bool>("besideProgram");

        QTest::newRow("first run, folder writable") << false << false << true << true;
        QTest::newRow("first run, installed") << false << false << false << false;
        QTest::newRow("file writable") << true << true << true << true;
        QTest::newRow("file writable, folder locked") << true << true << false << true;
        QTest::newRow("file read-only") << true << false << true << false;
        QTest::newRow("file and folder locked") << true << false << false << false;
    }
    void choosesTheFolderThatCanBeWritten() {
        QFETCH(bool, fileExists);
        QFETCH(bool, fileWritable);
        QFETCH(bool, folderWritable);
        QFETCH(bool, besideProgram);

        QTemporaryDir dir;
        const QString program = dir.filePath("bin");
        const QString user = dir.filePath("home/data/TQ305CloneDesk");
        QVERIFY(QDir().mkpath(program));
        if (fileExists)
            writeComPortIndex(program, 2);
        const QString file = parameterPath(program);
        const WriteCheck writable = [&](const QString& path) {
            return path == file ? fileWritable : path == program && folderWritable;
        };

        const QString chosen = chooseParameterFolder(program, user, writable);
        QCOMPARE(chosen, besideProgram ? program : user);
        QVERIFY(QDir(chosen).exists());
    }

    // An installed program keeps the choice in the user's folder even where
    // it could write beside itself (run as root from /usr/bin), and even
    // when a `parameter` is already there; a build tree of the user's own
    // keeps the file it has.
    void anInstalledProgramNeverWritesBesideItself_data() {
        QTest::addColumn<bool>("usersOwn");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("besideProgram");
        QTest::newRow("system folder, root may write") << false << false << false;
        QTest::newRow("system folder, a file left there") << false << true << false;
        QTest::newRow("own build tree, its file") << true << true << true;
        QTest::newRow("own build tree, first run") << true << false << true;
    }
    void anInstalledProgramNeverWritesBesideItself() {
        QFETCH(bool, usersOwn);
        QFETCH(bool, fileExists);
        QFETCH(bool, besideProgram);

        QTemporaryDir dir;
        const QString program = dir.filePath("bin");
        const QString user = dir.filePath("home/data/TQ305CloneDesk");
        QVERIFY(QDir().mkpath(program));
        if (fileExists)
            writeComPortIndex(program, 2);
        const auto everything = [](const QString&) { return true; };
        const auto own = [&](const QString& folder) { return folder == program && usersOwn; };

        const QString chosen = chooseParameterFolder(program, user, everything, own);
        QCOMPARE(chosen, besideProgram ? program : user);
        if (!besideProgram)
            QCOMPARE(QFile::exists(parameterPath(program)), fileExists); // nothing new there
    }

    void systemFolders_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("system");
        QTest::newRow("/usr/bin") << "/usr/bin" << true;
        QTest::newRow("/usr/local/bin") << "/usr/local/bin" << true;
        QTest::newRow("/bin") << "/bin" << true;
        QTest::newRow("/opt/tq305/bin") << "/opt/tq305/bin" << true;
        QTest::newRow("/usr itself") << "/usr" << true;
        QTest::newRow("a name that only starts alike") << "/usrlocal/bin" << false;
        QTest::newRow("a home build tree") << "/home/ann/clonedesk/build/bin" << false;
        QTest::newRow("a work tree") << "/work/clonedesk/build/bin" << false;
    }
    void systemFolders() {
        QFETCH(QString, path);
        QFETCH(bool, system);
        QCOMPARE(isSystemFolder(path), system);
    }

    // The real checks: this test's own folder is the user's, the system's
    // program folder is not, whoever runs the test (root too).
    void usersOwnFolderOnDisk() {
        QTemporaryDir dir;
        QVERIFY(isUsersOwnFolder(dir.path()));
        QVERIFY(!isUsersOwnFolder("/usr/bin"));
        QVERIFY(!isUsersOwnFolder(dir.filePath("missing")));
    }

    // The real check, on a folder this process may write to and one that
    // does not exist.
    void canWriteTriesTheFolder() {
        QTemporaryDir dir;
        QVERIFY(canWrite(dir.path()));
        QVERIFY(QDir(dir.path()).isEmpty()); // the probe leaves nothing behind
        QVERIFY(!canWrite(dir.filePath("missing/folder")));
        QVERIFY(!canWrite(dir.filePath("missing-file")));
        QVERIFY(!QFile::exists(dir.filePath("missing-file")));
    }
};

TQ_REGISTER_TEST(ParameterFolderTest);
#include "parameter_folder_test.moc"
