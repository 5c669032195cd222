#include "editors/optional_features.h"
#include "shell/file_commands.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

struct DumpRun {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

DumpRun tq305Through(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

DumpRun runDump(const QStringList& arguments) {
    return tq305Through(TQ305_PROGRAM, arguments);
}

// Runs a shell script with $0 the program, $1 the test data and $2 a folder
// of its own: the only way to hand the program bytes that are not UTF-8.
DumpRun runScript(const QString& script, const QString& folder) {
    return tq305Through("/bin/sh", {"-c", script, TQ305_PROGRAM, TQ_TEST_DATA, folder});
}

QJsonObject dumpJson(const QString& file, const QString& language) {
    const DumpRun run = runDump({"dump", file, "--json", "--lang", language});
    return QJsonDocument::fromJson(run.out).object();
}

QString data(const QString& name) {
    return QStringLiteral(TQ_TEST_DATA "/") + name;
}

} // namespace

class DumpTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;
    QString path(const QString& name) const { return m_folder.filePath(name); }

  private slots:
    void initTestCase() { QCOMPARE(::mkfifo(QFile::encodeName(path("pipe.dat")), 0600), 0); }
    void showsWhatTheWindowsShow_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("language");
        for (const char* file : {"full_image_band0.dat", "all_ff_image_band3.dat",
                                 "band_byte_0x10.dat", "band_byte_0xff.dat"}) {
            QTest::addRow("%s en", file) << file << 1;
            QTest::addRow("%s zh", file) << file << 0;
        }
    }
    void showsWhatTheWindowsShow() {
        QFETCH(QString, file);
        QFETCH(int, language);
        const QJsonObject dump = dumpJson(data(file), language == 0 ? "zh" : "en");

        ProgramFixture p(language);
        p.window->switchLanguage(language);
        QCOMPARE(p.window->fileCommands().openFile(data(file)), files::FileError::None);

        QCOMPARE(dump["MDIForm1"]["Combo1"].toString(), p.bandList()->currentText());
        const QJsonArray grid = dump["Form1"]["Grid1"].toArray();
        QCOMPARE(grid.size(), 100);
        for (int row = 1; row <= 99; ++row)
            for (int col = 0; col <= 8; ++col)
                QCOMPARE(grid[row][col].toString(), p.cell(row, col));
        const QJsonObject features = dump["Form3"].toObject();
        for (auto* list : p.window->optionalFeatures()->findChildren<QComboBox*>())
            if (features.contains(list->objectName()))
                QCOMPARE(features[list->objectName()].toString(), list->currentText());
        QCOMPARE(features["Text20"].toString(),
                 p.window->optionalFeatures()->findChild<QLineEdit*>("Text20")->text());
    }

    void fullImageValues() {
        const QJsonObject en = dumpJson(data("full_image_band0.dat"), "en");
        QCOMPARE(en["MDIForm1"]["Combo1"].toString(), QString("136-174MHz"));
        QCOMPARE(en["Form1"]["Grid1"][3].toArray(),
                 QJsonArray({"3", "440.01250", "445.01250", "D023N", "D754I", "High", "Carry", "On",
                             "Narror"}));
        QCOMPARE(en["Form3"]["Combo6"].toString(), QString("120 Minute"));
        QCOMPARE(en["Form3"]["Text21"].toString(), QString("0.60000"));
        QCOMPARE(en["Form2"]["Text2"].toString(), QString("12AD*#90"));
        QCOMPARE(en["Form5"]["MSFGrid"][2].toArray(), QJsonArray({"2", "107.95"}));
        QCOMPARE(en["Form4"]["Slider1"].toInt(), 208);

        const QJsonObject zh = dumpJson(data("full_image_band0.dat"), "zh");
        QCOMPARE(zh["Form1"]["Grid1"][1][3].toString(), QString("关闭"));
        QCOMPARE(zh["Form3"]["Combo6"].toString(), QString("120 分钟"));
        QCOMPARE(zh["Form3"]["Combo1"].toString(), QString("频道")); // display mode 2
    }

    void textOutputNamesEachSection() {
        const DumpRun run = runDump({"dump", data("full_image_band0.dat")});
        QCOMPARE(run.exitCode, 0);
        const QString text = QString::fromUtf8(run.out);
        for (const char* line :
             {"Band (Combo1): 136-174MHz", "Auto Shut Power (Combo6): 120 Minute",
              "High Power Grades (Slider1): 208"})
            QVERIFY2(text.contains(line), line);
        QVERIFY(run.err.isEmpty());
    }

    // Shown as the program shows it, with a word that tq305 write refuses it.
    void aFileNamingNoBandIsSaidSo_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("noted");
        QTest::newRow("band byte 0x10") << "band_byte_0x10.dat" << true;
        QTest::newRow("band byte 0xFF reads as band 0") << "band_byte_0xff.dat" << false;
    }
    void aFileNamingNoBandIsSaidSo() {
        QFETCH(QString, file);
        QFETCH(bool, noted);
        const DumpRun run = runDump({"dump", data(file)});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.contains("header names no band"), noted);
    }

    void badInputGivesOneLineAndAnExitCode_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing file") << QStringList{"dump", "/no/such.dat"} << 3
                                      << "tq305: /no/such.dat: No such file or directory";
        QTest::newRow("not a data file")
            << QStringList{"dump", data("make_golden_files.py")} << 3
            << "tq305: " + data("make_golden_files.py") +
                   ": not a TQ-305 data file (wrong header, or shorter than 2096 bytes)";
        QTest::newRow("a folder") << QStringList{"dump", TQ_TEST_DATA} << 3
                                  << "tq305: " TQ_TEST_DATA ": Is a directory";
        // A pipe nobody writes to: reading it would wait for ever.
        QTest::newRow("a pipe") << QStringList{"dump", path("pipe.dat")} << 3
                                << "tq305: " + path("pipe.dat") + ": not a regular file";
        QTest::newRow("a device") << QStringList{"dump", "/dev/zero"} << 3
                                  << "tq305: /dev/zero: not a regular file";
        QTest::newRow("newline in the name")
            << QStringList{"dump", "/no/two\nlines.dat"} << 3
            << "tq305: /no/two\\nlines.dat: No such file or directory";
        QTest::newRow("no file") << QStringList{"dump"} << 2
                                 << "usage: tq305 dump FILE.dat [--json] [--lang zh|en]";
        QTest::newRow("unknown language")
            << QStringList{"dump", data("full_image_band0.dat"), "--lang", "fr"} << 2
            << "usage: tq305 dump FILE.dat [--json] [--lang zh|en]";
    }
    void badInputGivesOneLineAndAnExitCode() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        const DumpRun run = runDump(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QString::fromUtf8(run.err), error + "\n");
        QVERIFY(run.out.isEmpty());
    }

    // Names as bytes, and output that cannot be written, through a shell. A
    // file the script makes it removes itself: the temporary folder's own
    // cleanup takes names as text and leaves one that is not UTF-8 behind.
    void throughTheShell_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error"); // the whole standard error
        QTest::newRow("name not UTF-8")
            << R"sh(f="$2/$(printf 'a\377\376.dat')"; trap 'rm -f "$f"' EXIT
                  cp "$1/full_image_band0.dat" "$f" &&
                  "$0" dump "$f" > "$2/out" && grep -qx "Band (Combo1): 136-174MHz" "$2/out")sh"
            << 0 << "";
        QTest::newRow("missing, not UTF-8")
            << R"sh(exec "$0" dump "$(printf '/no/a\377\376.dat')")sh" << 3
            << "tq305: /no/a\\xFF\\xFE.dat: No such file or directory\n";
        QTest::newRow("output to a full disk")
            << R"sh(exec "$0" dump "$1/full_image_band0.dat" > /dev/full)sh" << 1
            << "tq305: the output could not be written: No space left on device\n";
        QTest::newRow("output past the file size limit")
            << R"sh(ulimit -f 1 && exec "$0" dump "$1/full_image_band0.dat" --json > "$2/out")sh"
            << 1 << "tq305: the output could not be written: File too large\n";
    }
    void throughTheShell() {
        QFETCH(QString, script);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        const DumpRun run = runScript(script, m_folder.path());
        QCOMPARE(QString::fromUtf8(run.err), error);
        QCOMPARE(run.exitCode, exitCode);
    }
};

TQ_REGISTER_TEST(DumpTest);
#include "dump_test.moc"
