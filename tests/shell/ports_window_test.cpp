// FrmPorts with a stand-in for the adapters plugged in and a ports folder
// of its own: what each port number reaches, and binding a port to an
// adapter's serial number so the number reaches that adapter wherever it
// comes up.
#include "shell/ports_window.h"
#include "support/scripted_answers.h"
#include "support/table_texts.h"
#include "support/test_registry.h"
#include "words/program_flags.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

class PortsWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::vector<radiolink::SerialAdapter> m_plugged;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString device(int index) const { return path(QString("dev/ttyUSB%1").arg(index)); }
    radiolink::PortPlaces places() const { return {path("ports"), path("dev/ttyUSB")}; }

    // ttyUSB`index` comes up; an adapter with a serial number gets its by-id name.
    void plug(int index, const QString& maker, const QString& product, const QString& serial) {
        QFile file(device(index));
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (maker.isEmpty())
            return; // a serial port that is not a USB adapter
        const QString stable = path("by-id/usb-" + maker + "_" + serial + "-if00");
        QVERIFY(QFile::link(device(index), stable));
        m_plugged.push_back({device(index), maker, product, serial, stable});
    }

    struct Window {
        std::unique_ptr<shell::PortsWindow> window;
        QTableWidget* table;
        QComboBox* adapters;
        QPushButton* button(const char* name) const {
            return window->findChild<QPushButton*>(name);
        }
    };
    Window open(int language) {
        auto window = std::make_unique<shell::PortsWindow>(
            places(), [this] { return m_plugged; }, language);
        auto* table = window->findChild<QTableWidget*>("TablePorts");
        auto* adapters = window->findChild<QComboBox*>("ComboAdapter");
        return {std::move(window), table, adapters};
    }

  private slots:
    // Port 1 reaches an FTDI adapter, 2 a Prolific one, 3 a serial port of
    // the machine's own; 4 and up lead nowhere.
    void init() {
        m_plugged.clear();
        for (const char* folder : {"ports", "dev", "by-id"}) {
            QDir(path(folder)).removeRecursively();
            QVERIFY(QDir().mkpath(path(folder)));
        }
        plug(0, "FTDI", "FT232R USB UART", "A10K3Z");
        plug(1, "Prolific", "PL2303", "X7");
        plug(2, "", "", "");
    }

    void showsWhatEachPortReaches_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("absent");
        QTest::addColumn<QString>("serial");
        QTest::newRow("Chinese") << 0 << "端口与适配器" << QStringList{"端口", "设备",   "制造商",
                                                                       "产品", "序列号", "已绑定"}
                                 << "（不存在）"
                                 << "序列号";
        QTest::newRow("English") << 1 << "Ports and Adapters"
                                 << QStringList{"Port",    "Device",        "Maker",
                                                "Product", "Serial number", "Bound"}
                                 << "(absent)"
                                 << "serial";
    }
    void showsWhatEachPortReaches() {
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QStringList, titles);
        QFETCH(QString, absent);
        QFETCH(QString, serial);
        const Window w = open(language);
        QCOMPARE(w.window->windowTitle(), caption);
        QStringList shownTitles;
        for (int column = 0; column < w.table->columnCount(); ++column)
            shownTitles << w.table->horizontalHeaderItem(column)->text();
        QCOMPARE(shownTitles, titles);

        QCOMPARE(w.table->rowCount(), radiolink::PortCount);
        QCOMPARE(rowTexts(w.table, 0),
                 (QStringList{"1", device(0), "FTDI", "FT232R USB UART", "A10K3Z", ""}));
        QCOMPARE(rowTexts(w.table, 2), (QStringList{"3", device(2), "", "", "", ""}));
        QCOMPARE(rowTexts(w.table, 15),
                 (QStringList{"16", device(15) + " " + absent, "", "", "", ""}));
        // Every port in view at once.
        QVERIFY(w.table->minimumHeight() >= w.table->verticalHeader()->length());

        // The adapters to bind to, by maker, product and serial number.
        QCOMPARE(w.adapters->count(), 2);
        QCOMPARE(w.adapters->itemText(1), "Prolific PL2303, " + serial + " X7 (" + device(1) + ")");
        // The first row is picked; its adapter is offered; it is not bound.
        QCOMPARE(w.window->chosenPort(), 1);
        QCOMPARE(w.adapters->currentData().toString(), "A10K3Z");
        QVERIFY(w.button("CmdBind")->isEnabled());
        QVERIFY(!w.button("CmdUnbind")->isEnabled());

        // One plugged in later shows at Refresh, in full.
        plug(4, "Silicon Labs", "CP2102 USB to UART Bridge Controller", "0001");
        QTest::mouseClick(w.button("CmdRefresh"), Qt::LeftButton);
        QCOMPARE(rowTexts(w.table, 4),
                 (QStringList{"5", device(4), "Silicon Labs",
                              "CP2102 USB to UART Bridge Controller", "0001", ""}));
        QVERIFY(w.table->columnWidth(3) >=
                w.table->fontMetrics().horizontalAdvance("CP2102 USB to UART Bridge Controller"));
        // The window makes room for the wider columns rather than hide the last.
        int columns = 0;
        for (int column = 0; column < w.table->columnCount() - 1; ++column)
            columns += w.table->columnWidth(column);
        QVERIFY(w.table->minimumWidth() > columns);
        QCOMPARE(w.adapters->count(), 3);
        QCOMPARE(w.adapters->currentData().toString(), "A10K3Z");
    }

    // Bind makes the port's number reach the adapter chosen, whichever
    // device it comes up as; Unbind gives the number back its own device.
    void bindsAndUnbinds_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("bound");
        QTest::newRow("port 3 to the Prolific") << 1 << 3 << "X7"
                                                << "yes";
        QTest::newRow("Chinese, port 16 to the FTDI") << 0 << 16 << "A10K3Z"
                                                      << "是";
    }
    void bindsAndUnbinds() {
        QFETCH(int, language);
        QFETCH(int, port);
        QFETCH(QString, serial);
        QFETCH(QString, bound);
        const Window w = open(language);
        QSignalSpy changed(w.window.get(), &shell::PortsWindow::bindingChanged);
        const QString ownDevice = radiolink::portDeviceName(port, places());
        const int row = port - 1;
        w.table->selectRow(row);
        w.adapters->setCurrentIndex(w.adapters->findData(serial));
        const radiolink::SerialAdapter adapter = m_plugged[std::size_t(w.adapters->currentIndex())];

        ScriptedAnswers none;
        QTest::mouseClick(w.button("CmdBind"), Qt::LeftButton);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), port);
        QCOMPARE(QFileInfo(radiolink::portDeviceName(port, places())).canonicalFilePath(),
                 adapter.device);
        QCOMPARE(rowTexts(w.table, row),
                 (QStringList{QString::number(port), adapter.device, adapter.maker, adapter.product,
                              serial, bound}));
        QCOMPARE(w.window->chosenPort(), port);
        QVERIFY(w.button("CmdUnbind")->isEnabled());

        QTest::mouseClick(w.button("CmdUnbind"), Qt::LeftButton);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(radiolink::portDeviceName(port, places()), ownDevice);
        QCOMPARE(w.table->item(row, 5)->text(), "");
        QVERIFY(!w.button("CmdUnbind")->isEnabled());
    }

    // A refused binding says why in the language in force; the port stays
    // as it was.
    void aRefusedBindingSaysWhy_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text"); // %1 the adapter's device
        QTest::newRow("English")
            << 1
            << "The binding of port 2 was not changed.\nThe adapter %1 has no name in "
               "/dev/serial/by-id, so it cannot be bound by its serial number.";
        QTest::newRow("Chinese") << 0
                                 << "端口2的绑定未被更改。\n适配器 %1 在 /dev/serial/by-id "
                                    "中没有名称，无法按序列号绑定。";
    }
    void aRefusedBindingSaysWhy() {
        QFETCH(int, language);
        QFETCH(QString, text);
        ui::UILanguage = language;
        m_plugged.front().stableName.clear();
        const Window w = open(language);
        QSignalSpy changed(w.window.get(), &shell::PortsWindow::bindingChanged);
        w.table->selectRow(1);
        w.adapters->setCurrentIndex(w.adapters->findData("A10K3Z"));
        ScriptedAnswers answers;
        answers.press(language == 0 ? "确定" : "OK");
        QTest::mouseClick(w.button("CmdBind"), Qt::LeftButton);
        QVERIFY(answers.done());
        QCOMPARE(answers.box(0).text, text.arg(device(0)));
        QVERIFY(changed.isEmpty());
        QVERIFY(!QFileInfo(path("ports/com2")).isSymLink());
        QCOMPARE(w.table->item(1, 1)->text(), device(1));
        ui::UILanguage = 1;
    }
};

TQ_REGISTER_TEST(PortsWindowTest);
#include "ports_window_test.moc"
