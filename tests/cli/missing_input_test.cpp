// One exit code, 3, for an input file that is not there, whichever command
// was given it; the line on standard error names the file.
#include "support/test_registry.h"
#include "support/tq305_run.h"

#include <QTemporaryDir>
#include <QTest>

class MissingInputTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

  private slots:
    void everyCommandExitsWith3_data() {
        QTest::addColumn<QStringList>("arguments");
        const QString golden = TQ_TEST_DATA "/full_image_band0.dat";
        const QString missing = m_folder.filePath("missing.dat");
        const QString out = m_folder.filePath("out");
        QTest::newRow("dump") << QStringList{"dump", missing};
        QTest::newRow("dump --json") << QStringList{"dump", missing, "--json"};
        QTest::newRow("print") << QStringList{"print", missing, "-o", out + ".pdf"};
        QTest::newRow("diff, the first") << QStringList{"diff", missing, golden};
        QTest::newRow("diff, the second") << QStringList{"diff", golden, missing};
        QTest::newRow("export") << QStringList{"export", missing, "-o", out + ".csv"};
        QTest::newRow("import") << QStringList{
            "import", m_folder.filePath("missing.csv"), "-o", out + ".dat", "--band", "0"};
        QTest::newRow("import --base") << QStringList{
            "import", TQ_TEST_DATA "/../../README.md", "-o", out + ".dat", "--band", "0", "--base",
            missing};
        QTest::newRow("write") << QStringList{"write", missing, "--device", "/dev/null"};
    }
    void everyCommandExitsWith3() {
        QFETCH(QStringList, arguments);
        const Tq305Run run = runTq305(arguments);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains("missing."), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(m_folder.filePath("out.pdf")));
    }
};

TQ_REGISTER_TEST(MissingInputTest);
#include "missing_input_test.moc"
