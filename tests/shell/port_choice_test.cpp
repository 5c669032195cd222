// Choosing the serial port in the main window, through the real ComboCom,
// with ports that reach a pseudo-terminal or lead nowhere.
#include "editors/channel_table.h"
#include "platform/serial_port.h"
#include "shell/main_window.h"
#include "shell/parameter_file.h"
#include "shell/startup.h"
#include "support/pseudo_terminal.h"
#include "support/scripted_answers.h"
#include "support/test_ports.h"
#include "support/test_registry.h"
#include "words/program_flags.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace shell;

class PortChoiceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    // Ports 1 and 2 reach the pseudo-terminal; the others lead nowhere.
    std::unique_ptr<TestPorts> m_ports;
    std::unique_ptr<MainWindow> m_window;
    // The USB adapters plugged in, for Ports and Adapters.
    std::vector<radiolink::SerialAdapter> m_plugged;

    std::unique_ptr<MainWindow> start(int storedIndex) {
        writeComPortIndex(m_dir.path(), storedIndex);
        AppFolders folders{m_dir.path(), m_dir.path(), m_dir.filePath("settings.ini"),
                           m_ports->places()};
        folders.adapters = [this] { return m_plugged; };
        return startProgram(folders);
    }
    QComboBox* comboCom() const { return m_window->findChild<QComboBox*>("ComboCom"); }
    QString panel1() const { return m_window->findChild<QLabel*>("Panel1")->text(); }
    radiolink::SerialPort* port() const { return m_window->serialPort(); }
    void choosePort(int number) {
        m_window->findChild<QAction*>("MNCommPort")->trigger();
        QVERIFY(comboCom()->view()->isVisible());
        comboCom()->view()->setCurrentIndex(comboCom()->model()->index(number - 1, 0));
        QTest::keyClick(comboCom()->view(), Qt::Key_Return);
    }
    void setLanguage(int language) { m_window->switchLanguage(language); }
    QString ok() const { return ui::isChinese() ? "确定" : "OK"; }

  private slots:
    void init() {
        QFile::remove(m_dir.filePath("settings.ini")); // each test starts in English
        m_ports = std::make_unique<TestPorts>(m_dir.filePath("ports"), QList<int>{1, 2});
        m_window = start(0);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QVERIFY(port()->isOpen());
    }
    void cleanup() {
        ScriptedAnswers quit;
        quit.press(ok());
        m_window->close();
        m_window.reset();
        m_ports.reset();
        m_plugged.clear();
    }

    void aFailedChoiceSaysWhyAndLeavesNoPort_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("heldByAnother");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text"); // %1: the device
        QTest::newRow("en, no such device")
            << 1 << 5 << false << "Mistake"
            << "Serial port5Invalid or has already been used by other procedures, please choose "
               "other bunches of mouths or close its procedure.\n"
               "The device %1 does not exist (is the programming cable plugged in?).";
        QTest::newRow("zh, no such device")
            << 0 << 16 << false << "错误"
            << "串行端口16无效或已被其它程序使用，请选择其他串口或关闭其程序.\n"
               "设备 %1 不存在（编程线是否已插好？）。";
        QTest::newRow("en, held by another program")
            << 1 << 2 << true << "Mistake"
            << "Serial port2Invalid or has already been used by other procedures, please choose "
               "other bunches of mouths or close its procedure.\n"
               "The device %1 is in use by another program.";
    }
    void aFailedChoiceSaysWhyAndLeavesNoPort() {
        QFETCH(int, language);
        QFETCH(int, number);
        QFETCH(bool, heldByAnother);
        QFETCH(QString, title);
        QFETCH(QString, text);
        setLanguage(language);
        const radiolink::PortPlaces places = m_ports->places();
        const QString device = radiolink::portDeviceName(number, places);
        radiolink::SerialPort other;
        if (heldByAnother) {
            // Let go of port 1 first: it reaches the same pseudo-terminal.
            m_window->serialPort()->close();
            QVERIFY(other.openDevice(device));
        }

        ScriptedAnswers answers;
        answers.press(ok());
        choosePort(number);
        QVERIFY(answers.done());
        const SeenMessageBox seen = answers.box(0);
        QCOMPARE(seen.title, title);
        QCOMPARE(seen.text, text.arg(device));
        QCOMPARE(seen.icon, QMessageBox::Warning);

        QCOMPARE(comboCom()->currentIndex(), -1);
        QCOMPARE(ui::ComPortIndex, -1);
        QCOMPARE(panel1(), QString("COM: "));
        QVERIFY(!port()->isOpen());
        QVERIFY(!comboCom()->isVisible());

        // Choosing again works normally.
        other.close();
        ScriptedAnswers none;
        choosePort(1);
        QVERIFY(port()->isOpen());
        QCOMPARE(panel1(), QString("COM: 1"));
        QCOMPARE(ui::ComPortIndex, 0);
    }

    void choosingTheOpenPortReopensItQuietly() {
        ScriptedAnswers none;
        choosePort(1);
        QVERIFY(port()->isOpen());
        QCOMPARE(panel1(), QString("COM: 1"));
        port()->send(radiolink::bytesOf("PROGRAM"));
        QCOMPARE(m_ports->pty.read(7), QByteArray("PROGRAM"));
    }

    void thePortListShowsOnlyWhileInUse() {
        QVERIFY(!comboCom()->isVisible());
        m_window->findChild<QAction*>("MNCommPort")->trigger();
        QVERIFY(comboCom()->isVisible());
        QVERIFY(comboCom()->view()->isVisible());
        // Closing the entries without a choice leaves the list for a click elsewhere.
        QTest::keyClick(comboCom()->view(), Qt::Key_Escape);
        QTRY_VERIFY(!comboCom()->view()->isVisible());
        QVERIFY(comboCom()->isVisible());
        QTRY_VERIFY(comboCom()->hasFocus());
        QTest::keyClick(comboCom(), Qt::Key_Tab);
        QTRY_VERIFY(!comboCom()->isVisible());

        // After a choice it goes at once, and the editor has the focus back.
        choosePort(2);
        QVERIFY(!comboCom()->isVisible());
        QCOMPARE(panel1(), QString("COM: 2"));
        QWidget* focused = QApplication::focusWidget();
        QWidget* form = m_window->channelTable();
        QVERIFY(focused == form || form->isAncestorOf(focused));
    }

    // Each opened entry says what its number reaches, in the language in
    // force, beside the number the list keeps as its entry.
    void theOpenedListSaysWhatEachPortReaches_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("absent");
        QTest::newRow("en") << 1 << "(absent)";
        QTest::newRow("zh") << 0 << "（不存在）";
    }
    void theOpenedListSaysWhatEachPortReaches() {
        QFETCH(int, language);
        QFETCH(QString, absent);
        setLanguage(language);
        m_window->findChild<QAction*>("MNCommPort")->trigger();
        QAbstractItemView* entries = comboCom()->view();
        QVERIFY(entries->isVisible());
        const auto summary = [&](int number) {
            return comboCom()->model()->index(number - 1, 1).data().toString();
        };
        QCOMPARE(summary(1), QFileInfo(m_ports->pty.slavePath()).canonicalFilePath());
        QCOMPARE(summary(5), m_ports->places().devicePrefix + "4 " + absent);
        QCOMPARE(comboCom()->itemText(4), "5");
        // Wide enough for the summaries to be read.
        const QRect shown = entries->visualRect(comboCom()->model()->index(4, 1));
        QVERIFY(entries->viewport()->rect().contains(shown));
        QVERIFY(entries->width() > comboCom()->width());
        QTest::keyClick(entries, Qt::Key_Escape);
        QTRY_VERIFY(!entries->isVisible());
    }

    // A port bound in Ports and Adapters lets go of the device it had at once
    // and reaches its adapter from its next open on.
    void aBindingTakesEffectAtThePortsNextOpen() {
        PseudoTerminal cable;
        QVERIFY(QDir().mkpath(m_dir.filePath("by-id")));
        const QString stable = m_dir.filePath("by-id/usb-FTDI_FT232R_A1-if00-port0");
        QFile::remove(stable);
        QVERIFY(QFile::link(cable.slavePath(), stable));
        m_plugged = {{cable.slavePath(), "FTDI", "FT232R USB UART", "A1", stable}};

        ScriptedAnswers answers;
        answers.onDialog("FrmPorts", [](QDialog* dialog) {
            dialog->findChild<QTableWidget*>("TablePorts")->selectRow(0);
            auto* adapters = dialog->findChild<QComboBox*>("ComboAdapter");
            adapters->setCurrentIndex(adapters->findData("A1"));
            QTest::mouseClick(dialog->findChild<QPushButton*>("CmdBind"), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>("CmdClose"), Qt::LeftButton);
        });
        m_window->findChild<QAction*>("MNPorts")->trigger();
        QVERIFY(answers.done());
        QVERIFY(!port()->isOpen());
        QCOMPARE(panel1(), QString("COM: 1"));

        QVERIFY(m_window->reopenLostPort());
        port()->send(radiolink::bytesOf("PROGRAM"));
        QCOMPARE(cable.read(7), QByteArray("PROGRAM"));
        port()->close();
    }

    void aStoredPortThatFailsAtStartIsForgotten() {
        ScriptedAnswers answers;
        answers.press(ok()).press("OK").press("OK");
        QVERIFY(m_window->close());
        m_window = start(4);
        QCOMPARE(answers.boxes().size(), 2);
        QVERIFY(answers.box(1).text.startsWith("Serial port5Invalid"));
        QCOMPARE(panel1(), QString("COM: "));
        QCOMPARE(ui::ComPortIndex, -1);
        QVERIFY(m_window->close());
        QVERIFY(answers.done());
        QFile parameter(m_dir.filePath("parameter"));
        QVERIFY(parameter.open(QIODevice::ReadOnly));
        QCOMPARE(parameter.readAll(), QByteArray("\xff\xff", 2));
        m_window = start(0);
    }
};

TQ_REGISTER_TEST(PortChoiceTest);
#include "port_choice_test.moc"
