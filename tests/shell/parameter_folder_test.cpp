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
