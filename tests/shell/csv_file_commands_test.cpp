#include "support/file_contents.h"
#include "support/program_fixture.h"
#include "support/socket_file.h"
#include "support/test_registry.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

// An in-band row, one off the raster and one outside 400-480 MHz.
const QByteArray ThreeRows = "Location,Name,Frequency,Duplex,Offset,Tone,cToneFreq,Mode\r\n"
                             "10,Base,446.00625,-,5,TSQL,100.0,NFM\r\n"
                             "20,,446.0123,,,,,FM\r\n"
                             "30,,145.5,,,,,FM\r\n";

// Every kind of tone, split, off, narrow, low and no scan.
const QByteArray RichRows =
    "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,Skip,Power\r\n"
    "1,438.5125,-,7.6,TSQL,,254.1,,,,,NFM,S,Low\r\n"
    "2,400,,,DTCS,,,754,RR,,,FM,,High\r\n"
    "3,446.1,+,1,Tone,67.0,,,,,,FM,,High\r\n"
    "50,479.99375,off,,Cross,67.0,,,RN,023,Tone->DTCS,FM,,\r\n"
    "99,480,split,400,Cross,,,025,NR,031,DTCS->DTCS,FM,,\r\n";

QStringList shownLines(QDialog* dialog) {
    return dialog->findChild<QPlainTextEdit*>("TextRows")->toPlainText().split('\n');
}

