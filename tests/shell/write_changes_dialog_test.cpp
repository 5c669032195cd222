// The dialog that tells what a write will change: its rows in both
// languages, the bytes it compares, its size and how it is answered.
#include "shell/write_changes_dialog.h"
#include "support/scripted_answers.h"
#include "support/table_texts.h"
#include "support/test_images.h"
#include "support/test_registry.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

namespace {} // namespace

class WriteChangesDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheChangesTheWriteSends_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("calibration");
        QTest::addColumn<int>("at");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QStringList>("firstRow");
        const QStringList none;
        QTest::newRow("nothing changes") << 1 << false << 0x704 << QByteArray("\x07")
                                         << "The write changes nothing in the radio." << none;
        QTest::newRow("a setting, English")
            << 1 << false << 0x704 << QByteArray("\x03")
            << "The write will change 1 setting in the radio:"
            << QStringList{"Optional Features / Function Set", "Squelch Level", "7", "3"};
        QTest::newRow("a setting, Chinese")
            << 0 << false << 0x704 << QByteArray("\x03") << "写频将改变对讲机中的 1 项设置："
            << QStringList{"可选功能 / 功能设置", "静噪等级", "7", "3"};
        QTest::newRow("power level without the calibration block")
            << 1 << false << 0x7F0 << QByteArray("\xC8")
            << "The write changes nothing in the radio." << none;
        QTest::newRow("power level with the calibration block")
            << 1 << true << 0x7F0 << QByteArray("\xC8")
            << "The write will change 1 setting in the radio:"
            << QStringList{"Debugging", "High Power Grades", "208", "200"};
        QTest::newRow("a block the read takes and the write does not")
            << 1 << true << 0x520 << QByteArray(16, '\0')
            << "The write changes nothing in the radio." << none;
        QTest::newRow("the last byte the write sends")
            << 0 << false << 0x7EF << QByteArray(1, '\0') << "写频将改变对讲机中的 1 项设置："
            << QStringList{"其他字节", "0x7EF", "FF", "00"};
    }
    void showsTheChangesTheWriteSends() {
        QFETCH(int, language);
        QFETCH(bool, calibration);
        QFETCH(int, at);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, count);
        QFETCH(QStringList, firstRow);
        const shell::WriteChangesDialog dialog(testImage("full_image_band0.dat"),
                                               changedImage(at, bytes), language, calibration);
        QCOMPARE(dialog.findChild<QLabel*>("LabelCount")->text(), count);
        const auto* table = dialog.findChild<QTableWidget*>("TableChanges");
        QCOMPARE(table->rowCount(), firstRow.isEmpty() ? 0 : 1);
        if (!firstRow.isEmpty())
            QCOMPARE(rowTexts(table, 0), firstRow);
    }

    void speaksTheLanguageGiven_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Chinese") << 0
                                 << QStringList{"写频将改变什么", "位置",     "设置", "对讲机现在",
                                                "写频以后",       "写频(&W)", "取消"};
        QTest::newRow("English") << 1
                                 << QStringList{"What the Write Will Change",
                                                "Place",
                                                "Setting",
                                                "Radio now",
                                                "After the write",
                                                "&Write",
                                                "Cancel"};
    }
    void speaksTheLanguageGiven() {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        const shell::WriteChangesDialog dialog(testImage("full_image_band0.dat"),
                                               changedImage(0x704, "\x03"), language, false);
        const auto* table = dialog.findChild<QTableWidget*>("TableChanges");
        QStringList shown{dialog.windowTitle()};
        for (int column = 0; column < table->columnCount(); ++column)
            shown << table->horizontalHeaderItem(column)->text();
        shown << dialog.findChild<QPushButton*>("CmdWrite")->text()
              << dialog.findChild<QPushButton*>("CmdCancel")->text();
        QCOMPARE(shown, texts);
    }

    // A few changes show whole in either language: the heading, every row
    // and every column, with no scroll bar.
    void aFewChangesShowWhole_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("Chinese") << 0;
        QTest::newRow("English") << 1;
    }
    void aFewChangesShowWhole() {
        QFETCH(int, language);
        // Over a window, as a write opens it: a band and a frequency.
        QWidget owner;
        owner.show();
        image::MemoryImage toWrite = changedImage(5 * 13, QByteArray("\x00\x25\x01\x45", 4));
        toWrite[0x704] = 0x03;
        shell::WriteChangesDialog dialog(testImage("full_image_band0.dat"), toWrite, language,
                                         false, {}, &owner);
        QCOMPARE(dialog.changeCount(), 2);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(50);
        const auto* table = dialog.findChild<QTableWidget*>("TableChanges");
        QVERIFY(!table->verticalScrollBar()->isVisible());
        QVERIFY(!table->horizontalScrollBar()->isVisible());
        QVERIFY(table->horizontalHeader()->length() <= table->viewport()->width());
        const auto* heading = dialog.findChild<QLabel*>("LabelCount");
        QVERIFY(heading->width() >= heading->sizeHint().width());
    }

    // Values the windows hold but cannot send are listed below the changes,
    // in the language given, with what is sent instead; those a write keeps
    // as they are are not.
    void namesWhatTheWriteCannotSend_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("en") << 1
                            << "No window can write these values back as they are; the write "
                               "sends instead:\nCH 99 / QT/DQT Enc: 6F.F → Off";
        QTest::newRow("zh") << 0
                            << "以下值没有窗口能原样写回，写频将改为发送：\n信道 99 / "
                               "发射亚音频：6F.F → 关闭";
    }
    void namesWhatTheWriteCannotSend() {
        QFETCH(int, language);
        QFETCH(QString, text);
        using Kind = settings::UnwritableValue::Kind;
        const settings::UnwritableValue values[] = {
            {Kind::ToneInNoTable, "channels[99].tx_tone", "6F.F"},
            {Kind::NotAFrequency, "channels[7].rx_frequency", "446.0A525"}};
        const image::MemoryImage image = testImage("full_image_band0.dat");
        shell::WriteChangesDialog dialog(image, image, language, false, values);
        dialog.show();
        const auto* label = dialog.findChild<QLabel*>("LabelUnwritable");
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), text);

        shell::WriteChangesDialog none(image, image, language, false, std::span(values + 1, 1));
        none.show();
        QVERIFY(!none.findChild<QLabel*>("LabelUnwritable")->isVisible());
    }

    // A whole image of changes stays on the screen, and its columns are not cut.
    void fitsTheScreen() {
        shell::WriteChangesDialog dialog(testImage("full_image_band0.dat"),
                                         testImage("all_ff_image_band3.dat"), 1, true);
        QVERIFY(dialog.changeCount() > 40);
        const QSize available = dialog.screen()->availableGeometry().size();
        QVERIFY(dialog.width() <= available.width() && dialog.height() <= available.height());
        const auto* table = dialog.findChild<QTableWidget*>("TableChanges");
        dialog.show();
        QVERIFY(table->horizontalHeader()->length() <= table->viewport()->width());
    }

    void isAnsweredByKeysAndClicks_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("Escape") << "Escape" << false;
        QTest::newRow("Enter") << "Enter" << true;
        QTest::newRow("Return") << "Return" << true;
        QTest::newRow("click Write") << "CmdWrite" << true;
        QTest::newRow("click Cancel") << "CmdCancel" << false;
        QTest::newRow("Enter on Cancel") << "Tab to Cancel, Enter" << false;
        QTest::newRow("close box") << "close" << false;
    }
    void isAnsweredByKeysAndClicks() {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        ScriptedAnswers script;
        script.onDialog("FrmWriteChanges", [answer](QDialog* dialog) {
            QWidget* focus = dialog->focusWidget();
            QVERIFY(focus);
            if (answer == "Escape")
                QTest::keyClick(focus, Qt::Key_Escape);
            else if (answer == "Enter")
                QTest::keyClick(focus, Qt::Key_Enter);
            else if (answer == "Return")
                QTest::keyClick(focus, Qt::Key_Return);
            else if (answer == "close")
                dialog->close();
            else if (answer.startsWith("Tab")) {
                auto* cancel = dialog->findChild<QPushButton*>("CmdCancel");
                for (int i = 0; i < 3 && dialog->focusWidget() != cancel; ++i)
                    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
                QCOMPARE(dialog->focusWidget(), cancel);
                QTest::keyClick(cancel, Qt::Key_Return);
            } else
                QTest::mouseClick(dialog->findChild<QPushButton*>(answer), Qt::LeftButton);
            // Anything still open is rejected by the script: the answer must
            // have ended the dialog itself.
            QVERIFY(!dialog->isVisible());
        });
        const bool chosen = shell::WriteChangesDialog::confirmWriteChanges(
            nullptr, testImage("full_image_band0.dat"), changedImage(0x704, "\x03"), 1, false);
        QVERIFY(script.done());
        QCOMPARE(chosen, written);
    }
};

TQ_REGISTER_TEST(WriteChangesDialogTest);
#include "write_changes_dialog_test.moc"
