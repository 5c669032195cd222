#include "support/file_contents.h"
#include "support/test_registry.h"
#include "support/tq305_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Two channels, one with a DTMF code a YAML reader would take for a comment.
constexpr const char* Radio = "band: 400-480MHz\n"
                              "channels:\n"
                              "  1: {rx_frequency: 438.5, rx_tone: 67.0}\n"
                              "  7:\n"
                              "    rx_frequency: 446.00625\n"
                              "    tx_frequency: \"\"\n"
                              "    power: Low\n"
                              "dtmf:\n"
                              "  ptt_id: \"#12*\"\n";

} // namespace

class YamlCommandTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;
    QString path(const QString& name) const { return m_folder.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) { writeFile(path(name), bytes); }

  private slots:
    // Imported, exported and imported again: the same data file, the same
    // text, and diff finds nothing between the data file and its YAML form.
    void roundTripsThroughTheCommands() {
        write("radio.yaml", Radio);
        QCOMPARE(runTq305({"import", path("radio.yaml"), "-o", path("a.dat")}).exitCode, 0);
        const Tq305Run exported = runTq305({"export", path("a.dat"), "-o", path("a.yml")});
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(exported.err, QString());
        QVERIFY(readFile(path("a.yml")).startsWith("# TQ-305 CloneDesk "));
        QVERIFY(readFile(path("a.yml")).contains("  7:\n    rx_frequency: 446.00625\n"));
        // The kind given, whatever the name says.
        QCOMPARE(runTq305({"import", path("a.yml"), "-o", path("b.dat")}).exitCode, 0);
        QCOMPARE(
            runTq305({"export", path("b.dat"), "-o", path("b.txt"), "--format", "yaml"}).exitCode,
            0);
        QCOMPARE(readFile(path("b.txt")), readFile(path("a.yml")));
        QCOMPARE(readFile(path("b.dat")), readFile(path("a.dat")));
        const Tq305Run diff = runTq305({"diff", path("a.dat"), path("a.yml")});
        QCOMPARE(diff.exitCode, 0);
        QCOMPARE(diff.out, QString());
        write("c.yaml", QByteArray(Radio).replace("power: Low", "power: High"));
        const Tq305Run changed = runTq305({"diff", path("c.yaml"), path("a.dat")});
        QCOMPARE(changed.exitCode, 1);
        QCOMPARE(changed.out, QString("CH 7 / Power: High → Low\n"));
    }

    // One line naming the file, line and column; nothing written over the
    // output that was there.
    void refusesAFaultyFileWhole() {
        write("bad.yaml", QByteArray(Radio).replace("power: Low", "power: Medium"));
        write("out.dat", "kept");
        const Tq305Run run = runTq305({"import", path("bad.yaml"), "-o", path("out.dat")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, "tq305: " + path("bad.yaml") +
                              ":7:12: channels[7].power: Medium is refused; allowed: one of Low, "
                              "High\n");
        QCOMPARE(readFile(path("out.dat")), QByteArray("kept"));
    }

    // A tone code in no list and a damaged frequency: each export and the
    // write say so, by key, and still do their work.
    void namesWhatNoWindowCanWriteBack() {
        write("radio.yaml", Radio);
        QCOMPARE(runTq305({"import", path("radio.yaml"), "-o", path("a.dat")}).exitCode, 0);
        QByteArray bytes = readFile(path("a.dat"));
        bytes[48 + 8] = char(0xFF); // channel 1's receive tone: 6F.F
        bytes[48 + 9] = char(0x06);
        bytes[48 + 6 * 13 + 1] = char(0xA5); // channel 7's receive frequency: 446.0A525
        write("odd.dat", bytes);
        const QString tone = "tq305: note: channels[1].rx_tone: 6F.F is a tone code in no tone "
                             "list; ";
        const QString frequency =
            "tq305: note: channels[7].rx_frequency: 446.0A525 is not a frequency";

        const Tq305Run csv = runTq305({"export", path("odd.dat"), "-o", path("odd.csv")});
        QCOMPARE(csv.exitCode, 0);
        QCOMPARE(csv.err, tone + "exported without a tone\n" + frequency +
                              "; exported as if it were 446.000000\n");

        const Tq305Run yaml = runTq305({"export", path("odd.dat"), "-o", path("odd.yaml")});
        QCOMPARE(yaml.exitCode, 0);
        QVERIFY2(yaml.err.startsWith(tone + "written as Off\n" + frequency +
                                     ": an import refuses it until it is mended; "),
                 qPrintable(yaml.err));

        // No radio on port 16: the note comes before the port is opened.
        const Tq305Run written =
            runTq305({"write", path("odd.dat"), "--port", "16", "--no-backup"});
        QCOMPARE(written.exitCode, 3);
        QVERIFY2(written.err.startsWith(
                     "tq305: note: channels[1].rx_tone: 6F.F is a tone code in no tone list; "
                     "written as Off\n"),
                 qPrintable(written.err));
        QVERIFY(!written.err.contains("rx_frequency"));
    }

    // A file that gives no setting, or a channel twice, is no radio: import
    // and write refuse it before any file or port is touched.
    void filesThatAreNoRadio_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        const QString none = ":1:1: holds no settings; allowed: a YAML map of settings\n";
        for (const char* command : {"import", "write"}) {
            QTest::addRow("%s an empty file", command) << command << QByteArray() << none;
            QTest::addRow("%s a comment", command) << command << QByteArray("# radio\n") << none;
            QTest::addRow("%s a document start", command) << command << QByteArray("---\n") << none;
            QTest::addRow("%s a null", command) << command << QByteArray("~\n") << none;
            QTest::addRow("%s channel 1 and 01", command)
                << command
                << QByteArray("channels:\n  1: {rx_frequency: 438.5}\n  01: {tx_frequency: 439}\n")
                << ":3:3: channels.01: given twice (first on line 2); allowed: once\n";
        }
    }
    void filesThatAreNoRadio() {
        QFETCH(QString, command);
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        write("none.yaml", file);
        write("out.dat", "kept");
        const QStringList arguments =
            command == "import" ? QStringList{"import", path("none.yaml"), "-o", path("out.dat")}
                                : QStringList{"write", path("none.yaml"), "--device",
                                              path("no-radio"), "--no-backup"};
        const Tq305Run run = runTq305(arguments);
        // A write says of any input it cannot use that it could not open it.
        QCOMPARE(run.exitCode, command == "import" ? 1 : 3);
        QCOMPARE(run.err, "tq305: " + path("none.yaml") + error);
        QCOMPARE(readFile(path("out.dat")), QByteArray("kept"));
    }

    // A header band byte the file reads as another code's comes back as that
    // code's byte: the export says so, as it says of every byte it changes.
    void headerBandBytesRewrittenAreNamed_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("note"); // empty: none
        QTest::newRow("3A, read as 3")
            << 0x3A
            << "tq305: note: header: the file cannot bring this byte back as it was: band byte 3A "
               "becomes 03\n";
        QTest::newRow("3F, read as 3")
            << 0x3F
            << "tq305: note: header: the file cannot bring this byte back as it was: band byte 3F "
               "becomes 03\n";
        QTest::newRow("03") << 0x03 << QString();
    }
    void headerBandBytesRewrittenAreNamed() {
        QFETCH(int, byte);
        QFETCH(QString, note);
        write("radio.yaml", Radio);
        QCOMPARE(runTq305({"import", path("radio.yaml"), "-o", path("a.dat")}).exitCode, 0);
        QByteArray bytes = readFile(path("a.dat"));
        bytes[7] = char(byte);
        write("header.dat", bytes);
        const Tq305Run run = runTq305({"export", path("header.dat"), "-o", path("header.yaml")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, note);
    }

    void wrongCommandLines_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown kind")
            << QStringList{"export", "a.dat", "-o", "a.yaml", "--format", "xml"};
        QTest::newRow("a band for YAML")
            << QStringList{"import", "a.yaml", "-o", "a.dat", "--band", "3"};
        QTest::newRow("renumbered YAML")
            << QStringList{"import", "a.yaml", "-o", "a.dat", "--renumber"};
    }
    void wrongCommandLines() {
        QFETCH(QStringList, arguments);
        QCOMPARE(runTq305(arguments).exitCode, 2);
    }
};

TQ_REGISTER_TEST(YamlCommandTest);
#include "yaml_command_test.moc"