// The preview accepted with Enter, after the renumber box has been set.
void acceptPreview(ScriptedAnswers& answers, bool renumber = false) {
    answers.onDialog("FrmImportPreview", [renumber](QDialog* dialog) {
        dialog->findChild<QCheckBox*>("CheckRenumber")->setChecked(renumber);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
}

} // namespace

class CsvFileCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_folder;
    QString path(const QString& name) const { return m_folder->filePath(name); }

    static void trigger(ProgramFixture& p, const char* action) {
        p.window->findChild<QAction*>(action)->trigger();
    }

  private slots:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }

    // The preview tells every row in the language in force; only Import,
    // by click or Enter, changes the table, and then as one edit.
    void importGoesThroughThePreview_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("renumber");
        QTest::addColumn<QString>("leaveBy"); // a button's name, or a key
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("channels"); // where the two rows land
        const QStringList en{
            "line 2: channel 10 imported",
            "line 3: channel 20 imported with changes: receive frequency 446.0123 snapped to "
            "446.01000",
            "line 4: skipped: receive frequency 145.5 lies outside the band 400-480 MHz",
            "2 of 3 rows imported, 1 skipped"};
        const QStringList zhRenumbered{
            "第 2 行：信道 1 已导入",
            "第 3 行：信道 2 已导入，有改动：接收频率 446.0123 已调整为 446.01000",
            "第 4 行：已跳过：接收频率 145.5 超出频段 400-480 MHz",
            "共 3 行，导入 2 行，跳过 1 行"};
        QTest::newRow("en, Import") << 1 << false << "CmdImport" << en << QList<int>{10, 20};
        QTest::newRow("zh, renumbered, Enter")
            << 0 << true << "Enter" << zhRenumbered << QList<int>{1, 2};
        QTest::newRow("en, Escape") << 1 << false << "Escape" << en << QList<int>{};
        QTest::newRow("zh, renumbered, Cancel")
            << 0 << true << "CmdCancel" << zhRenumbered << QList<int>{};
    }
    void importGoesThroughThePreview() {
        QFETCH(int, language);
        QFETCH(bool, renumber);
        QFETCH(QString, leaveBy);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, channels);
        writeFile(path("rows.csv"), ThreeRows);
        ProgramFixture p(language);
        const image::ChannelTableValues before = p.tables();
        QSignalSpy edited(p.form, &editors::ChannelTable::edited);

        ScriptedAnswers answers;
        answers.chooseFile(path("rows.csv"));
        QStringList seenLines;
        answers.onDialog("FrmImportPreview", [&](QDialog* dialog) {
            dialog->findChild<QCheckBox*>("CheckRenumber")->setChecked(renumber);
            seenLines = shownLines(dialog) << dialog->findChild<QLabel*>("LabelSummary")->text();
            if (leaveBy.startsWith("Cmd"))
                dialog->findChild<QPushButton*>(leaveBy)->click();
            else
                QTest::keyClick(dialog->focusWidget(),
                                leaveBy == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        });
        trigger(p, "MNImportCsv");

        QVERIFY(answers.done());
        const SeenFileDialog seenFiles = answers.fileDialogs().value(0);
        // Where the file was chosen last: here, the channel list's folder.
        QVERIFY(seenFiles.directory != p.window->programFolder());
        QVERIFY(seenFiles.nameFilters.first().contains("*.csv *.txt *.tsv"));
        QCOMPARE(seenLines, lines);
        QCOMPARE(edited.size(), channels.isEmpty() ? 0 : 1);
        if (channels.isEmpty()) {
            QCOMPARE(p.tables(), before);
            return;
        }
        QCOMPARE(p.cell(channels[0], 1), QString("446.00625"));
        QCOMPARE(p.cell(channels[0], 2), QString("441.00625"));
        QCOMPARE(p.cell(channels[0], 3), QString("100.0"));
        QCOMPARE(p.cell(channels[1], 1), QString("446.01000"));
        for (int n = 1; n <= image::ChannelCount; ++n)
            if (!channels.contains(n))
                QVERIFY2(p.tables().row(n).isEmpty(), qPrintable(QString::number(n)));
    }

    // What the preview says of a file it reads only in part or reads
    // otherwise than it looks, and whether it offers to import it.
    void thePreviewTellsWhatTheFileHolds_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("importable");
        QTest::addColumn<QString>("shown"); // a line of the report, or the note
        QTest::newRow("a quote never closed")
            << QByteArray("Location,Frequency,Tone,cToneFreq\r\n1,446,,\r\n2,\"446.1,,\r\n")
            << false
            << "line 3: a quote opens here and is never closed; the rest of the file could "
               "not be read";
        QTest::newRow("names in any case") << QByteArray("LOCATION,frequency\r\n1,446\r\n") << true
                                           << "line 2: channel 1 imported";
        QTest::newRow("a line break ending a quoted cell")
            << QByteArray("Location,Frequency\r\n1,\"446\r\n\"\r\n") << true
            << "line 2: channel 1 imported";
        QTest::newRow("a column given twice")
            << QByteArray("Location,Frequency,Power,power\r\n1,446,Low,High\r\n") << true
            << "the column \"power\" is given more than once: only the first is read";
        QTest::newRow("a right-to-left override in a value")
            << QByteArray("Location,Frequency,Tone,rToneFreq\r\n1,446,Tone,\xE2\x80\xAE"
                          "5.88\r\n")
            << false << "line 2: skipped: tone \\x202E5.88 is not in the tone table";
    }
    void thePreviewTellsWhatTheFileHolds() {
        QFETCH(QByteArray, file);
        QFETCH(bool, importable);
        QFETCH(QString, shown);
        writeFile(path("list.csv"), file);
        ProgramFixture p;
        const image::ChannelTableValues before = p.tables();
        ScriptedAnswers answers;
        answers.chooseFile(path("list.csv"));
        QStringList seen;
        bool offered = false;
        answers.onDialog("FrmImportPreview", [&](QDialog* dialog) {
            seen = shownLines(dialog) << dialog->findChild<QLabel*>("LabelNote")->text();
            offered = dialog->findChild<QPushButton*>("CmdImport")->isEnabled();
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        trigger(p, "MNImportCsv");
        QVERIFY(answers.done());
        QVERIFY2(seen.contains(shown), qPrintable(seen.join('|')));
        QCOMPARE(offered, importable);
        QCOMPARE(p.tables() != before, importable);
    }

    // What the program writes, it reads back into the same channels.
    void exportThenImportGivesTheSameTable() {
        writeFile(path("rich.csv"), RichRows);
        ProgramFixture p;
        ScriptedAnswers answers;
        answers.chooseFile(path("rich.csv"));
        acceptPreview(answers);
        answers.chooseFile(path("out")); // the suffix comes from the dialog
        answers.chooseFile(path("out.csv"));
        acceptPreview(answers);

        trigger(p, "MNImportCsv");
        const image::ChannelTableValues imported = p.tables();
        QVERIFY(!imported.row(99).isEmpty());

        trigger(p, "MNExportCsv");
        QVERIFY(readFile(path("out.csv")).startsWith("Location,Name,Frequency,"));

        p.form->ClearGrid();
        trigger(p, "MNImportCsv");
        QCOMPARE(p.tables(), imported);
    }

    // A frequency still being typed is part of what is exported.
    void exportTakesThePendingEntry() {
        ProgramFixture p;
        p.press(5, 1);
        QTest::keyClicks(p.text1, "446.5");
        ScriptedAnswers answers;
        answers.chooseFile(path("pending.csv"));
        trigger(p, "MNExportCsv");
        QVERIFY(readFile(path("pending.csv")).contains("\r\n5,,446.500000,"));
    }

    void unusableFilesChangeNothing_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("no header") << 1 << "Name,Comment\nx,y\n"
                                   << "The file cannot be imported:\n%1\nIt has no CSV header";
        QTest::newRow("only a Frequency column, zh") << 0 << "Frequency\n146.52\n"
                                                     << "无法导入文件：\n%1\n文件中没有";
        QTest::newRow("too large, zh") << 0 << "large"
                                       << "无法导入文件：\n%1\n文件大于 1024 KB";
        QTest::newRow("missing") << 1 << "missing"
                                 << "The file cannot be read:\n%1\n";
        QTest::newRow("a socket") << 1 << "socket"
                                  << "The file cannot be read:\n%1\nNot a regular file";
    }
    void unusableFilesChangeNothing() {
        QFETCH(int, language);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        const QString file = path("bad.csv");
        if (kind == "large")
            writeFile(file, ThreeRows + QByteArray(1024 * 1024, '\n'));
        else if (kind == "socket")
            makeSocketFile(QFile::encodeName(file));
        else if (kind != "missing")
            writeFile(file, kind.toUtf8());
        ProgramFixture p(language);
        p.enterFrequency(1, 1, "446");
        const image::ChannelTableValues before = p.tables();
        QSignalSpy edited(p.form, &editors::ChannelTable::edited);

        ScriptedAnswers answers;
        answers.forbid("FrmImportPreview").chooseFile(file).press(language == 0 ? "确定" : "OK");
        trigger(p, "MNImportCsv");

        const SeenMessageBox seen = answers.box(0);
        QVERIFY2(seen.text.startsWith(text.arg(file)), qPrintable(seen.text));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(p.tables(), before);
        QCOMPARE(edited.size(), 0);
    }
};

TQ_REGISTER_TEST(CsvFileCommandsTest);
#include "csv_file_commands_test.moc"
