#include "editors/channel_table.h"
#include "shell/main_window.h"
#include "shell/settings_store.h"
#include "shell/startup.h"
#include "support/scripted_answers.h"
#include "support/test_ports.h"
#include "support/test_registry.h"
#include "words/message_box.h"
#include "words/program_flags.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

using namespace shell;
using namespace ui;

class ShellTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TestPorts m_ports{m_dir.filePath("ports")};
    AppFolders folders() const {
        return {m_dir.path(), m_dir.path(), m_dir.filePath("settings.ini"), m_ports.places()};
    }
    QString parameterPath() const { return m_dir.filePath("parameter"); }
    QByteArray parameterBytes() const {
        QFile f(parameterPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
    }
    void writeParameter(const QByteArray& bytes) {
        QFile f(parameterPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QString panel1(MainWindow& w) { return w.findChild<QLabel*>("Panel1")->text(); }
    // The band bar's list; editor windows have lists named Combo1 too.
    QComboBox* bandList(MainWindow& w) {
        return w.findChild<QToolBar*>("CoolBar1")->findChild<QComboBox*>("Combo1");
    }
    // Chooses a port as the user does: the menu command, then the entry.
    void choosePort(MainWindow& w, int number) {
        w.findChild<QAction*>("MNCommPort")->trigger();
        auto* list = w.findChild<QComboBox*>("ComboCom");
        QVERIFY(list->view()->isVisible());
        list->view()->setCurrentIndex(list->model()->index(number - 1, 0));
        QTest::keyClick(list->view(), Qt::Key_Return);
    }
    QString menuTitle(MainWindow& w, const char* name) {
        return w.findChild<QMenu*>(name)->title();
    }

    // Closes the window answering the quit question with `caption`.
    bool closeAnswering(MainWindow& w, const QString& caption, SeenMessageBox* seen = nullptr) {
        ScriptedAnswers answers;
        answers.press(caption);
        const bool closed = w.close();
        if (seen)
            *seen = answers.box(0);
        return closed;
    }

  private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        QFile::remove(parameterPath());
        QFile::remove(folders().settingsFile);
    }

    // At start the first channel's receive frequency has the keys: typed
    // as a user types, key by key into whatever has the focus, a frequency
    // and Enter fill channel 1 with no click first.
    void typingAtStartFillsChannelOne() {
        auto w = startProgram(folders());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        for (const char c : QByteArray("440.5")) {
            QVERIFY(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), c);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const auto* form = w->findChild<editors::ChannelTable*>("Form1");
        QCOMPARE(form->cellText(1, editors::ChannelTable::RxCol), QString("440.50000"));
        QCOMPARE(form->cellText(1, editors::ChannelTable::TxCol), QString("440.50000"));
        QVERIFY(closeAnswering(*w, "OK"));
    }

    void firstRunIsEnglishOnPortOneAndCreatesTheParameterFile() {
        auto w = startProgram(folders());
        QCOMPARE(UILanguage, 1);
        QCOMPARE(ComPortIndex, 0);
        QCOMPARE(panel1(*w), QString("COM: 1"));
        QVERIFY(QFile::exists(parameterPath()));
        QCOMPARE(parameterBytes(), QByteArray());
        QCOMPARE(menuTitle(*w, "MNFile"), QString("File(&F)"));
        QCOMPARE(w->windowTitle(), QString("TQ-305 CloneDesk"));
        QVERIFY(!w->findChild<QTimer*>("TimerW")->isActive());
        QCOMPARE(w->findChild<QTimer*>("TimerMeg")->interval(), 500);
        QVERIFY(std::all_of(w->ReceiveImage.begin(), w->ReceiveImage.end(),
                            [](auto b) { return b == 0; }));
        // The keys go to the first channel's cell at once, no Tab needed.
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        auto* grid = w->findChild<QTableWidget*>("Grid1");
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->currentRow(), 0); // channel 1's receive frequency
        QCOMPARE(grid->currentColumn(), 1);
        QVERIFY(closeAnswering(*w, "OK"));
    }

    void storedLanguage_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("fileMenu");
        QTest::newRow("binary 0") << QVariant(QByteArray("\0\0\0\0", 4)) << 0 << "文件(&F)";
        QTest::newRow("binary 1") << QVariant(QByteArray("\1\0\0\0", 4)) << 1 << "File(&F)";
        QTest::newRow("text 0") << QVariant(QString("0")) << 0 << "文件(&F)";
        QTest::newRow("text 0 then NUL")
            << QVariant(QString("0") + QChar(0) + "9") << 0 << "文件(&F)";
        QTest::newRow("text 16 ends in hex 0") << QVariant(QString("16")) << 0 << "文件(&F)";
        QTest::newRow("text 2 means English") << QVariant(QString("2")) << 1 << "File(&F)";
        QTest::newRow("not a number") << QVariant(QString("zh")) << 1 << "File(&F)";
        QTest::newRow("one byte only") << QVariant(QByteArray("\0", 1)) << 1 << "File(&F)";
        QTest::newRow("other type") << QVariant(3.5) << 1 << "File(&F)";
    }
    void storedLanguage() {
        QFETCH(QVariant, stored);
        QFETCH(int, language);
        QFETCH(QString, fileMenu);
        {
            QSettings s(folders().settingsFile, QSettings::IniFormat);
            s.setValue("MZ7T/BinaryValue", stored);
        }
        auto w = startProgram(folders());
        QCOMPARE(UILanguage, language);
        QCOMPARE(menuTitle(*w, "MNFile"), fileMenu);
        QVERIFY(closeAnswering(*w, language == 0 ? "确定" : "OK"));
    }

    void storedPort_data() {
        QTest::addColumn<QByteArray>("parameter");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QByteArray>("storedAtExit");
        QTest::newRow("port 4") << QByteArray("\x03\x00", 2) << "COM: 4"
                                << QByteArray("\x03\x00", 2);
        QTest::newRow("port 16") << QByteArray("\x0f", 1) << "COM: 16" << QByteArray("\x0f\x00", 2);
        QTest::newRow("stored -1 selects none")
            << QByteArray("\xff\xff", 2) << "COM: " << QByteArray("\xff\x00", 2);
        QTest::newRow("index 16 selects none")
            << QByteArray("\x10", 1) << "COM: " << QByteArray("\x10\x00", 2);
        QTest::newRow("later bytes kept")
            << QByteArray("\x01\x00\x77", 3) << "COM: 2" << QByteArray("\x01\x00\x77", 3);
    }
    void storedPort() {
        QFETCH(QByteArray, parameter);
        QFETCH(QString, panel);
        QFETCH(QByteArray, storedAtExit);
        writeParameter(parameter);
        auto w = startProgram(folders());
        QCOMPARE(panel1(*w), panel);
        QVERIFY(closeAnswering(*w, "OK"));
        QCOMPARE(parameterBytes(), storedAtExit);
    }

    void choosingAPortIsRememberedAtExit() {
        auto w = startProgram(folders());
        choosePort(*w, 6);
        QCOMPARE(panel1(*w), QString("COM: 6"));
        QVERIFY(closeAnswering(*w, "OK"));
        QCOMPARE(parameterBytes(), QByteArray("\x05\x00", 2));
    }

    // Installed where the program's folder cannot be written: the choice goes
    // to the per-user folder the start-up chose, and comes back from there.
    void anInstalledProgramKeepsItsPortInTheUserFolder() {
        AppFolders installed = folders();
        installed.programFolder = m_dir.filePath("bin");
        installed.parameterFolder = m_dir.filePath("user");
        QVERIFY(QDir().mkpath(installed.programFolder) && QDir().mkpath(installed.parameterFolder));
        {
            auto w = startProgram(installed);
            choosePort(*w, 4);
            QVERIFY(closeAnswering(*w, "OK"));
        }
        QVERIFY(!QFile::exists(installed.programFolder + "/parameter"));
        auto again = startProgram(installed);
        QCOMPARE(panel1(*again), QString("COM: 4"));
        QVERIFY(closeAnswering(*again, "OK"));
    }

    void quitCancelKeepsTheWindowAndStoresNothing() {
        auto w = startProgram(folders());
        SeenMessageBox seen;
        QVERIFY(!closeAnswering(*w, "Cancel", &seen));
        QCOMPARE(seen.title, QString("Be careful"));
        QCOMPARE(seen.text, QString("Confirm that withdraws from a procedure?\r\n"
                                    "Lose all in change not kept!"));
        QCOMPARE(seen.defaultButton, QString("Cancel"));
        QVERIFY(w->isVisible());
        QVERIFY(
            !QSettings(folders().settingsFile, QSettings::IniFormat).contains("MZ7T/BinaryValue"));
        QVERIFY(closeAnswering(*w, "OK"));
    }

    void quitFromTheMenuAsksToo() {
        auto w = startProgram(folders());
        ScriptedAnswers answers;
        answers.press("Cancel");
        w->findChild<QAction*>("MNQuit")->trigger();
        QVERIFY(answers.done());
        QVERIFY(w->isVisible());
        QVERIFY(closeAnswering(*w, "OK"));
    }

    void quitOkStoresLanguageAndPortForTheNextStart() {
        {
            auto w = startProgram(folders());
            w->findChild<QAction*>("MNChinese")->trigger();
            QCOMPARE(menuTitle(*w, "MNFile"), QString("文件(&F)"));
            choosePort(*w, 3);
            SeenMessageBox seen;
            QVERIFY(closeAnswering(*w, "确定", &seen));
            QCOMPARE(seen.title, QString("注意"));
        }
        QCOMPARE(SettingsStore(folders().settingsFile).GetRegValue("MZ7T", "BinaryValue"),
                 QString("0"));
        QCOMPARE(QSettings(folders().settingsFile, QSettings::IniFormat)
                     .value("MZ7T/BinaryValue")
                     .toByteArray(),
                 QByteArray("\0\0\0\0", 4));
        auto again = startProgram(folders());
        QCOMPARE(UILanguage, 0);
        QCOMPARE(panel1(*again), QString("COM: 3"));
        QVERIFY(closeAnswering(*again, "确定"));
    }

    void messageBoxButtons_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("icon");
        const QStringList zhOkCancel{"确定", "取消"};
        const QStringList enOkCancel{"OK", "Cancel"};
        QTest::newRow("zh question OK")
            << 0 << 4385 << "确定" << zhOkCancel << 1 << int(QMessageBox::Question);
        QTest::newRow("zh question Cancel")
            << 0 << 4385 << "取消" << zhOkCancel << 2 << int(QMessageBox::Question);
        QTest::newRow("en question OK")
            << 1 << 4385 << "OK" << enOkCancel << 1 << int(QMessageBox::Question);
        QTest::newRow("en question Cancel")
            << 1 << 4385 << "Cancel" << enOkCancel << 2 << int(QMessageBox::Question);
        QTest::newRow("plain OK") << 1 << 0 << "OK" << QStringList{"OK"} << 1
                                  << int(QMessageBox::NoIcon);
        QTest::newRow("stop") << 0 << 16 << "确定" << QStringList{"确定"} << 1
                              << int(QMessageBox::Critical);
        QTest::newRow("exclamation")
            << 1 << 48 << "OK" << QStringList{"OK"} << 1 << int(QMessageBox::Warning);
        QTest::newRow("information")
            << 0 << 64 << "确定" << QStringList{"确定"} << 1 << int(QMessageBox::Information);
        QTest::newRow("zh yes/no/cancel: no")
            << 0 << 3 << "否" << QStringList{"是", "否", "取消"} << 7 << int(QMessageBox::NoIcon);
        QTest::newRow("zh abort/retry/ignore")
            << 0 << 2 << "忽略" << QStringList{"放弃", "重试", "忽略"} << 5
            << int(QMessageBox::NoIcon);
        QTest::newRow("en retry/cancel")
            << 1 << 5 << "Retry" << QStringList{"Retry", "Cancel"} << 4 << int(QMessageBox::NoIcon);
        QTest::newRow("en yes/no: yes")
            << 1 << 4 << "Yes" << QStringList{"Yes", "No"} << 6 << int(QMessageBox::NoIcon);
    }
    void messageBoxButtons() {
        QFETCH(int, language);
        QFETCH(int, style);
        QFETCH(QString, press);
        QFETCH(QStringList, captions);
        QFETCH(int, result);
        QFETCH(int, icon);
        UILanguage = language;
        ScriptedAnswers answers;
        answers.press(press);
        QCOMPARE(LocalizedMsgBox("text", style, "title"), result);
        QStringList shown = answers.box(0).buttons;
        shown.sort();
        captions.sort();
        QCOMPARE(shown, captions);
        QCOMPARE(int(answers.box(0).icon), icon);
    }

    void emptyTitleBecomesTheApplicationTitle() {
        ScriptedAnswers answers;
        answers.press("OK");
        UILanguage = 1;
        LocalizedMsgBox("x", 0, QString());
        QCOMPARE(answers.box(0).title, QString("TQ-305 CloneDesk"));
    }

    void wheelNeverChangesTheBand() {
        auto w = startProgram(folders());
        auto* band = bandList(*w);
        band->addItems({"a", "b", "c"});
        band->setCurrentIndex(1);
        QWheelEvent wheel(QPointF(5, 5), band->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(band, &wheel);
        QCOMPARE(band->currentIndex(), 1);
        QVERIFY(closeAnswering(*w, "OK"));
    }

    // The editors lay out their Chinese without the CJK font until shown;
    // once shown, their texts must fall back to it, or they draw as boxes.
    void editorsDrawChineseOnceShown_data() {
        QTest::addColumn<QString>("form");
        for (const char* form : {"Form2", "Form3", "Form5"})
            QTest::newRow(form) << QString(form);
    }
    void editorsDrawChineseOnceShown() {
        QFETCH(QString, form);
        auto w = startProgram(folders());
        auto* sub = w->findChild<QWidget*>(form + "Window");
        auto* editor = w->findChild<QWidget*>(form);
        QVERIFY(sub && editor);
        sub->show();
        for (const QWidget* shown : {sub, editor, static_cast<QWidget*>(editor->findChild<QLabel*>())})
            QVERIFY2(!(shown->font().styleStrategy() & QFont::NoFontMerging),
                     qPrintable(shown->objectName()));
        QVERIFY(closeAnswering(*w, "OK"));
    }

    void languageSwitchMovesTheBandSelector() {
        auto w = startProgram(folders());
        auto* band = bandList(*w);
        QCOMPARE(band->x(), 1085 / 15);
        w->findChild<QAction*>("MNChinese")->trigger();
        QCOMPARE(band->x(), 585 / 15);
        // The progress window's own Label1 does not take the band bar's text.
        QCOMPARE(w->findChild<QToolBar*>("CoolBar1")->findChild<QLabel*>("Label1")->text(),
                 QString("频段"));
        QCOMPARE(w->findChild<QAction*>("TRead")->toolTip(), QString("读频"));
        QCOMPARE(w->findChild<QAction*>("MNAbout")->text(), QString("帮助(&H)"));
        QVERIFY(!w->findChild<QAction*>("MNDTMF")->isVisible());
        QCOMPARE(w->findChild<QAction*>("MNDTMF")->text(), QString("DTMF(双音多频)(&D)"));
        QVERIFY(closeAnswering(*w, "确定"));
    }
};

TQ_REGISTER_TEST(ShellTest);
#include "test_shell.moc"
