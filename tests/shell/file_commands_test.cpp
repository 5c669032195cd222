#include "editors/fm_presets_editor.h"
#include "editors/optional_features.h"
#include "files/dat_file.h"
#include "shell/file_commands.h"
#include "support/program_fixture.h"
#include "support/socket_file.h"
#include "support/test_registry.h"
#include "words/file_names.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
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

// Files by their bytes: QFile would make text of the name first.
QByteArray readRaw(const QByteArray& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}

mode_t kindOf(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
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
        ScriptedAnswers answers;
        answers.chooseFile(GoldenFull);
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
    // By bytes: Qt does not see names that are not UTF-8, so it could not remove them.
    void cleanup() {
        std::filesystem::remove_all(QFile::encodeName(m_folder->path()).toStdString());
    }

    void openThenSaveKeepsEveryByteOfTheFile() {
        LoadedProgram p;
        QCOMPARE(p.bandList()->currentText(), QString("136-174MHz"));
        QCOMPARE(p.cell(3, 1), QString("440.01250"));
        ScriptedAnswers answers;
        answers.chooseFile(path("copy.dat"));
        trigger(*p.window, "MNSave");
        const SeenFileDialog seen = answers.fileDialogs().value(0);
        // Never the program's own folder, which an installed program cannot write.
        QVERIFY(seen.directory != QDir(p.window->programFolder()).absolutePath());
        QCOMPARE(seen.nameFilters, QStringList({"DAT文件(*.dat)", "AllFiles(*.*)"}));
        QCOMPARE(readAll(path("copy.dat")), readAll(GoldenFull));
        // The next dialog, of any kind, starts where the file went.
        for (const char* item : {"MNOpen", "MNImportCsv", "MNExportYaml"}) {
            ScriptedAnswers again;
            again.chooseFile({});
            trigger(*p.window, item);
            QCOMPARE(again.fileDialogs().value(0).directory, QDir(m_folder->path()).absolutePath());
        }
    }

    // Bytes other installations stored: each scan mode, and display mode 2,
    // shows in the program's language and is saved back as it came.
    void settingsOfOtherInstallationsSurviveOpenAndSave_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("scanByte");
        QTest::addColumn<QString>("scanText");    // what Combo105 shows
        QTest::addColumn<QString>("displayText"); // Combo1 at display mode 2
        QTest::addColumn<int>("savedScanByte");
        const QList<std::tuple<int, QString, QString>> modes{
            {0x36, "载波", "Carry"}, {0x7D, "时间", "Time"}, {0xB2, "搜索", "Search"}};
        for (const auto& [byte, zh, en] : modes) {
            QTest::addRow("zh 0x%02X", byte) << 0 << byte << zh << "频道" << byte;
            QTest::addRow("en 0x%02X", byte) << 1 << byte << en << "Channel" << byte;
        }
        // Both scan bits: a mode the list lacks; it keeps its start position (time).
        QTest::newRow("zh 0xF5") << 0 << 0xF5 << "时间"
                                 << "频道" << 0x75;
        QTest::newRow("en 0xF5") << 1 << 0xF5 << "Time"
                                 << "Channel" << 0x75;
    }
    void settingsOfOtherInstallationsSurviveOpenAndSave() {
        QFETCH(int, language);
        QFETCH(int, scanByte);
        QFETCH(QString, scanText);
        QFETCH(QString, displayText);
        QFETCH(int, savedScanByte);
        constexpr int ImageStart = 48; // behind the file header
        QByteArray file = readAll(GoldenFull);
        file[ImageStart + 0x700] = char(2);
        file[ImageStart + 0x707] = char(scanByte);
        writeAll(path("other.dat"), file);

        ProgramFixture p(language);
        ScriptedAnswers answers;
        answers.chooseFile(path("other.dat")).chooseFile(path("saved.dat"));
        trigger(*p.window, "MNOpen");
        const auto* features = p.window->optionalFeatures();
        QCOMPARE(features->listText("Combo105"), scanText);
        QCOMPARE(features->listText("Combo1"), displayText);

        trigger(*p.window, "MNSave");
        QByteArray expected = file;
        expected[ImageStart + 0x707] = char(savedScanByte);
        QCOMPARE(readAll(path("saved.dat")), expected);
    }

    void theDialogSpeaksTheProgramsLanguage() {
        ProgramFixture p(1);
        p.window->switchLanguage(0);
        QString cancelCaption;
        ScriptedAnswers answers;
        answers.onDialog("QFileDialog", [&](QDialog* dialog) {
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
        ScriptedAnswers answers;
        answers.chooseFile(path("edited.dat")).press("OK").chooseFile(path("edited.dat"));
        trigger(*p.window, "TSave");
        QCOMPARE(readAll(path("edited.dat")).at(7), char(6));

        trigger(*p.window, "MNNew");
        QVERIFY(p.tables().row(1).isEmpty());
        QCOMPARE(p.bandList()->currentText(), QString("400-480MHz"));

        trigger(*p.window, "TOpen");
        QCOMPARE(p.bandList()->currentText(), QString("440-480MHz"));
        QCOMPARE(encoded(*p.window), before);
    }

    void newResetsEverythingButTheFmPresets() {
        LoadedProgram p;
        auto* fm = p.window->fmPresetsEditor();
        const QString preset = fm->presetText(1);
        QVERIFY(!preset.isEmpty());
        ScriptedAnswers answers;
        answers.press("OK");
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

        ScriptedAnswers answers;
        answers.press("Cancel").chooseFile(QString()).chooseFile(QString());
        trigger(*p.window, "MNNew");
        QCOMPARE(answers.box(0).title, QString("Attention"));
        QCOMPARE(answers.box(0).text, QString("Unsaved data will be lost, sure?"));
        trigger(*p.window, "MNOpen");
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

        ScriptedAnswers answers;
        answers.press(language == 0 ? "确定" : "OK");
        QVERIFY(p.window->fileCommands().openFile(path(file)) != files::FileError::None);
        const SeenMessageBox seen = answers.box(0);
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
        ScriptedAnswers answers;
        answers.press("确定");
        const files::FileError error = p.window->fileCommands().saveFile(path(target));
        const SeenMessageBox seen = answers.box(0);
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

    // Names of files from elsewhere (a GBK name from a Windows zip, a broken
    // name) are bytes that are not UTF-8; open and save keep them exactly.
    void namesThatAreNotUtf8ReachTheirFile_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("bytes FF FE") << QByteArray("a\xFF\xFE.dat");
        QTest::newRow("GBK Chinese") << QByteArray("\xB5\xE7\xCC\xA8.dat");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF.dat");
        QTest::newRow("UTF-16 half as UTF-8") << QByteArray("\xED\xA0\x80.dat");
        QTest::newRow("cut short") << QByteArray("\xE4\xB8.dat");
        QTest::newRow("U+10080 then a stray byte") << QByteArray("\xF0\x90\x82\x80\xFF.dat");
        QTest::newRow("UTF-8 Chinese") << QByteArray("对讲机.dat");
        QTest::newRow("starts with U+FEFF") << QByteArray("\xEF\xBB\xBF.dat");
        QTest::newRow("in such a folder") << QByteArray("\xFF\xFE/radio.dat");
    }
    void namesThatAreNotUtf8ReachTheirFile() {
        QFETCH(QByteArray, name);
        const QByteArray folder = QFile::encodeName(m_folder->path()) + '/';
        if (name.contains('/'))
            QCOMPARE(::mkdir(folder + name.left(name.indexOf('/')), 0700), 0);
        std::ofstream(folder.toStdString() + name.toStdString(), std::ios::binary)
            << readAll(GoldenFull).toStdString();

        // First on its own, so a name that does not come back fails here rather
        // than in a message box nobody answers.
        QCOMPARE(ui::fileNameBytes(ui::fileNameText(folder + name)), folder + name);
        ProgramFixture p;
        QCOMPARE(p.window->fileCommands().openFile(ui::fileNameText(folder + name)),
                 files::FileError::None);
        QCOMPARE(p.cell(3, 1), QString("440.01250"));
        QCOMPARE(p.window->fileCommands().saveFile(ui::fileNameText(folder + name + "2")),
                 files::FileError::None);
        QCOMPARE(readRaw(folder + name + "2"), readAll(GoldenFull));
    }

    // What is not a regular file is refused, saying so; whatever a name holds,
    // it stays on one line of the message.
    void refusalsShowTheNameOnOneLine_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QByteArray>("name"); // in the test's folder unless absolute
        QTest::addColumn<QString>("text");    // %1: the test's folder
        QTest::newRow("newline in the name") << 1 << false << QByteArray("two\nlines.dat")
                                             << "The file cannot be read:\n%1/two\\nlines.dat\n"
                                                "No such file or directory";
        QTest::newRow("bytes that are not UTF-8")
            << 1 << false << QByteArray("a\xFF\xFE.dat")
            << "The file cannot be read:\n%1/a\\xFF\\xFE.dat\nNo such file or directory";
        QTest::newRow("open a pipe, zh")
            << 0 << false << QByteArray("pipe.dat") << "无法读取文件：\n%1/pipe.dat\n不是普通文件";
        QTest::newRow("open a device") << 1 << false << QByteArray("/dev/zero")
                                       << "The file cannot be read:\n/dev/zero\nNot a regular file";
        QTest::newRow("save onto a pipe, zh")
            << 0 << true << QByteArray("pipe.dat")
            << "无法保存文件：\n%1/pipe.dat\n不是普通文件\n原有文件未被改动。";
        QTest::newRow("save onto a socket") << 1 << true << QByteArray("socket.dat")
                                            << "The file cannot be saved:\n%1/socket.dat\nNot a "
                                               "regular file\nThe existing file was "
                                               "left unchanged.";
        QTest::newRow("save with a newline")
            << 1 << true << QByteArray("gone\n/x.dat")
            << "The file cannot be saved:\n%1/gone\\n/x.dat\nNo such file or directory\nThe "
               "existing file was left unchanged.";
    }
    void refusalsShowTheNameOnOneLine() {
        QFETCH(int, language);
        QFETCH(bool, save);
        QFETCH(QByteArray, name);
        QFETCH(QString, text);
        const QByteArray path =
            name.startsWith('/') ? name : QFile::encodeName(m_folder->path()) + '/' + name;
        if (name.startsWith("pipe"))
            QCOMPARE(::mkfifo(path.constData(), 0600), 0); // nobody writes: must not hang
        if (name.startsWith("socket"))
            makeSocketFile(path);
        const mode_t kind = kindOf(path);

        ProgramFixture p(language);
        ScriptedAnswers answers;
        answers.press(language == 0 ? "确定" : "OK");
        auto& commands = p.window->fileCommands();
        const QString chosen = ui::fileNameText(path);
        QVERIFY((save ? commands.saveFile(chosen) : commands.openFile(chosen)) !=
                files::FileError::None);
        QCOMPARE(answers.box(0).text, text.replace("%1", m_folder->path()));
        QCOMPARE(kindOf(path), kind);
    }

    void aSaveIntoAReadOnlyFolderKeepsTheOldFile() {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders; the full-disk case covers the same path");
        QTemporaryDir folder;
        writeAll(folder.filePath("old.dat"), "old");
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        ProgramFixture p;
        ScriptedAnswers answers;
        answers.press("OK");
        QVERIFY(p.window->fileCommands().saveFile(folder.filePath("old.dat")) !=
                files::FileError::None);
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
        QCOMPARE(readAll(folder.filePath("old.dat")), QByteArray("old"));
    }
};

TQ_REGISTER_TEST(FileCommandsTest);
#include "file_commands_test.moc"
