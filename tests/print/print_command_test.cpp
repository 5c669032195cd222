// tq305 print end to end: the PDF's text as pdftotext reads it.
#include "support/test_registry.h"
#include "support/tq305_run.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {"-layout", pdf, "-"});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

const QString Golden = QStringLiteral(TQ_TEST_DATA "/full_image_band0.dat");

} // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

  private slots:
    // The rows the printout holds, in each language.
    void pdfHoldsTheRows_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("lines"); // each a regular expression over one line
        QTest::newRow("zh") << "zh"
                            << QStringList{"TQ305sys编程数据打印",
                                           "功能设置",
                                           "记忆频道显示模式:\\s+频道",
                                           "当前频道数:\\s+42",
                                           "发射超时:\\s+180 秒",
                                           "扫描模式:\\s+搜索",
                                           "VOX\\(声控发射\\)",
                                           "允许取消操作是否\\s+否",
                                           "调试信息",
                                           "高功率等级\\s+208",
                                           "低功率等级\\s+116",
                                           "信道数据",
                                           "1\\s+438.50000\\s+438.50000\\s+关闭\\s+关闭\\s+高"};
        QTest::newRow("en") << "en"
                            << QStringList{"TQ305sys编程数据打印",
                                           "功能设置",
                                           "Memory Mode:\\s+Channel",
                                           "Present Channel:\\s+42",
                                           "Time-out Timer:\\s+180 S",
                                           "Scan Mode:\\s+Search",
                                           "VOX\\(声控发射\\)",
                                           "Allow to Cancel Operating是否\\s+否",
                                           "调试信息",
                                           "High Power Grades\\s+208",
                                           "Low Power Grades\\s+116",
                                           "信道数据",
                                           "1\\s+438.50000\\s+438.50000\\s+Off\\s+Off\\s+High"};
    }
    void pdfHoldsTheRows() {
        QFETCH(QString, language);
        QFETCH(QStringList, lines);
        const QString pdf = m_folder.filePath(language + ".pdf");
        const Tq305Run run = runTq305({"print", Golden, "-o", pdf, "--lang", language});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        const QString text = pdfText(pdf);
        for (const QString& line : lines)
            QVERIFY2(text.contains(QRegularExpression(line)), qPrintable(line));
        // The channel table on pages of its own, each page numbered.
        const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 3);
        QVERIFY(!pages[0].contains("438.50000"));
        const QString header = language == "zh" ? "接收频率" : "RXFre";
        for (int i = 1; i < pages.size(); ++i)
            QVERIFY2(pages[i].contains(header), qPrintable(QString("page %1").arg(i + 1)));
    }

    // Nothing reported as done that was not: the exit codes and no file left.
    void failures_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        const QString out = QDir::temp().filePath("never-written.pdf");
        QTest::newRow("no output") << QStringList{"print", Golden} << 2 << "usage";
        QTest::newRow("no file") << QStringList{"print", "-o", out} << 2 << "usage";
        QTest::newRow("unknown option")
            << QStringList{"print", Golden, "-o", out, "--colour"} << 2 << "usage";
        QTest::newRow("bad language")
            << QStringList{"print", Golden, "-o", out, "--lang", "fr"} << 2 << "usage";
        QTest::newRow("missing data file")
            << QStringList{"print", "/nonexistent/x.dat", "-o", out} << 3 << "x.dat";
        QTest::newRow("not a data file")
            << QStringList{"print", TQ305_PROGRAM, "-o", out} << 3 << "tq305";
        QTest::newRow("folder missing")
            << QStringList{"print", Golden, "-o", "/nonexistent/out.pdf"} << 3 << "out.pdf";
        QTest::newRow("output is a folder")
            << QStringList{"print", Golden, "-o", QDir::tempPath()} << 3 << "cannot be written";
    }
    void failures() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFile::remove(QDir::temp().filePath("never-written.pdf"));
        const Tq305Run run = runTq305(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(!QFile::exists(QDir::temp().filePath("never-written.pdf")));
    }

    // A PDF that cannot replace the old one leaves the old one whole.
    void readOnlyOutputKept() {
        const QString pdf = m_folder.filePath("kept.pdf");
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
        const Tq305Run run = runTq305({"print", Golden, "-o", pdf});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old"));
    }

    // Without a font for its Chinese (only a Latin font installed) no
    // printout is written, in either language: it would show boxes. Nor
    // without any font at all (a bare container), where Qt draws every
    // character as a box of its own. Like every line on the standard
    // error, the message is in English.
    void refusedWithoutAFontForItsCharacters_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("fonts"); // "all" installed, only "Latin", or "none"
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        for (const char* language : {"zh", "en"}) {
            QTest::addRow("%s, every font", language) << QString(language) << "all" << 0 << "";
            QTest::addRow("%s, Latin only", language)
                << QString(language) << "Latin" << 1 << "No installed font can show";
            QTest::addRow("%s, no font", language)
                << QString(language) << "none" << 1 << "the printout: 0123456789/TQ";
        }
    }
    void refusedWithoutAFontForItsCharacters() {
        QFETCH(QString, language);
        QFETCH(QString, fonts);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        const QString latin = "/usr/share/fonts/truetype/dejavu";
        if (fonts == "Latin" && !QDir(latin).exists())
            QSKIP("no DejaVu fonts to stand for a system without a CJK font");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (fonts != "all") {
            QFile config(m_folder.filePath("fonts-" + fonts + ".conf"));
            QVERIFY(config.open(QIODevice::WriteOnly));
            const QString folder = fonts == "Latin" ? "<dir>" + latin + "</dir>" : QString();
            config.write(QString("<?xml version=\"1.0\"?><fontconfig>%1"
                                 "<cachedir>%2</cachedir></fontconfig>")
                             .arg(folder, m_folder.filePath("font-cache-" + fonts))
                             .toUtf8());
            config.close();
            environment.insert("FONTCONFIG_FILE", config.fileName());
        }
        const QString pdf = m_folder.filePath("fonts-" + language + ".pdf");
        QFile::remove(pdf);
        const Tq305Run run =
            runTq305({"print", Golden, "-o", pdf, "--lang", language}, environment);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(QFile::exists(pdf), exitCode == 0);
        if (fonts == "Latin") // the characters are named: 信道数据 heads the channel table
            QVERIFY2(run.err.contains("信") && run.err.contains(" (U+"), qPrintable(run.err));
        if (exitCode != 0) // one line, however many characters are missing
            QCOMPARE(run.err.count('\n'), 1);
    }
};

TQ_REGISTER_TEST(PrintCommandTest);
#include "print_command_test.moc"
