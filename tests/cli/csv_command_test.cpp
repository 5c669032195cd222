#include "support/file_contents.h"
#include "support/test_registry.h"
#include "support/tq305_run.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

// Repeaters as the other software exports them: two VHF, two UHF.
constexpr const char* Repeaters =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
    "1,VHF1,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n"
    "2,UHF1,442.100000,+,5.000000,TSQL,88.5,123.0,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n"
    "3,VHF2,147.120000,+,0.600000,TSQL,88.5,131.8,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n"
    "4,UHF2,444.950000,+,5.000000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n";

} // namespace

class CsvCommandTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;
    QString path(const QString& name) const { return m_folder.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) { writeFile(path(name), bytes); }

  private slots:
    void importsTheBandsRepeatersAndReportsTheRest() {
        write("repeaters.csv", Repeaters);
        const Tq305Run run = runTq305(
            {"import", path("repeaters.csv"), "-o", path("vhf.dat"), "--band", "136-174MHz"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains("line 3: skipped: receive frequency 442.1 lies outside the "
                                  "band 136-174 MHz"),
                 qPrintable(run.err));
        QVERIFY(run.err.contains("line 5: skipped: receive frequency 444.95"));
        QVERIFY(run.err.contains("line 2: channel 1 imported\n"));
        QVERIFY(run.err.contains("line 4: channel 3 imported\n"));

        const Tq305Run dump = runTq305({"dump", path("vhf.dat")});
        QCOMPARE(dump.exitCode, 0);
        QVERIFY(dump.out.contains("Band (Combo1): 136-174MHz"));
        const QStringList lines = dump.out.split('\n');
        auto channel = [&](const QString& n) {
            for (const QString& line : lines)
                if (line.simplified().startsWith(n + ' ') || line.simplified() == n)
                    return line.simplified();
            return QString();
        };
        QCOMPARE(channel("1"), QString("1 146.94000 146.34000 Off 100.0 High Off On wide"));
        QCOMPARE(channel("2"), QString("2"));
        QCOMPARE(channel("3"), QString("3 147.12000 147.72000 131.8 131.8 High Off On wide"));
        QCOMPARE(channel("4"), QString("4"));
    }

    // A signal in the middle of a save waits for it: the file is whole, the
    // command says it was interrupted and ends as an interrupted transfer.
    void aSignalInASaveLetsItFinish_data() {
        QTest::addColumn<QStringList>("arguments"); // the output is out.*
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("said");
        QTest::newRow("export, CSV, TERM")
            << QStringList{"export", "a.dat", "-o", "out.csv"} << int(SIGTERM) << "SIGTERM";
        QTest::newRow("export, YAML, HUP")
            << QStringList{"export", "a.dat", "-o", "out.yaml"} << int(SIGHUP) << "SIGHUP";
        QTest::newRow("import, CSV, INT")
            << QStringList{"import", "repeaters.csv", "-o", "out.dat", "--band", "0"} << int(SIGINT)
            << "SIGINT";
        QTest::newRow("import, YAML, QUIT")
            << QStringList{"import", "a.yaml", "-o", "out.dat"} << int(SIGQUIT) << "SIGQUIT";
    }
    void aSignalInASaveLetsItFinish() {
        QFETCH(QStringList, arguments);
        QFETCH(int, signal);
        QFETCH(QString, said);
        write("repeaters.csv", Repeaters);
        QCOMPARE(runTq305({"import", path("repeaters.csv"), "-o", path("a.dat"), "--band", "0"})
                     .exitCode,
                 0);
        QCOMPARE(runTq305({"export", path("a.dat"), "-o", path("a.yaml")}).exitCode, 0);
        for (QString& argument : arguments)
            if (argument.contains('.'))
                argument = path(argument);
        const QString output = arguments[3];
        QFile::remove(output);
        const Tq305Run plain = runTq305(arguments);
        QCOMPARE(plain.exitCode, 0);
        const QByteArray whole = readFile(output);
        QVERIFY(QFile::remove(output));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", TQ_SIGNAL_IN_FSYNC);
        environment.insert("TQ_SIGNAL_IN_FSYNC", QString::number(signal));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(TQ305_PROGRAM, arguments);
        QVERIFY(process.waitForFinished(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 130);
        QVERIFY2(err.contains("interrupted (" + said + "): the file was saved whole first"),
                 qPrintable(err));
        const QByteArray saved = readFile(output);
        QFile::remove(output); // the other tests expect no output of their own before them
        QCOMPARE(saved, whole);
        // No temporary file of the save is left beside it.
        QCOMPARE(QDir(m_folder.path()).entryList({"*.tmp"}, QDir::Files | QDir::Hidden),
                 QStringList());
    }

    void exportReadsBackIntoTheSameFile() {
        write("repeaters.csv", Repeaters);
        QCOMPARE(runTq305({"import", path("repeaters.csv"), "-o", path("a.dat"), "--band", "0"})
                     .exitCode,
                 0);
        QCOMPARE(runTq305({"export", path("a.dat"), "-o", path("a.csv")}).exitCode, 0);
        QCOMPARE(runTq305({"import", path("a.csv"), "-o", path("b.dat"), "--band", "0", "--base",
                           path("a.dat")})
                     .exitCode,
                 0);
        QFile a(path("a.dat")), b(path("b.dat"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
    }

    // Without a base the import starts from New and the band chosen: the
    // full-band frequency is that band's centre. A base of another band is
    // refused, as its channels were never checked against this one.
    void startsFromTheChosenBand() {
        write("repeaters.csv", Repeaters);
        const Tq305Run run =
            runTq305({"import", path("repeaters.csv"), "-o", path("vhf.dat"), "--band", "0"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.endsWith("2 of 4 rows imported, 2 skipped\n"), qPrintable(run.err));
        QVERIFY(runTq305({"dump", path("vhf.dat")}).out.contains("(Text20): 155.00000"));

        const Tq305Run other = runTq305({"import", path("repeaters.csv"), "-o", path("uhf.dat"),
                                         "--band", "3", "--base", path("vhf.dat")});
        QCOMPARE(other.exitCode, 1);
        QVERIFY2(other.err.contains("is a file of the band 136-174MHz, not of the band "
                                    "400-480MHz given with --band"),
                 qPrintable(other.err));
        QVERIFY(!QFile::exists(path("uhf.dat")));
    }

    void exitCodes_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no band") << QStringList{"import", "in.csv", "-o", "out.dat"} << 2;
        QTest::newRow("unknown band")
            << QStringList{"import", "in.csv", "-o", "out.dat", "--band", "9"} << 2;
        QTest::newRow("export without output") << QStringList{"export", "a.dat"} << 2;
        QTest::newRow("missing input")
            << QStringList{"import", "missing.csv", "-o", "out.dat", "--band", "0"} << 3;
        QTest::newRow("no header")
            << QStringList{"import", "plain.csv", "-o", "out.dat", "--band", "0"} << 1;
        QTest::newRow("missing base") << QStringList{"import", "in.csv", "-o",     "out.dat",
                                                     "--band", "0",      "--base", "missing.dat"}
                                      << 3;
        QTest::newRow("export of a missing file")
            << QStringList{"export", "missing.dat", "-o", "out.csv"} << 3;
        QTest::newRow("no row in the band")
            << QStringList{"import", "in.csv", "-o", "out.dat", "--band", "7"} << 1;
        QTest::newRow("a quote never closed")
            << QStringList{"import", "unclosed.csv", "-o", "out.dat", "--band", "0"} << 1;
    }
    void exitCodes() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        write("in.csv", Repeaters);
        write("plain.csv", "just some text\n");
        write("unclosed.csv", QByteArray(Repeaters) + "5,\"oops,146.1\n" + QByteArray(Repeaters));
        for (QString& a : arguments)
            if (a.contains('.'))
                a = path(a);
        const Tq305Run run = runTq305(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(!run.err.isEmpty());
        QVERIFY(!QFile::exists(path("out.dat")));
    }
};

TQ_REGISTER_TEST(CsvCommandTest);
#include "csv_command_test.moc"
