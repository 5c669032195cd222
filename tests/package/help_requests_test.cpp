// What the three programs answer when asked for help or their version, and
// what tq305 says to a command line without a command it knows.
#include "command_run.h"
#include "support/test_registry.h"

#include <QTest>

class HelpRequestsTest : public QObject {
    Q_OBJECT

  private slots:
    // Help and the version go to the standard output with exit code 0, so
    // `tq305 import --help | less` works; no window, no display needed.
    void answersOnTheStandardOutput_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("start");
        const QString version = "(TQ-305 CloneDesk) " TQ_VERSION "\n";
        QTest::newRow("tq305 --version")
            << TQ305_PROGRAM << QStringList{"--version"} << "tq305 " + version;
        QTest::newRow("TQ305sys --version")
            << TQ305SYS_PROGRAM << QStringList{"--version"} << "TQ305sys " + version;
        QTest::newRow("tq305-radio --version")
            << TQ_RADIO_BIN << QStringList{"--version"} << "tq305-radio " + version;
        QTest::newRow("tq305 --help")
            << TQ305_PROGRAM << QStringList{"--help"} << "usage: tq305 dump ";
        QTest::newRow("tq305 -h") << TQ305_PROGRAM << QStringList{"-h"} << "usage: tq305 dump ";
        QTest::newRow("TQ305sys --help")
            << TQ305SYS_PROGRAM << QStringList{"--help"} << "Usage: TQ305sys ";
        for (const char* command : {"dump", "print", "read", "write", "export", "import"}) {
            const QString usage = QString("usage: tq305 ") + command + ' ';
            QTest::newRow(qPrintable(usage + "--help"))
                << TQ305_PROGRAM << QStringList{command, "--help"} << usage;
            // Asked for anywhere on the line, even after what makes it wrong.
            QTest::newRow(qPrintable(usage + "--bad -h"))
                << TQ305_PROGRAM << QStringList{command, "--bad", "-h"} << usage;
        }
    }
    void answersOnTheStandardOutput() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, start);
        // No platform at all: a program that built a window would fail.
        const CommandRun run = runCommand(program, arguments, {"QT_QPA_PLATFORM=none"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(start), qPrintable(run.out));
    }

    // Every program's --version names its licence.
    void versionNamesTheLicence_data() {
        QTest::addColumn<QString>("program");
        QTest::newRow("tq305") << TQ305_PROGRAM;
        QTest::newRow("TQ305sys") << TQ305SYS_PROGRAM;
        QTest::newRow("tq305-radio") << TQ_RADIO_BIN;
    }
    void versionNamesTheLicence() {
        QFETCH(QString, program);
        const CommandRun run = runCommand(program, {"--version"}, {"QT_QPA_PLATFORM=none"});
        QVERIFY2(run.out.contains("\nLicense GPL-3.0-or-later: GNU GPL version 3 or later"),
                 qPrintable(run.out));
    }

    void helpThatCannotBeWrittenFails() {
        QProcess help;
        help.setStandardOutputFile("/dev/full");
        help.start(TQ305_PROGRAM, {"import", "--help"});
        QVERIFY(help.waitForFinished());
        QCOMPARE(help.exitCode(), 1);
    }

    // Every command's usage on the standard error, exit code 2.
    void showsEveryUsageWithoutAKnownCommand_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("nothing") << QStringList{} << QString();
        QTest::newRow("unknown command")
            << QStringList{"flash", "a.dat"} << "tq305: unknown command 'flash'\n";
        QTest::newRow("an option first")
            << QStringList{"--json", "dump"} << "tq305: unknown command '--json'\n";
        // Escape bytes reach the terminal as text, not as commands to it.
        QTest::newRow("a command with escape bytes")
            << QStringList{"\x1b[2Jdump\r"} << "tq305: unknown command '\\x1B[2Jdump\\r'\n";
    }
    void showsEveryUsageWithoutAKnownCommand() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, complaint);
        const CommandRun run = runCommand(TQ305_PROGRAM, arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith(complaint + "usage: tq305 dump "), qPrintable(run.err));
        for (const char* command : {"print", "read", "write", "export", "import"})
            QVERIFY(run.err.contains(QString("\n       tq305 ") + command + ' '));
    }
};

TQ_REGISTER_TEST(HelpRequestsTest);

#include "help_requests_test.moc"
