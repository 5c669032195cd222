// The bash completion as a user meets it: what Tab offers after a line
// typed so far, in a folder with a few files of each kind.
#include "command_run.h"
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Completions = TQ_HELP_PAGES "/completions/";

// The line split as bash splits it; a line ending in a space completes a
// new, empty word.
constexpr const char* CompleteScript = R"sh(
source /usr/share/bash-completion/bash_completion
source "$1"
read -ra COMP_WORDS <<< "$2"
[[ -z $2 || $2 == *' ' ]] && COMP_WORDS+=("")
COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
COMP_LINE=$2
COMP_POINT=${#2}
function=$(complete -p "${COMP_WORDS[0]}" | sed -n 's/.*-F \([^ ]*\).*/\1/p')
"$function" "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}" 2>/dev/null
printf '%s\n' "${COMPREPLY[@]}"
)sh";

QStringList numbers(int first, int last) {
    QStringList list;
    for (int n = first; n <= last; ++n)
        list << QString::number(n);
    return list;
}

} // namespace

class CompletionTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    QStringList complete(const QString& line) const {
        const QString program = line.section(' ', 0, 0);
        const CommandRun run =
            runCommand("bash", {"-c", CompleteScript, "bash", Completions + program, line}, {},
                       m_folder.path());
        QStringList words = run.out.split('\n', Qt::SkipEmptyParts);
        words.sort();
        return words;
    }

  private slots:
    void initTestCase() {
        QVERIFY(QFile::exists("/usr/share/bash-completion/bash_completion"));
        for (const char* name : {"a.dat", "b.csv", "c.pdf", "notes.txt", "r.yaml", "s.yml"}) {
            QFile file(m_folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(m_folder.path()).mkdir("sub"));
    }

    void offers_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("commands") << "tq305 "
                                  << QStringList{"--help", "--version", "-h",      "diff",
                                                 "dump",   "export",    "history", "import",
                                                 "print",  "read",      "write"};
        QTest::newRow("history's options")
            << "tq305 history --"
            << QStringList{"--code", "--delete-before", "--file", "--format", "--help",
                           "--job",  "--json",          "--lang", "--since"};
        QTest::newRow("a command begun") << "tq305 im" << QStringList{"import"};
        QTest::newRow("dump's options")
            << "tq305 dump a.dat --" << QStringList{"--help", "--json", "--lang"};
        QTest::newRow("languages") << "tq305 dump a.dat --lang " << QStringList{"en", "zh"};
        QTest::newRow("a write option") << "tq305 write a.dat --f" << QStringList{"--force-band"};
        QTest::newRow("write's safety options")
            << "tq305 write a.dat --no-" << QStringList{"--no-backup", "--no-verify"};
        QTest::newRow("no write option on a read") << "tq305 read --f" << QStringList{};
        QTest::newRow("ports") << "tq305 read --port " << numbers(1, 16);
        QTest::newRow("ports begun")
            << "tq305 write a.dat --port 1" << numbers(1, 1) + numbers(10, 16);
        QTest::newRow("data files to dump") << "tq305 dump " << QStringList{"a.dat", "sub"};
        QTest::newRow("data file to write")
            << "tq305 write " << QStringList{"a.dat", "r.yaml", "s.yml", "sub"};
        QTest::newRow("either file to compare")
            << "tq305 diff " << QStringList{"a.dat", "r.yaml", "s.yml", "sub"};
        QTest::newRow("a PDF to print to")
            << "tq305 print a.dat -o " << QStringList{"c.pdf", "sub"};
        QTest::newRow("a CSV to export to")
            << "tq305 export a.dat -o " << QStringList{"b.csv", "r.yaml", "s.yml", "sub"};
        QTest::newRow("a CSV or YAML to import")
            << "tq305 import " << QStringList{"b.csv", "r.yaml", "s.yml", "sub"};
        QTest::newRow("the kinds") << "tq305 import r.yaml --format " << QStringList{"csv", "yaml"};
        QTest::newRow("a base to import onto")
            << "tq305 import b.csv --base " << QStringList{"a.dat", "sub"};
        QTest::newRow("a data file to read into")
            << "tq305 read --port 1 -o " << QStringList{"a.dat", "sub"};
        QTest::newRow("radio options")
            << "tq305-radio --c"
            << QStringList{"--calibration-mode", "--change-block", "--com", "--corrupt-block"};
        QTest::newRow("radio ports") << "tq305-radio --com " << numbers(1, 16);
        QTest::newRow("radio image, any file")
            << "tq305-radio "
            << QStringList{"a.dat", "b.csv", "c.pdf", "notes.txt", "r.yaml", "s.yml", "sub"};
        QTest::newRow("radio save file")
            << "tq305-radio --save "
            << QStringList{"a.dat", "b.csv", "c.pdf", "notes.txt", "r.yaml", "s.yml", "sub"};
        QTest::newRow("a number: nothing to offer") << "tq305-radio --stall-at " << QStringList{};
    }
    void offers() {
        QFETCH(QString, line);
        QFETCH(QStringList, words);
        words.sort();
        QCOMPARE(complete(line), words);
    }

    // The ports offered are the ports tq305 takes: the last is taken (the
    // missing output folder is what stops it), the one after is refused.
    void offersThePortsTheProgramTakes() {
        const QStringList ports = complete("tq305 read --port ");
        QVERIFY(!ports.isEmpty());
        int last = 0;
        for (const QString& port : ports)
            last = std::max(last, port.toInt());
        const QString output = m_folder.filePath("no-such-folder/x.dat");
        QCOMPARE(runCommand(TQ305_PROGRAM, {"read", "--port", QString::number(last), "-o", output})
                     .exitCode,
                 3);
        QCOMPARE(
            runCommand(TQ305_PROGRAM, {"read", "--port", QString::number(last + 1), "-o", output})
                .exitCode,
            2);
    }
};

TQ_REGISTER_TEST(CompletionTest);

#include "completion_test.moc"
