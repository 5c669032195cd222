// File > Export YAML and Import YAML, and what an export says of values the
// file cannot carry.
#include "files/dat_file.h"
#include "support/file_contents.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"

#include <QAction>
#include <QFile>

class YamlFileCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_folder;
    QString path(const QString& name) const { return m_folder->filePath(name); }

    static void trigger(ProgramFixture& p, const char* action) {
        p.window->findChild<QAction*>(action)->trigger();
    }

  private slots:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }

    // What the windows hold goes out and comes back, the frequency still
    // being typed included; New in between changes nothing of that.
    void exportThenImportGivesTheSameWindows() {
        ProgramFixture p;
        p.enterFrequency(3, 1, "446.00625");
        p.press(7, 1);
        QTest::keyClicks(p.text1, "438.5");
        ScriptedAnswers answers;
        answers.chooseFile(path("radio")); // the suffix comes from the dialog
        trigger(p, "MNExportYaml");
        const QByteArray text = readFile(path("radio.yaml"));
        QVERIFY2(text.startsWith("# TQ-305 CloneDesk "), text.constData());
        QVERIFY(text.contains("  7:\n    rx_frequency: 438.50000\n"));
        const image::EditorValues exported = p.window->editorValues();

        p.form->ClearGrid();
        answers.chooseFile(path("radio.yaml"));
        trigger(p, "MNImportYaml");
        QVERIFY(p.window->editorValues() == exported);
    }

    // A file with a fault changes nothing, and the box names where and why
    // in the language in force; an empty file is no radio.
    void faultyFilesChangeNothing_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        const QByteArray mid = "channels:\n  4:\n    power: Mid\n";
        QTest::newRow("en") << 1 << mid
                            << "The file cannot be imported; nothing was changed:\n%1\nbad.yaml:3:"
                               "12: channels[4].power: Mid is refused; allowed: one of Low, High";
        QTest::newRow("zh")
            << 0 << mid
            << "无法导入文件，未作任何改动：\n%1\nbad.yaml:3:12: channels[4].power: "
               "Mid 不被接受；可用：以下之一：Low, High";
        QTest::newRow("empty") << 1 << QByteArray()
                               << "The file cannot be imported; nothing was changed:\n%1\nbad.yaml:"
                                  "1:1: holds no settings; allowed: a YAML map of settings";
        QTest::newRow("only a comment, zh") << 0 << QByteArray("# radio\n")
                                            << "无法导入文件，未作任何改动：\n%1\nbad.yaml:1:1: "
                                               "不含任何设置；可用：设置的 YAML 映射";
    }
    void faultyFilesChangeNothing() {
        QFETCH(int, language);
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        writeFile(path("bad.yaml"), file);
        ProgramFixture p(language);
        p.enterFrequency(1, 1, "446");
        const image::EditorValues before = p.window->editorValues();
        ScriptedAnswers answers;
        answers.chooseFile(path("bad.yaml")).press(language == 0 ? "确定" : "OK");
        trigger(p, "MNImportYaml");
        const SeenMessageBox seen = answers.box(0);
        QCOMPARE(seen.text, text.arg(path("bad.yaml")));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QVERIFY(p.window->editorValues() == before);
    }

    // A tone code in no list, opened from a file: both exports say what
    // they made of it.
    void exportsNameWhatTheyCannotCarry_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("note");
        QTest::newRow("CSV") << "MNExportCsv"
                             << "out.csv"
                             << "channels[2].rx_tone: 6F.F is a tone code in no tone list; "
                                "exported without a tone";
        QTest::newRow("YAML") << "MNExportYaml"
                              << "out.yaml"
                              << "channels[2].rx_tone: 6F.F is a tone code in no tone list; "
                                 "written as Off";
    }
    void exportsNameWhatTheyCannotCarry() {
        QFETCH(QString, action);
        QFETCH(QString, file);
        QFETCH(QString, note);
        ProgramFixture p;
        p.enterFrequency(2, 1, "446");
        p.window->EncodeImage();
        files::DatFile opened;
        std::copy_n(p.window->TransmitImage.begin(), opened.image.size(), opened.image.begin());
        opened.image[13 + 8] = 0xFF; // channel 2's receive tone
        opened.image[13 + 9] = 0x06;
        opened.band = 3;
        p.window->showDatFile(opened);
        QCOMPARE(p.cell(2, 3), QString("6F.F"));

        ScriptedAnswers answers;
        answers.chooseFile(path(file)).press("OK");
        trigger(p, action.toLatin1().constData());
        const SeenMessageBox seen = answers.box(0);
        QCOMPARE(seen.text, "The file was exported:\n" + path(file) +
                                "\nbut it cannot carry these values as the windows show them:\n" +
                                note);
        QVERIFY(QFile::exists(path(file)));
    }
};

TQ_REGISTER_TEST(YamlFileCommandsTest);
#include "yaml_file_commands_test.moc"
