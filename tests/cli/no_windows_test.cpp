// No command of tq305 loads a window library or needs a display: neither
// linked (ldd) nor loaded while it runs (the dynamic loader's own record).
// Qt GUI is loaded for print alone, in its module.
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Golden = QStringLiteral(TQ_TEST_DATA "/full_image_band0.dat");

// What the dynamic loader says it loaded while `arguments` ran, with no
// display to reach.
QString loadedLibraries(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_DEBUG", "files");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.start(TQ305_PROGRAM, arguments);
    process.waitForFinished(60000);
    return QString::fromLocal8Bit(process.readAllStandardError());
}

} // namespace

class NoWindowsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

  private slots:
    void linksNoWindowLibrary_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("linksQtGui");
        QTest::newRow("tq305") << QString(TQ305_PROGRAM) << false;
        QTest::newRow("print module") << QString(TQ_PRINT_MODULE) << true;
    }
    void linksNoWindowLibrary() {
        QFETCH(QString, file);
        QFETCH(bool, linksQtGui);
        QProcess ldd;
        ldd.start("ldd", {file});
        QVERIFY(ldd.waitForFinished(60000));
        const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        QVERIFY2(libraries.contains("libQt6Core"), qPrintable(libraries));
        QVERIFY2(!libraries.contains("Widgets"), qPrintable(libraries));
        QVERIFY2(!libraries.contains("PrintSupport"), qPrintable(libraries));
        QCOMPARE(libraries.contains("libQt6Gui"), linksQtGui);
    }

    void loadsNoWindowLibrary_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("loadsQtGui");
        const QString out = m_folder.filePath("out");
        QTest::newRow("dump") << QStringList{"dump", Golden} << false;
        QTest::newRow("dump --json")
            << QStringList{"dump", Golden, "--json", "--lang", "zh"} << false;
        QTest::newRow("diff") << QStringList{"diff", Golden, TQ_TEST_DATA "/all_ff_image_band3.dat"}
                              << false;
        QTest::newRow("print") << QStringList{"print", Golden, "-o", out + ".pdf"} << true;
        QTest::newRow("export") << QStringList{"export", Golden, "-o", out + ".csv"} << false;
        QTest::newRow("write to no port")
            << QStringList{"write", Golden, "--device", "/no/tty"} << false;
    }
    void loadsNoWindowLibrary() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, loadsQtGui);
        const QString loaded = loadedLibraries(arguments);
        QVERIFY2(loaded.contains("libQt6Core"), qPrintable(loaded.left(2000)));
        QCOMPARE(loaded.contains("libQt6Gui"), loadsQtGui);
        QVERIFY2(!loaded.contains("Widgets"), qPrintable(arguments.join(' ')));
        QVERIFY2(!loaded.contains("platforms/libqxcb"), qPrintable(arguments.join(' ')));
    }

    // A tq305 without its print module still runs every other command, and
    // print says on one line what it lacks, writing nothing.
    void printWithoutItsModule() {
        const QString alone = m_folder.filePath("alone");
        QVERIFY(QDir().mkpath(alone));
        const QString program = alone + "/tq305";
        QVERIFY(QFile::copy(TQ305_PROGRAM, program));
        QProcess process;
        const QString pdf = alone + "/out.pdf";
        process.start(program, {"print", Golden, "-o", pdf});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 3);
        const QString error = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(error.count('\n'), 1);
        QVERIFY2(error.startsWith("tq305: print needs tq305-print.so"), qPrintable(error));
        QVERIFY(!QFile::exists(pdf));
        process.start(program, {"dump", Golden});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
    }
};

TQ_REGISTER_TEST(NoWindowsTest);
#include "no_windows_test.moc"
