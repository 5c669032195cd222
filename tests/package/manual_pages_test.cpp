// The manual pages as man shows them: each renders without a warning, and
// each says what its program's --help says, line by line and in order.
#include "command_run.h"
#include "support/test_registry.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QString Pages = TQ_HELP_PAGES "/man1/";

CommandRun render(const QString& page) {
    return runCommand("man", {"--warnings", "-l", Pages + page + ".1.gz"},
                      {"MANWIDTH=80", "LC_ALL=C.UTF-8", "MAN_DISPOSITION=", "MANPAGER=cat"});
}

QString collapsed(const QString& text) {
    return text.simplified();
}

// The lines of the page's section `heading` (when empty, the page's own
// sections: all but the commands' sections).
QString section(const QString& page, const QString& heading) {
    const QStringList lines = page.split('\n');
    QStringList taken;
    bool inside = heading.isEmpty();
    for (const QString& line : lines) {
        const bool sectionStart = !line.isEmpty() && !line.front().isSpace();
        if (sectionStart)
            inside = heading.isEmpty() ? !line.startsWith("TQ305 ") : line == heading;
        if (inside)
            taken << line;
    }
    return collapsed(taken.join('\n'));
}

// The commands `tq305 --help` lists under "Commands:".
QStringList tq305Commands() {
    const QString help = runCommand(TQ305_PROGRAM, {"--help"}).out;
    const QString list = help.section("Commands:\n", 1).section("\n\n", 0, 0);
    QStringList commands;
    for (const QString& line : list.split('\n'))
        if (line.startsWith("  ") && !line.at(2).isSpace())
            commands << line.simplified().section(' ', 0, 0);
    return commands;
}

} // namespace

class ManualPagesTest : public QObject {
    Q_OBJECT

  private slots:
    void rendersWithoutWarnings_data() {
        QTest::addColumn<QString>("page");
        for (const char* page : {"TQ305sys", "tq305", "tq305-radio"})
            QTest::newRow(page) << QString(page);
    }
    void rendersWithoutWarnings() {
        QFETCH(QString, page);
        const CommandRun run = render(page);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("\nNAME\n       " + page + " - "));
    }

    // The sections a reader looks for, after the description and the
    // commands, in the usual order; the footer dated with the version's date.
    // The programs that record what they did name the history's file.
    void hasTheClosingSections_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("keepsHistory");
        QTest::newRow("TQ305sys") << "TQ305sys" << true;
        QTest::newRow("tq305") << "tq305" << true;
        QTest::newRow("tq305-radio") << "tq305-radio" << false;
    }
    void hasTheClosingSections() {
        QFETCH(QString, page);
        QFETCH(bool, keepsHistory);
        const QString text = render(page).out;
        qsizetype at = text.lastIndexOf("\nTQ305 "); // the last command's section, if any
        for (const char* heading : {"EXIT STATUS", "ENVIRONMENT", "FILES", "SEE ALSO"}) {
            const qsizetype found = text.indexOf(QString("\n%1\n").arg(heading), at + 1);
            QVERIFY2(found > at, heading);
            at = found;
        }
        QVERIFY(text.contains("XDG_DATA_HOME"));
        QCOMPARE(text.section("\nFILES\n", 1).contains("/history.db"), keepsHistory);
        QVERIFY(text.trimmed().section('\n', -1).contains(TQ_RELEASE_DATE)); // the footer
    }

    void helpSaysWhatTheSectionSays_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("heading"); // empty: the page's own part
        QTest::newRow("TQ305sys") << "TQ305sys" << TQ305SYS_PROGRAM << QStringList{"--help"}
                                  << QString();
        QTest::newRow("tq305-radio")
            << "tq305-radio" << TQ_RADIO_BIN << QStringList{"--help"} << QString();
        QTest::newRow("tq305") << "tq305" << TQ305_PROGRAM << QStringList{"--help"} << QString();
        const QStringList commands = tq305Commands();
        QVERIFY(commands.contains("dump") && commands.contains("import"));
        for (const QString& command : commands)
            QTest::newRow(qPrintable("tq305 " + command))
                << "tq305" << TQ305_PROGRAM << QStringList{command, "--help"}
                << "TQ305 " + command.toUpper();
    }
    void helpSaysWhatTheSectionSays() {
        QFETCH(QString, page);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, heading);
        const CommandRun help = runCommand(program, arguments, {"QT_QPA_PLATFORM=offscreen"});
        QCOMPARE(help.exitCode, 0);
        const QString shown = section(render(page).out, heading);
        QVERIFY(!shown.isEmpty());
        static const QRegularExpression usage("^(usage|Usage): ");
        qsizetype at = 0;
        for (QString line : help.out.split('\n')) {
            line = collapsed(line).remove(usage);
            if (line.endsWith(':'))
                line.chop(1); // a heading, which the page may write in capitals
            if (line.isEmpty())
                continue;
            const qsizetype found = shown.indexOf(line, at, Qt::CaseInsensitive);
            QVERIFY2(found >= 0, qPrintable("not in the manual page, or out of order: " + line));
            at = found + line.size();
        }
    }
};

TQ_REGISTER_TEST(ManualPagesTest);

#include "manual_pages_test.moc"
