// The Debian package as apt and dpkg see it, without installing it: its
// name, its control fields, every file it holds, and what the desktop, man
// and bash find in it.
#include "command_run.h"
#include "support/test_registry.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The AppStream id, lower-case reverse DNS, which names the desktop entry
// and the icon too.
#define AppId "org.tq305_clonedesk.clonedesk"

QString architecture() {
    return runCommand("dpkg", {"--print-architecture"}).out.trimmed();
}

} // namespace

class PackageTest : public QObject {
    Q_OBJECT

    QString m_package;
    QTemporaryDir m_root; // the package unpacked

    QString field(const QString& name) const {
        return runCommand("dpkg-deb", {"--field", m_package, name}).out.trimmed();
    }

  private slots:
    void initTestCase() {
        const QStringList debs = QDir(TQ_PACKAGE_DIR).entryList({"*.deb"}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        m_package = QDir(TQ_PACKAGE_DIR).filePath(debs.front());
        QCOMPARE(runCommand("dpkg-deb", {"--extract", m_package, m_root.path()}).exitCode, 0);
    }

    void isNamedAsDebianNamesPackages() {
        QCOMPARE(QFileInfo(m_package).fileName(),
                 "tq305-clonedesk_" TQ_VERSION "_" + architecture() + ".deb");
    }

    void controlField_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("Package") << "Package"
                                 << "^tq305-clonedesk$";
        QTest::newRow("Version, the project's")
            << "Version"
            << "^" + QRegularExpression::escape(TQ_VERSION) + "$";
        QTest::newRow("Architecture") << "Architecture"
                                      << "^" + architecture() + "$";
        QTest::newRow("Section") << "Section"
                                 << "^hamradio$";
        QTest::newRow("Maintainer") << "Maintainer"
                                    << "^[^<]+ <[^@>]+@[^>]+>$";
        QTest::newRow("Description: summary and body") << "Description"
                                                       << "^[^\n]+\n .+";
        QTest::newRow("Maintainer's address, the project's") << "Maintainer"
                                                             << "@tq305-clonedesk\\.org>$";
        QTest::newRow("Homepage, the project's") << "Homepage"
                                                 << "^https://tq305-clonedesk\\.org/$";
        // Without it the printouts' Chinese would be boxes: a dependency, not a
        // recommendation that --no-install-recommends drops.
        QTest::newRow("Depends on a CJK font") << "Depends"
                                               << "(^|, )fonts-wqy-microhei(,|$)";
        // Found by dpkg-shlibdeps from what the programs link: a hand list
        // would miss one, and apt would install a program that cannot start.
        for (const char* library : {"libc6", "libstdc\\+\\+6", "libqt6core6", "libqt6gui6",
                                    "libqt6widgets6", "libqt6serialport6", "libqt6printsupport6"})
            QTest::newRow(qPrintable(QString("Depends on ") + library))
                << "Depends" << QString("(^|, )%1 \\(>= [^)]+\\)(,|$)").arg(library);
    }
    void controlField() {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        const QString value = field(name);
        QVERIFY2(QRegularExpression(pattern).match(value).hasMatch(),
                 qPrintable(name + ": " + value));
    }

    // Every file, with its mode and owner: nothing missing, nothing stray
    // (a build path, a file for /usr/local, a man page left uncompressed).
    void holdsTheseFilesAndNoOthers() {
        const CommandRun list = runCommand("dpkg-deb", {"--contents", m_package});
        QCOMPARE(list.exitCode, 0);
        QStringList files;
        for (const QString& line : list.out.split('\n'))
            if (line.startsWith('-'))
                files << line.section(' ', 0, 1, QString::SectionSkipEmpty) + ' ' +
                             line.section(' ', -1);
        files.sort();
        QStringList expected;
        for (const char* program : {"TQ305sys", "tq305", "tq305-radio"})
            expected << QString("-rwxr-xr-x root/root ./usr/bin/") + program
                     << QString("-rw-r--r-- root/root ./usr/share/man/man1/") + program + ".1.gz";
        for (const char* file :
             {"applications/" AppId ".desktop", "icons/hicolor/scalable/apps/" AppId ".svg",
              "bash-completion/completions/tq305", "bash-completion/completions/tq305-radio",
              "metainfo/" AppId ".metainfo.xml", "doc/tq305-clonedesk/copyright",
              "doc/tq305-clonedesk/changelog.gz", "doc/tq305-clonedesk/README.Debian",
              "doc/tq305-clonedesk/README.md"})
            expected << QString("-rw-r--r-- root/root ./usr/share/") + file;
        // The user guide, where the README's links lead.
        for (const char* page :
             {"backups", "command-line", "csv", "developing", "fleet", "virtual-radio", "yaml"})
            expected << QString("-rw-r--r-- root/root ./usr/share/doc/tq305-clonedesk/doc/guide/") +
                            page + ".md";
        expected << QString("-rw-r--r-- root/root ./usr/") + TQ_PRINT_MODULE_INSTALLED;
        expected.sort();
        QCOMPARE(files, expected);
    }

    void validates_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << "desktop-file-validate" << QStringList{"usr/share/applications/" AppId ".desktop"};
        QTest::newRow("AppStream entry")
            << "appstreamcli"
            << QStringList{"validate", "--no-net", "usr/share/metainfo/" AppId ".metainfo.xml"};
    }
    void validates() {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const CommandRun run = runCommand(tool, arguments, {}, m_root.path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    }

    // The copyright grants the GPL, and the software centres say so too.
    void namesTheLicence_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("copyright") << "usr/share/doc/tq305-clonedesk/copyright"
                                   << "\nFiles: \\*\n(.*\n)*License: GPL-3\\+\n";
        QTest::newRow("AppStream") << "usr/share/metainfo/" AppId ".metainfo.xml"
                                   << "<project_license>GPL-3.0-or-later</project_license>";
    }
    void namesTheLicence() {
        QFETCH(QString, file);
        QFETCH(QString, pattern);
        QFile text(m_root.filePath(file));
        QVERIFY(text.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(text.readAll()).contains(QRegularExpression(pattern)));
    }

    // man finds each page under the package's man folder, by name.
    void manFindsThePage_data() {
        QTest::addColumn<QString>("page");
        for (const char* page : {"TQ305sys", "tq305", "tq305-radio"})
            QTest::newRow(page) << QString(page);
    }
    void manFindsThePage() {
        QFETCH(QString, page);
        const CommandRun run =
            runCommand("man", {"--where", page}, {"MANPATH=" + m_root.filePath("usr/share/man")});
        QCOMPARE(run.out.trimmed(), m_root.filePath("usr/share/man/man1/" + page + ".1.gz"));
    }

    // bash-completion loads a program's completion the first time its name
    // is completed, from the file named after it.
    void bashLoadsTheCompletion_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("function");
        QTest::newRow("tq305") << "tq305"
                               << "_tq305";
        QTest::newRow("tq305-radio") << "tq305-radio"
                                     << "_tq305_radio";
    }
    void bashLoadsTheCompletion() {
        QFETCH(QString, program);
        QFETCH(QString, function);
        const CommandRun run = runCommand("bash",
                                          {"-c",
                                           "source /usr/share/bash-completion/bash_completion && "
                                           "__load_completion \"$1\" && complete -p \"$1\"",
                                           "bash", program},
                                          {"XDG_DATA_DIRS=" + m_root.filePath("usr/share"),
                                           "BASH_COMPLETION_USER_DIR=/nonexistent"});
        QCOMPARE(run.out.trimmed(), "complete -F " + function + ' ' + program);
    }
};

TQ_REGISTER_TEST(PackageTest);

#include "package_test.moc"
