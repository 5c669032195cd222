// Reading and writing the radio from the real windows, against tq305-radio
// on a pseudo-terminal reached through port 3 (its link comN in the
// per-user data folder, here a temporary one).
#include "platform/history_file.h"
#include "records/write_result.h"
#include "shell/file_commands.h"
#include "support/radio_bench.h"
#include "support/test_registry.h"
#include "support/write_answers.h"

#include <QLabel>
#include <QProgressBar>
#include <QToolBar>
#include <string>
#include <vector>

namespace {

constexpr int Port = RadioBench::Port;

} // namespace

class RadioTransferTest : public QObject {
    Q_OBJECT

    RadioBench m_bench;

    shell::MainWindow& window() const { return *m_bench.program->window; }
    QWidget* frmWriting() const { return window().findChild<QWidget*>("FrmWriting"); }
    QProgressBar* progressBar() const {
        return frmWriting()->findChild<QProgressBar*>("ProgressBar1");
    }
    QString ok() const { return ui::isChinese() ? "确定" : "OK"; }

    // Starts a transfer the way `how` names: a menu item, a tool bar key, or
    // a shortcut ("Ctrl+R").
    void trigger(const QString& how) {
        if (how.startsWith("Ctrl+")) {
            QTest::keySequence(&window(), QKeySequence(how));
        } else if (how.startsWith('T')) {
            auto* bar = window().findChild<QToolBar*>("Toolbar1");
            QTest::mouseClick(bar->widgetForAction(window().findChild<QAction*>(how)),
                              Qt::LeftButton);
        } else {
            window().findChild<QAction*>(how)->trigger();
        }
    }
    bool undoOffered() const { return window().findChild<QAction*>("MNUndo")->isEnabled(); }
    // Waits until every scripted window has shown and been answered.
    void awaitAnswers(const ScriptedAnswers& answers) {
        QTRY_VERIFY_WITH_TIMEOUT(answers.done(), 20000);
    }
    void readTheRadio() {
        ScriptedAnswers answers;
        answers.press(ok());
        trigger("MNRead");
        awaitAnswers(answers);
        QCOMPARE(answers.box(0).text, QString("Reading succeeds frequently!"));
        backToTheWindow();
    }
    // After a message box: the offscreen platform does not hand the
    // activation back by itself.
    void backToTheWindow() {
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }

    // The writes the history holds, oldest first.
    static std::vector<records::Record> writesRecorded() {
        std::string error;
        std::vector<records::Record> writes;
        if (const auto history = radiolink::openHistory(error))
            for (records::Record& record : history->list())
                if (record.action == records::Action::Write)
                    writes.push_back(std::move(record));
        return writes;
    }

  private slots:
    void initTestCase() {
        // The radio makes its link where the program looks for it.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_bench.dir.filePath("data")));
    }
    void init() { ui::ForceWriteMode = ui::DebugMode = false; }
    void cleanup() {
        m_bench.finish();
        ui::ForceWriteMode = ui::DebugMode = false;
    }

