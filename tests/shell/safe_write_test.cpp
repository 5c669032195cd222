// The program's write from the real windows against tq305-radio: the backup
// kept before it, the read that verifies it, a write that stops part-way,
// and Cancel in the progress window.
#include "files/backup_store.h"
#include "image/image_decoder.h"
#include "platform/history_file.h"
#include "settings/setting_values.h"
#include "shell/batch_write_window.h"
#include "shell/parameter_file.h"
#include "shell/settings_store.h"
#include "support/radio_bench.h"
#include "support/test_registry.h"
#include "support/write_answers.h"

#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

namespace {

// What the radio holds when the tests start: channels in band 0, reported
// as band 3 so that the program's band list (3) matches it.
const QString RadioImage = "full_image_band0.dat";

QStringList datFiles(const QString& folder) {
    return QDir(folder).entryList({"*.dat"}, QDir::Files);
}

} // namespace

class SafeWriteTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    RadioBench m_bench;

    shell::MainWindow& window() const { return *m_bench.program->window; }
    ProgramFixture& program() const { return *m_bench.program; }
    QString backups() const { return program().dir.filePath("backups"); }
    QWidget* frmWriting() const { return window().findChild<QWidget*>("FrmWriting"); }
    int progress() const { return frmWriting()->findChild<QProgressBar*>("ProgressBar1")->value(); }
    QString ok() const { return ui::isChinese() ? "确定" : "OK"; }
    QString cancel() const { return ui::isChinese() ? "取消" : "Cancel"; }
    void trigger(const char* item) { window().findChild<QAction*>(item)->trigger(); }
    void setOption(const char* item, bool on) {
        QAction* action = window().findChild<QAction*>(item);
        if (action->isChecked() != on)
            action->trigger();
    }
    image::MemoryImage editorImage() const {
        window().EncodeImage();
        return window().TransmitImage;
    }
    // After a message box: the offscreen platform does not hand the
    // activation back by itself.
    void backToTheWindow() {
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }
    QString savedPath(int port) const { return m_home.filePath(QString("saved%1.dat").arg(port)); }
    void await(const ScriptedAnswers& answers) { QTRY_VERIFY_WITH_TIMEOUT(answers.done(), 20000); }
    // Reads the radio into the editors and ReceiveImage.
    void readTheRadio() {
        ScriptedAnswers answers;
        answers.press(ok());
        trigger("MNRead");
        await(answers);
        backToTheWindow();
    }
    // The partial-write window: its text is checked, then `button` clicked.
    static void choose(ScriptedAnswers& answers, const QString& button, QString* text = nullptr,
                       bool* restoreOffered = nullptr) {
        answers.onDialog("FrmPartialWrite", [=](QDialog* dialog) {
            if (text)
                *text = dialog->findChild<QLabel*>("Label1")->text();
            if (restoreOffered)
                *restoreOffered = !dialog->findChild<QPushButton*>("RestoreButton")->isHidden();
            QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        });
    }

    // The varied setting's column: after the fixed ones.
    static constexpr int OwnCodeColumn = 6;
    static QStringList column(const QTableWidget& grid, int column) {
        QStringList texts;
        for (int row = 0; row < grid.rowCount(); ++row)
            texts << grid.item(row, column)->text();
        return texts;
    }
    // Types over a row's own code as a user does: the text, then Enter.
    static void typeInto(QTableWidget& grid, int row, const QString& text) {
        grid.editItem(grid.item(row, OwnCodeColumn));
        auto* editor = grid.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate hands the text on once the event loop runs.
        QTRY_COMPARE(grid.item(row, OwnCodeColumn)->text(), text);
    }
    // The own code each port's radio holds; empty for a radio never written.
    QStringList ownCodes(const QList<int>& ports) const {
        const settings::Setting& ownCode = *settings::findKey("dtmf.own_code")->setting;
        QStringList codes;
        for (int port : ports) {
            image::MemoryImage memory{};
            if (QFile::exists(savedPath(port)))
                loadDat(savedPath(port)).copyInto(memory);
            codes << (QFile::exists(savedPath(port))
                          ? QString::fromStdString(settings::textOf(
                                ownCode, settings::shownValues(image::decodeImage(memory), 3)))
                          : QString());
        }
        return codes;
    }

  private slots:
    void initTestCase() {
        // The radio makes its link where the program looks for it.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("data")));
    }
    void init() { ui::ForceWriteMode = ui::DebugMode = false; }
    void cleanup() { m_bench.finish(); }

    void aWriteKeepsWhatTheRadioHeld_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("backupFirst");
        QTest::addColumn<bool>("verifyAfter");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString verified = "Writing succeeds, and the radio was verified!";
        QTest::newRow("backup and verify") << 1 << true << true << "Suggestion" << verified;
        QTest::newRow("zh") << 0 << true << true << "提示"
                            << "写频成功，校验无误！";
        QTest::newRow("no backup") << 1 << false << true << "Suggestion" << verified;
        QTest::newRow("no verify") << 1 << true << false << "Suggestion"
                                   << "Writing succeeds: written, not verified (Verify after "
                                      "Writing is off).";
        QTest::newRow("zh, no verify") << 0 << true << false << "提示"
                                       << "写频成功：已写入，未校验（写频后校验已关闭）。";
    }
    void aWriteKeepsWhatTheRadioHeld() {
        QFETCH(int, language);
        QFETCH(bool, backupFirst);
        QFETCH(bool, verifyAfter);
        QFETCH(QString, title);
        QFETCH(QString, text);
        m_bench.start({testData(RadioImage), "--band", "3"}, language);
        setOption("MNBackupFirst", backupFirst);
        setOption("MNVerifyAfter", verifyAfter);
        program().enterFrequency(4, 1, "450.125");
        const image::MemoryImage editors = editorImage();

        ScriptedAnswers answers;
        if (backupFirst)
            answerChanges(answers);
        answers.press(ok());
        trigger("MNWrite");
        await(answers);
        QCOMPARE(answers.box(0).title, title);
        QCOMPARE(answers.box(0).text, text);
        QVERIFY(!frmWriting()->isVisible());

        // The radio has the editors' image; the editors never saw its old one.
        QVERIFY(editorImage() == editors);
        QCOMPARE(program().cell(4, 1), QString("450.12500"));
        QTRY_VERIFY(QFile::exists(m_bench.savedPath()));
        QVERIFY(sameBytes(loadDat(m_bench.savedPath()).image, editors, 0x000, 0x520));

        const QStringList kept = datFiles(backups());
        QCOMPARE(kept.size(), backupFirst ? 1 : 0);
        if (backupFirst) {
            QVERIFY2(kept[0].endsWith("_port3_band3.dat"), qPrintable(kept[0]));
            const files::DatFile backup = loadDat(QDir(backups()).filePath(kept[0]));
            QCOMPARE(backup.band.value_or(-1), 3);
            QVERIFY(sameAsRead(backup.image, loadDat(testData(RadioImage)).image));
        }
    }

    // Both options are on at first and kept in the settings store.
    void theWriteOptionsAreKept() {
        QTemporaryDir dir;
        const shell::AppFolders folders = shell::scratchFolders(dir.path());
        auto closeWindow = [](shell::MainWindow& w) {
            ScriptedAnswers quit;
            quit.press("OK");
            w.close();
        };
        auto first = shell::startProgram(folders);
        QAction* backup = first->findChild<QAction*>("MNBackupFirst");
        QVERIFY(backup->isChecked());
        QVERIFY(first->findChild<QAction*>("MNVerifyAfter")->isChecked());
        QCOMPARE(backup->text(), QString("Back Up before Writing(&K)"));
        backup->trigger();
        closeWindow(*first);
        first.reset();

        auto second = shell::startProgram(folders);
        QVERIFY(!second->findChild<QAction*>("MNBackupFirst")->isChecked());
        QVERIFY(second->findChild<QAction*>("MNVerifyAfter")->isChecked());
        closeWindow(*second);
        QCOMPARE(shell::loadWriteOptions(folders.settingsFile).backupFirst, false);
    }

    void verifyNamesTheBlocksTheRadioHoldsOtherwise_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("text");
        const QString en = "Writing verification failed! The radio holds other bytes than were "
                           "written in the blocks at:\n";
        QTest::newRow("the first block") << 1 << "1" << en + "0x000";
        QTest::newRow("the first block after the gap") << 1 << "83" << en + "0x700";
        QTest::newRow("zh, the last block")
            << 0 << "97"
            << "写频校验失败！对讲机中以下数据块与写入的不同：\n0x7E0";
    }
    void verifyNamesTheBlocksTheRadioHoldsOtherwise() {
        QFETCH(int, language);
        QFETCH(QString, block);
        QFETCH(QString, text);
        m_bench.start({testData("all_ff_image_band3.dat"), "--change-block", block}, language);

        ScriptedAnswers answers;
        answerChanges(answers).press(ok());
        trigger("MNWrite");
        await(answers);
        QCOMPARE(answers.box(0).text, text);
        QCOMPARE(answers.box(0).icon, QMessageBox::Critical);
    }

    // The radio stops answering at the 50th block of the write (0x310), in
    // that transfer only: the backup before it, a write after it and the
    // read that checks the radio afterwards go through.
    void aWriteThatStopsPartWay_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("backupFirst");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("radioHolds"); // "mix", "new" or "old"
        const QString en = "The write stopped: the radio stopped answering (line lost, or the "
                           "radio switched off?).\nThe radio now holds a mix of old and new "
                           "memory.\nIt reached the block at 0x310 (block 50 of 97).";
        QTest::newRow("close") << 1 << true << "CloseButton" << en << "mix";
        QTest::newRow("write again") << 1 << true << "WriteAgainButton" << en << "new";
        QTest::newRow("no backup, nothing to restore")
            << 1 << false << "WriteAgainButton" << en << "new";
        QTest::newRow("zh, restore the backup")
            << 0 << true << "RestoreButton"
            << "写频中断：对讲机停止应答（连线断开或对讲机已关机？）。\n对讲机中现在"
               "是新旧混合的数据。\n写入到地址 0x310 的数据块（第 50 块，共 97 "
               "块）。"
            << "old";
        // A row named "refused": the radio answers that block with a NAK instead.
        QTest::newRow("refused, close")
            << 1 << true << "CloseButton"
            << "The write stopped: the radio refused a block (it answered NAK).\nThe radio now "
               "holds a mix of old and new memory.\nIt reached the block at 0x310 (block 50 of "
               "97)."
            << "mix";
    }
    void aWriteThatStopsPartWay() {
        QFETCH(int, language);
        QFETCH(bool, backupFirst);
        QFETCH(QString, choice);
        QFETCH(QString, text);
        QFETCH(QString, radioHolds);
        // Without a backup the write is the radio's first transfer.
        const bool refused = QString(QTest::currentDataTag()).startsWith("refused");
        m_bench.start({testData(RadioImage), "--band", "3", refused ? "--nak-at" : "--stall-at",
                       "50", "--fault-in-transfer", backupFirst ? "2" : "1"},
                      language);
        setOption("MNBackupFirst", backupFirst);
        program().enterFrequency(4, 1, "450.125");
        const image::MemoryImage editors = editorImage();

        ScriptedAnswers answers;
        if (backupFirst)
            answerChanges(answers);
        QString shown;
        bool restoreOffered = false;
        choose(answers, choice, &shown, &restoreOffered);
        if (choice != "CloseButton")
            answers.press(ok());
        trigger("MNWrite");
        QTRY_VERIFY_WITH_TIMEOUT(answers.done(), 30000);
        QCOMPARE(shown, text);
        QCOMPARE(restoreOffered, backupFirst);
        if (choice == "WriteAgainButton")
            QCOMPARE(answers.box(0).text, QString("Writing succeeds, and the radio was verified!"));
        if (choice == "RestoreButton")
            QVERIFY2(answers.box(0).text.startsWith("已用备份 ") &&
                         answers.box(0).text.endsWith("_port3_band3.dat 恢复对讲机，校验无误！"),
                     qPrintable(answers.box(0).text));
        QVERIFY(!frmWriting()->isVisible());
        QVERIFY(editorImage() == editors);
        backToTheWindow();

        readTheRadio();
        const image::MemoryImage& radio = window().ReceiveImage;
        const auto old = loadDat(testData(RadioImage)).image;
        if (radioHolds == "old") {
            QVERIFY(sameAsRead(radio, old));
        } else if (radioHolds == "new") {
            QVERIFY(sameBytes(radio, editors, 0x000, 0x520) &&
                    sameBytes(radio, editors, 0x700, 0x7F0));
        } else {
            // The 49 blocks the radio acknowledged are new, from 0x310 on it is old.
            QVERIFY(sameBytes(radio, editors, 0x000, 0x310));
            QVERIFY(sameBytes(radio, old, 0x310, 0x530) && sameBytes(radio, old, 0x700, 0x7F0));
            QVERIFY(!sameBytes(editors, old, 0x000, 0x310));
        }
    }

    // The line is lost in the middle of the write (the radio hangs up at
    // its 50th block) and a radio comes back on the same port: the partial
    // window opens the port again, as Read and Write do, and runs what was
    // chosen from the start.
    void recoveryAfterALostLine_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("radioHolds"); // "old" or "new"
        QTest::newRow("restore the backup") << "RestoreButton"
                                            << "old";
        QTest::newRow("write again") << "WriteAgainButton"
                                     << "new";
    }
    void recoveryAfterALostLine() {
        QFETCH(QString, choice);
        QFETCH(QString, radioHolds);
        m_bench.start({testData(RadioImage), "--band", "3", "--hang-up-at", "50",
                       "--fault-in-transfer", "2"});
        program().enterFrequency(4, 1, "450.125");
        const image::MemoryImage editors = editorImage();

        ScriptedAnswers answers;
        answerChanges(answers);
        QString shown;
        answers.onDialog("FrmPartialWrite", [&](QDialog* dialog) {
            shown = dialog->findChild<QLabel*>("Label1")->text();
            QCOMPARE(m_bench.radio->waitForExit(), 3); // its link went with it
            QVERIFY(!window().serialPort()->isOpen());
            // Back on port 3, with other memory than before.
            QFile::remove(m_bench.savedPath());
            m_bench.startRadio({testData("all_ff_image_band3.dat")});
            QTest::mouseClick(dialog->findChild<QPushButton*>(choice), Qt::LeftButton);
        });
        answers.press(ok());
        trigger("MNWrite");
        QTRY_VERIFY_WITH_TIMEOUT(answers.done(), 30000);
        QVERIFY2(shown.contains("(block 50 of 97)"), qPrintable(shown));
        const QString done = answers.boxes().last().text;
        if (radioHolds == "old")
            QVERIFY2(QRegularExpression("^The radio was restored from the backup "
                                        "\\S+_port3_band3\\.dat, and verified!$")
                         .match(done)
                         .hasMatch(),
                     qPrintable(done));
        else
            QCOMPARE(done, QString("Writing succeeds, and the radio was verified!"));
        QVERIFY(window().serialPort()->isOpen());
        QTRY_VERIFY(QFile::exists(m_bench.savedPath()));
        const auto radio = loadDat(m_bench.savedPath()).image;
        if (radioHolds == "old")
            QVERIFY(sameBytes(radio, loadDat(testData(RadioImage)).image, 0x000, 0x520));
        else
            QVERIFY(sameBytes(radio, editors, 0x000, 0x520));
    }

    // File > Backups... or History... > Restore...: the backup picked goes
    // back to the radio on the port picked, through the safe write (a backup
    // of what the radio holds now, the changes, the verify), the end names
    // it, and the history keeps it as a restore. A radio on another port
    // than the program's is restored there, and the program keeps its port.
    void restoreFromABackupWindow_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("port");
        QTest::newRow("backups") << "MNBackups"
                                 << "FrmBackups" << 3;
        QTest::newRow("history") << "MNHistory"
                                 << "FrmHistory" << 3;
        QTest::newRow("history, another port") << "MNHistory"
                                               << "FrmHistory" << 5;
    }
    void restoreFromABackupWindow() {
        QFETCH(QString, menu);
        QFETCH(QString, dialog);
        QFETCH(int, port);
        m_bench.start({testData("all_ff_image_band3.dat")});
        std::unique_ptr<VirtualRadio> other;
        if (port != RadioBench::Port)
            other = std::make_unique<VirtualRadio>(
                QStringList{testData("all_ff_image_band3.dat"), "--band", "3", "--fast", "--com",
                            QString::number(port), "--save", savedPath(port)});
        const QString radioSaves = other ? savedPath(port) : m_bench.savedPath();
        const QString programsDevice = window().serialPort()->deviceName();
        image::MemoryImage old{};
        loadDat(testData(RadioImage)).copyInto(old);
        const files::BackupSaved kept =
            files::BackupStore(QFile::encodeName(backups()).toStdString())
                .add(old, 3, "port" + std::to_string(port), 1796670900);
        QVERIFY(kept.ok());
        const QString name = QFileInfo(QString::fromStdString(kept.path)).fileName();
        std::string error;
        if (menu == "MNHistory") {
            records::Record written;
            written.at = std::time(nullptr);
            written.port = "port " + std::to_string(port);
            written.backup = kept.path;
            QVERIFY(radiolink::openHistory(error)->add(written));
        }
        ScriptedAnswers answers;
        bool stayedOpen = false;
        answers.onDialog(dialog, [name, &stayedOpen](QDialog* dialog) {
            // The history holds the other runs' radios too.
            if (auto* filter = dialog->findChild<QLineEdit*>("TextFilter"))
                QTest::keyClicks(filter, name);
            QTest::mouseClick(dialog->findChild<QPushButton*>("CmdRestore"), Qt::LeftButton);
            // The window the restore was started from is still there.
            stayedOpen = dialog->isVisible();
        });
        QString asked;
        answers.onDialog("FrmRestorePort", [&](QDialog* dialog) {
            auto* input = static_cast<QInputDialog*>(dialog);
            asked = input->labelText();
            QCOMPARE(input->textValue(), QString::number(port)); // the port it came from
            input->accept();
        });
        answerChanges(answers).press(ok());
        trigger(menu.toLatin1().constData());
        QTRY_VERIFY_WITH_TIMEOUT(answers.done(), 30000);
        QCOMPARE(asked, "Write the backup " + name + " to the radio on port:");
        QVERIFY(stayedOpen);
        QCOMPARE(answers.boxes().last().text,
                 "The radio was restored from the backup " + name + ", and verified!");
        QTRY_VERIFY(QFile::exists(radioSaves));
        QVERIFY(sameBytes(loadDat(radioSaves).image, loadDat(testData(RadioImage)).image, 0x000,
                          0x520));
        // The radio's memory before the restore was kept too.
        QCOMPARE(datFiles(backups()).size(), 2);
        const records::Record restored = radiolink::openHistory(error)->list().back();
        QCOMPARE(restored.action, records::Action::Restore);
        QCOMPARE(restored.result, "verified");
        QCOMPARE(restored.port, "port " + std::to_string(port));
        QCOMPARE(restored.file, kept.path);
        // The program's own port stays chosen, saved and open.
        QCOMPARE(window().chosenPortNumber(), RadioBench::Port);
        QCOMPARE(shell::readComPortIndex(program().dir.path()), RadioBench::Port - 1);
        QVERIFY(window().serialPort()->isOpen());
        QCOMPARE(window().serialPort()->deviceName(), programsDevice);
    }

    // A backup folder that cannot be written is told before the radio is
    // read, which here would stall: nothing reaches the radio.
    void anUnusableBackupFolderIsToldFirst() {
        m_bench.start({testData(RadioImage), "--band", "3", "--stall-at", "10"});
        QFile blocker(backups());
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder goes
        blocker.close();
        ScriptedAnswers answers;
        answers.press(ok());
        trigger("MNWrite");
        QVERIFY(answers.done());
        QVERIFY2(answers.box(0).text.startsWith("The radio's backup cannot be saved:\n" +
                                                backups() + "\n"),
                 qPrintable(answers.box(0).text));
        QVERIFY(!window().transferRunning());
        QVERIFY(!frmWriting()->isVisible());
        QFile::remove(backups());
    }

    // Cancel in the middle of the write asks first; stopping leaves a mix,
    // which Restore replaces with the backup, without touching the editors.
    void cancelDuringAWrite_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("stop, then restore") << "Stop Writing";
        QTest::newRow("go on") << "Go On Writing";
    }
    void cancelDuringAWrite() {
        QFETCH(QString, answer);
        const bool stop = answer == "Stop Writing";
        m_bench.startRadio({testData(RadioImage), "--band", "3", "--answer-delay", "4"});
        m_bench.program = std::make_unique<ProgramFixture>(1, m_bench.places(), RadioBench::Port);
        program().enterFrequency(4, 1, "450.125");
        const image::MemoryImage editors = editorImage();

        ScriptedAnswers answers;
        answerChanges(answers);
        // Nothing moves while the question is open, however long it is.
        int progressAsked = -1, progressAnswered = -2;
        answers.onDialog("QMessageBox", [&](QDialog* question) {
            progressAsked = progress();
            QTest::qWait(1500);
            progressAnswered = progress();
            for (QAbstractButton* button : static_cast<QMessageBox*>(question)->buttons())
                if (button->text() == answer)
                    button->click();
        });
        QString shown;
        if (stop) {
            choose(answers, "RestoreButton", &shown);
            answers.press("OK");
        } else {
            answers.press("OK");
        }
        trigger("MNWrite");
        // Past the backup's share of the bar: the write has begun.
        QTRY_VERIFY_WITH_TIMEOUT(progress() > 40, 20000);
        QTest::mouseClick(frmWriting()->findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
        await(answers);
        QCOMPARE(answers.box(0).text,
                 QString("Stop writing now?\nThe radio will hold a mix of old and new memory."));
        // The buttons say which way each goes; going on is the default.
        QCOMPARE(answers.box(0).defaultButton, QString("Go On Writing"));
        QCOMPARE(progressAnswered, progressAsked);
        const QString done = answers.boxes().last().text;
        if (stop)
            QVERIFY2(done.startsWith("The radio was restored from the backup "), qPrintable(done));
        else
            QCOMPARE(done, QString("Writing succeeds, and the radio was verified!"));
        if (stop)
            QVERIFY2(shown.contains("the write was cancelled."), qPrintable(shown));
        QVERIFY(editorImage() == editors);
        backToTheWindow();

        readTheRadio();
        const image::MemoryImage& radio = window().ReceiveImage;
        if (stop)
            QVERIFY(sameAsRead(radio, loadDat(testData(RadioImage)).image));
        else
            QVERIFY(sameBytes(radio, editors, 0x000, 0x520) &&
                    sameBytes(radio, editors, 0x700, 0x7F0));
    }

    // A read cancelled from the progress window: the editors stay as they
    // were, nothing is said, and the radio answers the next read.
    void cancelDuringARead_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelDuringARead() {
        QFETCH(bool, escape);
        m_bench.startRadio({testData(RadioImage), "--band", "3", "--answer-delay", "4"});
        m_bench.program = std::make_unique<ProgramFixture>(1, m_bench.places(), RadioBench::Port);
        program().enterFrequency(2, 1, "440");
        const image::MemoryImage editors = editorImage();

        {
            ScriptedAnswers none; // any box fails the test
            trigger("MNRead");
            QTRY_VERIFY_WITH_TIMEOUT(progress() > 20, 20000);
            if (escape)
                QTest::keyClick(frmWriting(), Qt::Key_Escape);
            else
                QTest::mouseClick(frmWriting()->findChild<QPushButton*>("CancelButton"),
                                  Qt::LeftButton);
            QVERIFY(!window().transferRunning());
            QVERIFY(!frmWriting()->isVisible());
            QTest::qWait(300);
        }
        QVERIFY(editorImage() == editors);
        QCOMPARE(program().cell(2, 1), QString("440.00000"));
        backToTheWindow();
        readTheRadio();
        QCOMPARE(program().cell(1, 1), QString("438.50000"));
    }

    // Four radios at once; the one on port 6 is set to another band and is
    // refused while the others are written and verified.
    void batchWrite_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QString>("summary");
        QTest::newRow("en") << 1
                            << QStringList{"verified", "verified", "verified",
                                           "refused: band mismatch"}
                            << "3 of 4 radios verified";
        QTest::newRow("zh") << 0 << QStringList{"已校验", "已校验", "已校验", "拒绝：频段不符"}
                            << "4 台中 3 台已校验";
    }
    void batchWrite() {
        QFETCH(int, language);
        QFETCH(QStringList, results);
        QFETCH(QString, summary);
        const QList<int> ports{3, 4, 5, 6};
        // The codes an earlier row gave would be asked about: a history of
        // this row's own.
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(radiolink::historyFile() + suffix);
        std::vector<std::unique_ptr<VirtualRadio>> radios;
        for (int port : ports)
            radios.push_back(std::make_unique<VirtualRadio>(
                QStringList{testData("all_ff_image_band3.dat"), "--band", port == 6 ? "5" : "3",
                            "--fast", "--com", QString::number(port), "--save", savedPath(port)}));
        m_bench.program =
            std::make_unique<ProgramFixture>(language, m_bench.places(), RadioBench::Port);
        program().enterFrequency(4, 1, "450.125");

        trigger("MNBatchWrite");
        auto* batch = window().findChild<shell::BatchWriteWindow*>("FrmBatchWrite");
        QVERIFY(batch && batch->isVisible());
        // It lets the main window's port go: port 3 is free for it.
        QVERIFY(!window().serialPort()->isOpen());
        auto* list = batch->findChild<QListWidget*>("PortList");
        QCOMPARE(list->count(), 16);
        for (int port : ports)
            list->item(port - 1)->setCheckState(Qt::Checked);
        // Each radio its own code, shown before the write; a code typed over
        // one that DTMF cannot send keeps Write off until it is mended.
        auto* grid = batch->findChild<QTableWidget*>("Grid1");
        auto* write = batch->findChild<QPushButton*>("WriteButton");
        QTest::keyClicks(batch->findChild<QLineEdit*>("TextValues"), "dtmf.own_code=1001+");
        QCOMPARE(column(*grid, OwnCodeColumn), QStringList({"1001", "1002", "1003", "1004"}));
        typeInto(*grid, 1, "12E4");
        // A value typed over uses none of the counter's: the rows below
        // count on, passing over a value typed into another row.
        QCOMPARE(column(*grid, OwnCodeColumn), QStringList({"1001", "12E4", "1002", "1003"}));
        QVERIFY(!write->isEnabled());
        QVERIFY(batch->findChild<QLabel*>("Label2")->text().contains("12E4 is refused") ||
                batch->findChild<QLabel*>("Label2")->text().contains("12E4 不被接受"));
        typeInto(*grid, 1, "1002");
        QCOMPARE(column(*grid, OwnCodeColumn), QStringList({"1001", "1002", "1003", "1004"}));
        QVERIFY(write->isEnabled());
        auto* close = batch->findChild<QPushButton*>("CloseButton");
        QTest::mouseClick(write, Qt::LeftButton);
        QVERIFY(batch->running());
        QVERIFY(!close->isEnabled());
        {
            ScriptedAnswers goOn; // Escape asks; the second button lets them go on
            goOn.press(ui::isChinese() ? "继续写频" : "Go On Writing");
            QTest::keyClick(batch, Qt::Key_Escape);
            QVERIFY(goOn.done());
            QVERIFY(batch->isVisible());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!batch->running(), 30000);

        QCOMPARE(grid->rowCount(), 4);
        for (int row = 0; row < 4; ++row) {
            QCOMPARE(grid->item(row, 0)->text(), QString::number(ports[row]));
            QCOMPARE(grid->item(row, 1)->text(), QString(row == 3 ? "450-470MHz" : "400-480MHz"));
            QCOMPARE(grid->item(row, 3)->text(), results[row]);
            // The tooltip holds all of it, and the window made room for it.
            QVERIFY(grid->item(row, 3)->toolTip().startsWith(results[row]));
            QVERIFY(grid->columnWidth(3) >= grid->fontMetrics().horizontalAdvance(results[row]));
            QVERIFY(!grid->item(row, 4)->text().isEmpty());
            // Full once written, empty for the radio that holds what it held.
            QCOMPARE(static_cast<QProgressBar*>(grid->cellWidget(row, 2))->value(),
                     row == 3 ? 0 : 100);
        }
        QCOMPARE(batch->findChild<QLabel*>("Label2")->text(), summary);
        for (int port : ports) {
            QCOMPARE(QFile::exists(savedPath(port)), port != 6);
            if (port != 6)
                QCOMPARE(
                    QByteArray(
                        reinterpret_cast<const char*>(&loadDat(savedPath(port)).image[3 * 13]), 4),
                    QByteArray("\x00\x25\x01\x45", 4));
        }
        QCOMPARE(datFiles(backups()).size(), 4);
        QCOMPARE(ownCodes(ports), QStringList({"1001", "1002", "1003", ""}));
        QVERIFY(grid->item(0, 3)->toolTip().contains("dtmf.own_code=1001"));

        // After a set with a failed radio, Enter writes it again with its own
        // value, and the others stay as they ended.
        auto* retry = batch->findChild<QPushButton*>("RetryButton");
        auto* next = batch->findChild<QPushButton*>("NextButton");
        QCOMPARE(batch->focusWidget(), retry);
        QVERIFY(retry->isDefault() && !next->isDefault());
        QTest::keyClick(batch->focusWidget(), Qt::Key_Return);
        QVERIFY(batch->running());
        QTRY_VERIFY_WITH_TIMEOUT(!batch->running(), 30000);
        QCOMPARE(column(*grid, OwnCodeColumn), QStringList({"1001", "1002", "1003", "1004"}));
        QCOMPARE(column(*grid, 3), results);
        QVERIFY(grid->item(3, 3)->toolTip().contains("dtmf.own_code=1004"));
        QCOMPARE(datFiles(backups()).size(), 5);

        // The next radios on the same ports, the count going on.
        QTest::mouseClick(next, Qt::LeftButton);
        QVERIFY(batch->running());
        QTRY_VERIFY_WITH_TIMEOUT(!batch->running(), 30000);
        QCOMPARE(column(*grid, OwnCodeColumn), QStringList({"1005", "1006", "1007", "1008"}));
        QCOMPARE(column(*grid, 3), results);
        QCOMPARE(ownCodes(ports), QStringList({"1005", "1006", "1007", ""}));
        // The history holds the nine writes, the refused radio's twice.
        std::string error;
        const std::vector<records::Record> history = radiolink::openHistory(error)->list();
        QStringList recorded;
        for (const records::Record& record : history)
            recorded << QString::fromStdString(record.values.at(0).second);
        recorded.sort();
        QCOMPARE(recorded, QStringList({"1001", "1002", "1003", "1004", "1004", "1005", "1006",
                                        "1007", "1008"}));

        // The same pattern typed anew: the codes given are named and asked
        // about, and Cancel writes nothing.
        auto* values = batch->findChild<QLineEdit*>("TextValues");
        values->clear();
        QTest::keyClicks(values, "dtmf.own_code=1001+");
        QCOMPARE(column(*grid, OwnCodeColumn), QStringList({"1001", "1002", "1003", "1004"}));
        {
            ScriptedAnswers given;
            given.press(cancel());
            QTest::mouseClick(write, Qt::LeftButton);
            QVERIFY(given.done());
            const QString asked = given.box(0).text;
            QVERIFY2(asked.contains("dtmf.own_code=1001") && asked.contains("port 3"),
                     qPrintable(asked));
        }
        QVERIFY(!batch->running());
        QCOMPARE(ownCodes(ports), QStringList({"1005", "1006", "1007", ""}));

        QVERIFY(close->isEnabled());
        QTest::mouseClick(close, Qt::LeftButton);
        QTRY_VERIFY(window().findChild<shell::BatchWriteWindow*>("FrmBatchWrite") == nullptr);
        QVERIFY(window().serialPort()->isOpen());
    }
};

TQ_REGISTER_TEST(SafeWriteTest);
#include "safe_write_test.moc"
