#include "editors/fm_presets_editor.h"
#include "files/dat_file.h"
#include "shell/file_commands.h"
#include "support/file_dialog_driver.h"
#include "support/program_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString GoldenFull = QStringLiteral(TQ_TEST_DATA "/full_image_band0.dat");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

image::MemoryImage encoded(shell::MainWindow& window) {
    window.EncodeImage();
    return window.TransmitImage;
}

void trigger(shell::MainWindow& window, const char* action) {
    window.findChild<QAction*>(action)->trigger();
}

// The program with the full golden file opened.
struct LoadedProgram : ProgramFixture {
    explicit LoadedProgram(int language = 1) : ProgramFixture(language) {
        answerNextFileDialog(GoldenFull);
        trigger(*window, "MNOpen");
    }
};

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_folder; // a fresh one for every test
    QString path(const QString& name) const { return m_folder->filePath(name); }
    QStringList filesThere() const { return QDir(m_folder->path()).entryList(QDir::Files); }

  private slots:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }

    void openThenSaveKeepsEveryByteOfTheFile() {
        LoadedProgram p;
        QCOMPARE(p.bandList()->currentText(), QString("136-174MHz"));
        QCOMPARE(p.cell(3, 1), QString("440.01250"));
        SeenFileDialog seen;
        answerNextFileDialog(path("copy.dat"), &seen);
        trigger(*p.window, "MNSave");
        QCOMPARE(seen.directory, QDir(p.window->programFolder()).absolutePath());
        QCOMPARE(seen.nameFilters, QStringList({"DAT文件(*.dat)", "AllFiles(*.*)"}));
        QCOMPARE(readAll(path("copy.dat")), readAll(GoldenFull));
    }

    void theDialogSpeaksTheProgramsLanguage() {
        ProgramFixture p(1);
        p.window->switchLanguage(0);
        QString cancelCaption;
        QTimer::singleShot(50, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            for (auto* button : dialog->findChildren<QPushButton*>())
                if (button->isVisible() && button->text().contains(QString::fromUtf8("取消")))
                    cancelCaption = button->text();
            dialog->reject();
        });
        trigger(*p.window, "MNOpen");
        QVERIFY2(!cancelCaption.isEmpty(), "the file dialog's Cancel is not in Chinese");
        p.window->switchLanguage(1);
    }

    void saveThenOpenRestoresTheEditorsAndTheBand() {
        LoadedProgram p;
        p.window->bandSelection()->selectBandCode(6);
        const image::MemoryImage before = encoded(*p.window);
        answerNextFileDialog(path("edited.dat"));
        trigger(*p.window, "TSave");
        QCOMPARE(readAll(path("edited.dat")).at(7), char(6));

        answerNextMessageBox("OK");
        trigger(*p.window, "MNNew");
        QVERIFY(p.tables().row(1).isEmpty());
        QCOMPARE(p.bandList()->currentText(), QString("400-480MHz"));

        answerNextFileDialog(path("edited.dat"));
        trigger(*p.window, "TOpen");
        QCOMPARE(p.bandList()->currentText(), QString("440-480MHz"));
        QCOMPARE(encoded(*p.window), before);
    }

    void newResetsEverythingButTheFmPresets() {
        LoadedProgram p;
        auto* fm = p.window->fmPresetsEditor();
        const QString preset = fm->presetText(1);
        QVERIFY(!preset.isEmpty());
        answerNextMessageBox("OK");
        trigger(*p.window, "TNew");
        for (int n = 1; n <= image::ChannelCount; ++n)
            QVERIFY(p.tables().row(n).isEmpty());
        QCOMPARE(p.window->Band.BandLow, 400);
        QCOMPARE(fm->presetText(1), preset);
    }

    void cancelInEveryDialogChangesNothing() {
        LoadedProgram p;
        const image::MemoryImage received = p.window->ReceiveImage;
        const image::MemoryImage shown = encoded(*p.window);
        const QString band = p.bandList()->currentText();

        SeenMessageBox question;
        answerNextMessageBox("Cancel", &question);
        trigger(*p.window, "MNNew");
        QCOMPARE(question.title, QString("Attention"));
        QCOMPARE(question.text, QString("Unsaved data will be lost, sure?"));

        answerNextFileDialog(QString());
        trigger(*p.window, "MNOpen");
        answerNextFileDialog(QString());
        trigger(*p.window, "MNSave");

        QCOMPARE(p.window->ReceiveImage, received);
        QCOMPARE(encoded(*p.window), shown);
        QCOMPARE(p.bandList()->currentText(), band);
        QVERIFY(filesThere().isEmpty());
    }

    void openRefusesWhatIsNotADataFile_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // written to `file` unless empty
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QByteArray shortFile = readAll(GoldenFull).left(2095);
        QTest::newRow("one byte short") << 1 << "short.dat" << shortFile << "Mistake"
                                        << "File type is incorrect!";
        QTest::newRow("wrong header, zh") << 0 << "zeros.dat" << QByteArray(2096, '\0') << "错误"
                                          << "文件类型不正确！";
        QTest::newRow("name past byte 8")
            << 1 << "late.dat" << QByteArray(3, 'x') + readAll(GoldenFull) << "Mistake"
            << "File type is incorrect!";
        QTest::newRow("missing") << 1 << "missing.dat" << QByteArray() << "Mistake"
                                 << "The file cannot be read";
        QTest::newRow("a folder, zh") << 0 << "" << QByteArray() << "错误"
                                      << "无法读取文件";
    }
    void openRefusesWhatIsNotADataFile() {
        QFETCH(int, language);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, title);
        QFETCH(QString, text);
        if (!content.isEmpty())
            writeAll(path(file), content);
        LoadedProgram p(language);
        const image::MemoryImage received = p.window->ReceiveImage;
        const image::MemoryImage shown = encoded(*p.window);

        SeenMessageBox seen;
        answerNextMessageBox(language == 0 ? "确定" : "OK", &seen);
        QVERIFY(p.window->fileCommands().openFile(path(file)) != files::FileError::None);
        QCOMPARE(seen.title, title);
        QVERIFY2(seen.text.startsWith(text), qPrintable(seen.text));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(p.window->ReceiveImage, received);
        QCOMPARE(encoded(*p.window), shown);
        QCOMPARE(p.bandList()->currentText(), QString("136-174MHz"));
    }

    void theBandComesFromTheHeader_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("band");
        QTest::newRow("0x10 keeps the band") << "band_byte_0x10.dat"
                                             << "450-470MHz";
        QTest::newRow("0xFF reads as band 0") << "band_byte_0xff.dat"
                                              << "136-174MHz";
        QTest::newRow("band 3") << "all_ff_image_band3.dat"
                                << "400-480MHz";
    }
    void theBandComesFromTheHeader() {
        QFETCH(QString, file);
        QFETCH(QString, band);
        ProgramFixture p;
        p.window->bandSelection()->selectBandCode(5);
        p.window->ReceiveImage.fill(0x11);
        QCOMPARE(p.window->fileCommands().openFile(TQ_TEST_DATA "/" + file),
                 files::FileError::None);
        QCOMPARE(p.bandList()->currentText(), band);
        QCOMPARE(p.window->ReceiveImage[0], std::uint8_t(0xFF)); // the image is loaded all the same
        QCOMPARE(p.window->ReceiveImage[2048], std::uint8_t(0x11));
    }

    void aFailedSaveKeepsTheOldFile_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("folder gone") << "gone/x.dat" << false;
        QTest::newRow("target is a folder") << "folder.dat" << false;
        QTest::newRow("disk full") << "old.dat" << true;
    }
    void aFailedSaveKeepsTheOldFile() {
        QFETCH(QString, target);
        QFETCH(bool, fullDisk);
        QDir(m_folder->path()).mkpath("folder.dat");
        const QByteArray old = QByteArray("an older file the user keeps");
        writeAll(path("old.dat"), old);

        ProgramFixture p(0);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        auto* previous = std::signal(SIGXFSZ, SIG_IGN);
        if (fullDisk) { // writes past 1000 bytes fail, as on a full disk
            rlimit tight = saved;
            tight.rlim_cur = 1000;
            setrlimit(RLIMIT_FSIZE, &tight);
        }
        SeenMessageBox seen;
        answerNextMessageBox("确定", &seen);
        const files::FileError error = p.window->fileCommands().saveFile(path(target));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        QVERIFY(error != files::FileError::None);
        QCOMPARE(seen.title, QString("错误"));
        QVERIFY2(seen.text.contains("无法保存文件") && seen.text.contains("原有文件未被改动"),
                 qPrintable(seen.text));
        QCOMPARE(readAll(path("old.dat")), old);
        QVERIFY(QFileInfo(path("folder.dat")).isDir());
        QCOMPARE(filesThere(), QStringList{"old.dat"});
    }

    void aSaveIntoAReadOnlyFolderKeepsTheOldFile() {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders; the full-disk case covers the same path");
        QTemporaryDir folder;
        writeAll(folder.filePath("old.dat"), "old");
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        ProgramFixture p;
        answerNextMessageBox("OK");
        QVERIFY(p.window->fileCommands().saveFile(folder.filePath("old.dat")) !=
                files::FileError::None);
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
        QCOMPARE(readAll(folder.filePath("old.dat")), QByteArray("old"));
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