    void readShowsTheRadiosChannelsAndBand_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QStringList>("texts"); // caption, label, box title, box text
        const QStringList en{"Reading……", "Reading frequently, please wait a moment.", "Suggestion",
                             "Reading succeeds frequently!"};
        QTest::newRow("menu") << 1 << "MNRead" << QStringList{} << en;
        QTest::newRow("zh, tool bar")
            << 0 << "TRead" << QStringList{}
            << QStringList{"正在读取……", "正在读频，请稍候。", "提示", "读频成功！"};
        QTest::newRow("shortcut, late handshake acknowledge")
            << 1 << "Ctrl+R" << QStringList{"--late-ack"} << en;
        QTest::newRow("noise before the acknowledgements")
            << 1 << "MNRead" << QStringList{"--stray-bytes"} << en;
    }
    void readShowsTheRadiosChannelsAndBand() {
        QFETCH(int, language);
        QFETCH(QString, how);
        QFETCH(QStringList, faults);
        QFETCH(QStringList, texts);
        m_bench.start(QStringList{testData("full_image_band0.dat")} + faults, language);
        QCOMPARE(m_bench.program->bandList()->currentIndex(), 3);
        m_bench.program->enterFrequency(5, 1, "440");
        QTRY_VERIFY(undoOffered());

        ScriptedAnswers answers;
        answers.press(ok());
        trigger(how);
        QVERIFY(frmWriting()->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), frmWriting());
        QCOMPARE(frmWriting()->windowTitle(), texts[0]);
        QCOMPARE(frmWriting()->findChild<QLabel*>("Label1")->text(), texts[1]);
        QCOMPARE(progressBar()->minimum(), 1);
        QCOMPARE(progressBar()->maximum(), 100);
        // Its close box does not stop the transfer.
        frmWriting()->close();
        QVERIFY(frmWriting()->isVisible());

        awaitAnswers(answers);
        const SeenMessageBox seen = answers.box(0);
        QCOMPARE(seen.title, texts[2]);
        QCOMPARE(seen.text, texts[3]);
        QCOMPARE(seen.icon, QMessageBox::Information);
        QVERIFY(!frmWriting()->isVisible());
        QCOMPARE(progressBar()->value(), 100);

        // The radio's band, without a question, and its channels.
        QCOMPARE(m_bench.program->bandList()->currentIndex(), 0);
        QCOMPARE(m_bench.program->cell(1, 1), QString("438.50000"));
        QCOMPARE(m_bench.program->cell(3, 2), QString("445.01250"));
        QCOMPARE(m_bench.program->cell(99, 1), QString("479.99375"));
        QVERIFY(!undoOffered()); // the read starts a history of its own
        const files::DatFile radio = loadDat(testData("full_image_band0.dat"));
        const image::MemoryImage& read = window().ReceiveImage;
        QVERIFY(sameBytes(read, radio.image, 0x000, 0x530));
        QVERIFY(sameBytes(read, radio.image, 0x700, 0x7F0));
        QCOMPARE(read[0x7F0], radio.image[0x7F0]);
        QCOMPARE(read[0x7F2], radio.image[0x7F2]);
    }

    void writeStoresAnEditInTheRadio_data() {
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("readFirst");
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("how");
        QTest::newRow("after a read")
            << "full_image_band0.dat" << true << QStringList{} << false << "MNWrite";
        QTest::newRow("late handshake acknowledge")
            << "full_image_band0.dat" << true << QStringList{"--late-ack"} << false << "Ctrl+W";
        // Noise that reads "06" across a byte boundary is no acknowledgement:
        // a write that took it for one would leave holes in the radio.
        QTest::newRow("noise before the acknowledgements")
            << "all_ff_image_band3.dat" << false << QStringList{"--stray-bytes"} << false
            << "TWrite";
        // A radio takes the calibration block only in its service mode.
        QTest::newRow("DebugMode: the calibration block too")
            << "all_ff_image_band3.dat" << false << QStringList{"--calibration-mode"} << true
            << "MNWrite";
    }
    void writeStoresAnEditInTheRadio() {
        QFETCH(QString, image);
        QFETCH(bool, readFirst);
        QFETCH(QStringList, faults);
        QFETCH(bool, debug);
        QFETCH(QString, how);
        m_bench.start(QStringList{testData(image)} + faults);
        if (readFirst)
            readTheRadio();
        m_bench.program->enterFrequency(4, 1, readFirst ? "150.125" : "450.125");
        ui::DebugMode = debug;

        ScriptedAnswers answers;
        answerChanges(answers).press("OK");
        trigger(how);
        QCOMPARE(frmWriting()->windowTitle(), QString("Writing……"));
        awaitAnswers(answers);
        const SeenMessageBox seen = answers.box(0);
        QCOMPARE(seen.title, QString("Suggestion"));
        QCOMPARE(seen.text, QString("Writing succeeds, and the radio was verified!"));
        QCOMPARE(progressBar()->value(), 100);

        QTRY_VERIFY(QFile::exists(m_bench.savedPath()));
        const files::DatFile saved = loadDat(m_bench.savedPath());
        QCOMPARE(saved.band.value_or(-1), readFirst ? 0 : 3);
        const image::MemoryImage& sent = window().TransmitImage;
        QVERIFY(sameBytes(saved.image, sent, 0x000, 0x520));
        QVERIFY(sameBytes(saved.image, sent, 0x700, 0x7F0));
        // Channel 4's receive frequency in BCD, lowest digits first.
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&saved.image[3 * 13]), 4),
                 readFirst ? QByteArray("\x00\x25\x01\x15", 4) : QByteArray("\x00\x25\x01\x45", 4));
        const files::DatFile before = loadDat(testData(image));
        if (debug) {
            QVERIFY(!sameBytes(before.image, sent, 0x7F0, 0x800));
            QVERIFY(sameBytes(saved.image, sent, 0x7F0, 0x800));
        } else {
            QVERIFY(sameBytes(saved.image, before.image, 0x7F0, 0x800));
        }
    }

    void aRadioOfAnotherBand_data() {
        QTest::addColumn<bool>("forceWrite");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("refused") << false << "OK" << false;
        QTest::newRow("forced, cancelled") << true << "Cancel" << false;
        QTest::newRow("forced") << true << "OK" << true;
    }
    void aRadioOfAnotherBand() {
        QFETCH(bool, forceWrite);
        QFETCH(QString, answer);
        QFETCH(bool, written);
        m_bench.start({testData("all_ff_image_band3.dat"), "--band", "5"});
        m_bench.program->enterFrequency(1, 1, "438.5");
        ui::ForceWriteMode = forceWrite;

        // The success box of a forced write may open while the question's
        // answer is still being waited for: both are armed first.
        ScriptedAnswers answers;
        answers.press(answer);
        if (written)
            answerChanges(answers).press("OK");
        trigger("MNWrite");
        awaitAnswers(answers);
        const SeenMessageBox seen = answers.box(0);
        if (forceWrite) {
            QCOMPARE(seen.title, QString("Be careful"));
            QCOMPARE(seen.text, QString("The frequency band is not accorded with, whether write "
                                        "into by force?"));
            QCOMPARE(seen.icon, QMessageBox::Question);
            QCOMPARE(seen.defaultButton, QString("Cancel"));
        } else {
            QCOMPARE(seen.title, QString("Mistake"));
            QCOMPARE(seen.text,
                     QString("The frequency band is not accorded with, can't write into!"));
            QCOMPARE(seen.icon, QMessageBox::Warning);
        }
        if (written) {
            QCOMPARE(answers.box(1).text, QString("Writing succeeds, and the radio was verified!"));
            QTRY_VERIFY(QFile::exists(m_bench.savedPath()));
            QCOMPARE(loadDat(m_bench.savedPath()).band.value_or(-1), 5);
        } else {
            QTest::qWait(300); // a late box would show here and fail the test
            QCOMPARE(answers.boxes().size(), 1);
            QVERIFY(!QFile::exists(m_bench.savedPath()));
        }
        QVERIFY(!frmWriting()->isVisible());
        QVERIFY(!window().transferRunning());
        QCOMPARE(m_bench.program->bandList()->currentIndex(), 3);
    }

    void aFaultEndsInTheCommunicationError_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        const QString lost = "Communication error, check the line and the serial connection "
                             "selection!";
        // A write's backup read that breaks off: nothing is written.
        const QString noBackup = "Communication error while reading the radio's backup before "
                                 "writing: nothing was written!\nCheck the line and the serial "
                                 "connection selection.";
        // A write that sent nothing says so.
        const QString beforeWriting = "Communication error before writing: nothing was written!\n"
                                      "Check the line and the serial connection selection.";
        QTest::newRow("silent radio, read") << QStringList{"--silent"} << "MNRead" << lost;
        QTest::newRow("silent radio, write")
            << QStringList{"--silent"} << "MNWrite" << beforeWriting;
        QTest::newRow("another product") << QStringList{"--product", "TQ-306"} << "MNRead" << lost;
        QTest::newRow("stalls at block 40 of the backup")
            << QStringList{"--stall-at", "40"} << "MNWrite" << noBackup;
        QTest::newRow("hangs up at block 5 of a read")
            << QStringList{"--hang-up-at", "5"} << "MNRead" << lost;
        // The radio's band comes with its ident, long before the read fails.
        QTest::newRow("a radio of another band stalls at block 20 of a read")
            << QStringList{"--band", "5", "--stall-at", "20"} << "MNRead" << lost;
        QTest::newRow("the ident's acknowledgement unanswered")
            << QStringList{"--no-ident-ack"} << "MNRead" << lost;
        QTest::newRow("block 7 does not start with W")
            << QStringList{"--band", "5", "--corrupt-block", "7"} << "MNRead" << lost;
        QTest::newRow("block 30 a byte short")
            << QStringList{"--short-block", "30"} << "MNRead" << lost;
        QTest::newRow("block 60 a byte long")
            << QStringList{"--long-block", "60"} << "MNRead" << lost;
        QTest::newRow("block 12 from another address")
            << QStringList{"--wrong-address", "12"} << "MNRead" << lost;
        QTest::newRow("the calibration block damaged, the very last")
            << QStringList{"--band", "5", "--corrupt-block", "99"} << "MNRead" << lost;
        QTest::newRow("block 3 refused with a NAK, read")
            << QStringList{"--nak-at", "3"} << "MNRead" << lost;
        QTest::newRow("block 3 of the backup refused with a NAK")
            << QStringList{"--nak-at", "3"} << "MNWrite" << noBackup;
    }
    void aFaultEndsInTheCommunicationError() {
        QFETCH(QStringList, faults);
        QFETCH(QString, how);
        QFETCH(QString, text);
        m_bench.start(QStringList{testData("all_ff_image_band3.dat")} + faults);
        m_bench.program->enterFrequency(2, 1, "440");
        window().EncodeImage();
        const image::MemoryImage editorsBefore = window().TransmitImage;
        const std::size_t recordsBefore = writesRecorded().size();

        ScriptedAnswers answers;
        answers.press("OK");
        trigger(how);
        awaitAnswers(answers);
        // A write that reached a radio is recorded as it ended, one that
        // wrote nothing too.
        const std::vector<records::Record> writes = writesRecorded();
        QCOMPARE(writes.size(), recordsBefore + (how == "MNWrite" ? 1 : 0));
        if (how == "MNWrite")
            QVERIFY2(!records::isStartedResult(writes.back().result), writes.back().result.c_str());
        const SeenMessageBox seen = answers.box(0);
        QCOMPARE(seen.title, QString("Mistake"));
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QVERIFY(!QFile::exists(m_bench.savedPath())); // no block reached the radio
        QVERIFY(!frmWriting()->isVisible());
        QVERIFY(!window().transferRunning());

        // Nothing of a failed read reaches the editors, the band neither.
        window().EncodeImage();
        QVERIFY(window().TransmitImage == editorsBefore);
        QCOMPARE(m_bench.program->cell(2, 1), QString("440.00000"));
        QVERIFY(undoOffered()); // nor does it touch the history
        QCOMPARE(m_bench.program->bandList()->currentIndex(), 3);
        QCOMPARE(m_bench.program->band().BandLow, 400);
        QCOMPARE(m_bench.program->band().BandHigh, 480);
        backToTheWindow();
        m_bench.program->enterFrequency(3, 1, "470"); // outside band 5, inside band 3
        QCOMPARE(m_bench.program->cell(3, 1), QString("470.00000"));
        const QString file = m_bench.dir.filePath("after.dat");
        QVERIFY(window().fileCommands().saveFile(file) == files::FileError::None);
        QCOMPARE(loadDat(file).band.value_or(-1), 3);
    }

    // A line lost in a transfer (the radio hung up, the cable was pulled)
    // leaves the port closed; the next transfer opens the chosen port again.
    // With nothing behind it the port error says so and the choice stays,
    // so the transfer after a cable plugged back in works.
    void aLostLineIsOpenedAgainForTheNextTransfer_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("success");
        QTest::newRow("read") << "MNRead"
                              << "Reading succeeds frequently!";
        QTest::newRow("write") << "TWrite"
                               << "Writing succeeds, and the radio was verified!";
    }
    void aLostLineIsOpenedAgainForTheNextTransfer() {
        QFETCH(QString, how);
        QFETCH(QString, success);
        m_bench.start({testData("all_ff_image_band3.dat"), "--hang-up-at", "5"});
        ScriptedAnswers answers;
        answers.press("OK").press("OK");
        if (how == "TWrite")
            answerChanges(answers);
        answers.press("OK");
        trigger("MNRead");
        QTRY_COMPARE_WITH_TIMEOUT(answers.boxes().size(), 1, 20000);
        QVERIFY(answers.box(0).text.startsWith("Communication error"));
        QVERIFY(!window().serialPort()->isOpen());
        QCOMPARE(m_bench.radio->waitForExit(), 3); // its link goes with it
        const QString device = radiolink::portDeviceName(Port, m_bench.places());

        trigger(how);
        const SeenMessageBox portError = answers.box(1);
        QCOMPARE(portError.title, QString("Mistake"));
        QVERIFY2(portError.text.startsWith("Serial port3Invalid") &&
                     portError.text.contains(device),
                 qPrintable(portError.text));
        QCOMPARE(portError.icon, QMessageBox::Warning);
        QVERIFY(!frmWriting()->isVisible());
        QVERIFY(!window().transferRunning());
        QCOMPARE(window().findChild<QLabel*>("Panel1")->text(), QString("COM: 3"));
        QCOMPARE(ui::ComPortIndex, Port - 1);

        m_bench.startRadio({testData("full_image_band0.dat"), "--band", "3"});
        backToTheWindow();
        m_bench.program->enterFrequency(4, 1, "450.125");
        trigger(how);
        awaitAnswers(answers);
        QCOMPARE(answers.box(2).text, success);
        QVERIFY(window().serialPort()->isOpen());
        if (how == "MNRead") {
            QCOMPARE(m_bench.program->cell(1, 1), QString("438.50000"));
        } else {
            QTRY_VERIFY(QFile::exists(m_bench.savedPath()));
            QCOMPARE(
                QByteArray(
                    reinterpret_cast<const char*>(&loadDat(m_bench.savedPath()).image[3 * 13]), 4),
                QByteArray("\x00\x25\x01\x45", 4));
        }
    }

    // Without a port chosen (the one stored failed at start) nothing is
    // opened: the transfer says the port is invalid.
    void withoutAPortChosenTheTransferSaysSo_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("read") << "MNRead";
        QTest::newRow("write") << "MNWrite";
    }
    void withoutAPortChosenTheTransferSaysSo() {
        QFETCH(QString, how);
        ScriptedAnswers answers;
        answers.press("OK").press("OK");
        m_bench.program =
            std::make_unique<ProgramFixture>(1, m_bench.places(), Port); // no radio: no link
        QVERIFY(answers.box(0).text.startsWith("Serial port3Invalid"));
        QCOMPARE(ui::ComPortIndex, -1);

        trigger(how);
        QVERIFY(answers.done());
        QCOMPARE(answers.box(1).title, QString("TQ-305 CloneDesk"));
        QCOMPARE(answers.box(1).text, QString("The serial port is invalid"));
        QCOMPARE(answers.box(1).icon, QMessageBox::NoIcon);
        QVERIFY(!frmWriting()->isVisible());
        QVERIFY(!window().serialPort()->isOpen());
    }
};

TQ_REGISTER_TEST(RadioTransferTest);
#include "radio_transfer_test.moc"
