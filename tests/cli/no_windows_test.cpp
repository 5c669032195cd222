// No command of tq305 loads a window library or needs a display: neither
// linked (ldd) nor loaded while it runs (the dynamic loader's own record).
#include "support/test_registry.h"

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
    void linksNoWindowLibrary() {
        QProcess ldd;
        ldd.start("ldd", {TQ305_PROGRAM});
        QVERIFY(ldd.waitForFinished(60000));
        const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        QVERIFY2(libraries.contains("libQt6Core"), qPrintable(libraries));
        QVERIFY2(!libraries.contains("Widgets"), qPrintable(libraries));
        QVERIFY2(!libraries.contains("PrintSupport"), qPrintable(libraries));
    }

    void loadsNoWindowLibrary_data() {
        QTest::addColumn<QStringList>("arguments");
        const QString out = m_folder.filePath("out");
        QTest::newRow("dump") << QStringList{"dump", Golden};
        QTest::newRow("dump --json") << QStringList{"dump", Golden, "--json", "--lang", "zh"};
        QTest::newRow("diff") << QStringList{"diff", Golden,
                                             TQ_TEST_DATA "/all_ff_image_band3.dat"};
        QTest::newRow("print") << QStringList{"print", Golden, "-o", out + ".pdf"};
        QTest::newRow("export") << QStringList{"export", Golden, "-o", out + ".csv"};
        QTest::newRow("write to no port") << QStringList{"write", Golden, "--device", "/no/tty"};
    }
    void loadsNoWindowLibrary() {
        QFETCH(QStringList, arguments);
        const QString loaded = loadedLibraries(arguments);
        QVERIFY2(loaded.contains("libQt6Core"), qPrintable(loaded.left(2000)));
        QVERIFY2(!loaded.contains("Widgets"), qPrintable(arguments.join(' ')));
        QVERIFY2(!loaded.contains("platforms/libqxcb"), qPrintable(arguments.join(' ')));
    }
};

TQ_REGISTER_TEST(NoWindowsTest);
#include "no_windows_test.moc"
