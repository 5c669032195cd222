#include "image/image_decoder.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"

#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QWheelEvent>
#include <vector>

namespace {

constexpr int Rx = 1, Tx = 2, RxTone = 3, TxTone = 4, Power = 5, Band = 8;

// Channel n's cells 1..8 as shown.
QStringList rowTexts(const ProgramFixture& p, int n) {
    QStringList texts;
    for (int col = Rx; col <= Band; ++col)
        texts << p.cell(n, col);
    return texts;
}

std::array<int, 6> listIndexes(const ProgramFixture& p, int n) {
    std::array<int, 6> positions{};
    for (int col = RxTone; col <= Band; ++col)
        positions[static_cast<size_t>(col - RxTone)] = p.tables().ChannelListIndex(n, col);
    return positions;
}

void wheel(QWidget* target, int notches) {
    QWheelEvent event(QPointF(20, 20), target->mapToGlobal(QPointF(20, 20)), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(target, &event);
}

} // namespace

class ChannelTableTest : public QObject {
    Q_OBJECT

  private slots:
    void bandEdgesAndRaster_data() {
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: refused with the message
        QTest::newRow("low edge") << 0 << "136"
                                  << "136.00000";
        QTest::newRow("high edge") << 0 << "174"
                                   << "174.00000";
        QTest::newRow("below low edge") << 0 << "135.99999"
                                        << "";
        QTest::newRow("above high edge") << 0 << "174.00001"
                                         << "";
        QTest::newRow("off both rasters") << 0 << "145.0123"
                                          << "145.01000";
        QTest::newRow("nearer 6.25 kHz point") << 3 << "438.513"
                                               << "438.51250";
        QTest::newRow("6.25 kHz raster") << 0 << "145.00625"
                                         << "145.00625";
        QTest::newRow("default band") << 3 << "435.12345"
                                      << "435.12000";
        QTest::newRow("leading zero") << 3 << "0400"
                                      << "400.00000";
    }
    void bandEdgesAndRaster() {
        QFETCH(int, band);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        ProgramFixture p;
        p.window->bandSelection()->selectBandCode(band);
        ScriptedAnswers answers;
        if (stored.isEmpty())
            answers.press("OK");
        p.enterFrequency(7, Rx, typed);
        QCOMPARE(p.cell(7, Rx), stored);
        QCOMPARE(QString::fromStdString(p.tables().ChannelFreqText(7, Rx)), stored);
        QVERIFY(!p.text1->isVisible());
        if (stored.isEmpty()) {
            QTRY_VERIFY(answers.done());
            const SeenMessageBox seen = answers.box(0);
            QCOMPARE(seen.text, QString("Beyond the scope of frequency band"));
            QCOMPARE(seen.title, QString("TQ-305 CloneDesk"));
            QCOMPARE(seen.buttons, QStringList{"OK"});
            QCOMPARE(p.window->focusWidget(), p.grid); // the focus is back on the grid
            QCOMPARE(rowTexts(p, 7), QStringList(8, QString()));
        }
    }

    void newChannelIsCompleted_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("English") << 1 << QStringList{"145.00000", "145.00000", "Off", "Off",
                                                     "High",      "Off",       "On",  "wide"};
        QTest::newRow("Chinese") << 0 << QStringList{"145.00000", "145.00000", "关闭", "关闭",
                                                     "高",        "关",        "使能", "宽带"};
    }
    void newChannelIsCompleted() {
        QFETCH(int, language);
        QFETCH(QStringList, row);
        ProgramFixture p(language);
        p.window->bandSelection()->selectBandCode(0);
        p.enterFrequency(1, Rx, "145");
        QCOMPARE(rowTexts(p, 1), row);
        QCOMPARE(listIndexes(p, 1), (std::array{0, 0, 1, 1, 1, 1}));
        QCOMPARE(p.tables().ChannelFreqText(1, Tx), std::string("145.00000"));

        // A new RX frequency of an occupied channel changes only that cell.
        p.chooseFromList(1, Power, 0);
        p.enterFrequency(1, Rx, "150");
        row[0] = "150.00000";
        row[Power - 1] = language == 0 ? "低" : "Low";
        QCOMPARE(rowTexts(p, 1), row);
    }

    void erasingRxDeletesTheChannelErasingTxKeepsIt() {
        ProgramFixture p;
        p.enterFrequency(3, Rx, "440");
        p.enterFrequency(3, Tx, "445");
        p.chooseFromList(3, RxTone, 1);
        QCOMPARE(p.cell(3, RxTone), QString("67.0"));

        p.enterFrequency(3, Tx, "");
        QCOMPARE(p.cell(3, Tx), QString("445.00000"));
        QCOMPARE(p.tables().ChannelFreqText(3, Tx), std::string("445.00000"));

        p.enterFrequency(3, Rx, "");
        QCOMPARE(rowTexts(p, 3), QStringList(8, QString()));
        QVERIFY(p.tables().row(3) == image::ChannelRow{});
    }

    void anEmptyChannelOpensOnItsReceiveFrequency() {
        ProgramFixture p;
        p.press(4, Power);
        QVERIFY(p.text1->isVisible());
        QVERIFY(p.text1->hasFocus());
        QCOMPARE(p.text1->geometry().size(), p.cellRect(4, Rx).size());
        QCOMPARE(p.grid->currentColumn(), Rx);
        QCOMPARE(p.form->EditCol, Rx);

        // On an occupied channel the clicked column's list opens, laid over it.
        p.enterFrequency(4, Rx, "440");
        p.press(4, Power);
        QComboBox* power = p.list("Combo5_5");
        QVERIFY(power->isVisible());
        const QPoint cellTopLeft =
            p.grid->viewport()->mapTo(p.form, p.cellRect(4, Power).topLeft());
        QCOMPARE(power->mapTo(p.form, QPoint(0, 0)), cellTopLeft);
        // At least the cell's width; wider where its entries need it.
        QVERIFY(power->width() >= p.cellRect(4, Power).width());
        QTest::keyClick(power->view(), Qt::Key_Escape); // closes the list
        QTest::keyClick(power, Qt::Key_Escape);         // leaves the cell
        QVERIFY(!power->isVisible());
        QCOMPARE(p.cell(4, Power), QString("High"));
    }

    void onlyALeftPressOpensAnEditor() {
        ProgramFixture p;
        p.press(2, Rx, Qt::RightButton);
        QVERIFY(p.grid->hasFocus());
        QVERIFY(!p.text1->isVisible());
        p.press(2, Rx, Qt::MiddleButton);
        QVERIFY(!p.text1->isVisible());
        QVERIFY(!p.form->GridClickArmed);
    }

    void theEntryBoxFiltersKeys_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("letters, minus and spaces") << "4a4-0 .b5"
                                                   << "440.5";
        QTest::newRow("a tenth character") << "438.512501"
                                           << "438.51250";
    }
    void theEntryBoxFiltersKeys() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        ProgramFixture p;
        p.press(1, Rx);
        QTest::keyClicks(p.text1, typed);
        QCOMPARE(p.text1->text(), kept);
        QApplication::clipboard()->setText("abc");
        QTest::keyClick(p.text1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(p.text1->text(), kept);
    }

    void aNonNumberIsDroppedSilently() {
        ProgramFixture p;
        p.enterFrequency(1, Rx, "440");
        p.enterFrequency(1, Rx, "1.2.3");
        QCOMPARE(p.cell(1, Rx), QString("440.00000"));
        QVERIFY(!p.text1->isVisible());
    }

    void clickingAnotherCellCommitsToTheEditedCell() {
        ProgramFixture p;
        p.press(5, Rx);
        QTest::keyClicks(p.text1, "433");
        p.press(9, Rx);
        QCOMPARE(p.cell(5, Rx), QString("433.00000"));
        QVERIFY(p.text1->isVisible());
        QCOMPARE(p.form->EditRow, 9);
    }

    void theWheelScrollsOneRowPerNotchWithinTheChannels_data() {
        QTest::addColumn<bool>("overScrollBar");
        QTest::newRow("over the rows") << false;
        QTest::newRow("over the grid's scroll bar") << true;
    }
    void theWheelScrollsOneRowPerNotchWithinTheChannels() {
        QFETCH(bool, overScrollBar);
        ProgramFixture p;
        QWidget* target =
            overScrollBar ? static_cast<QWidget*>(p.grid->verticalScrollBar()) : p.grid->viewport();
        QCOMPARE(p.grid->verticalScrollBar()->value() + 1, 1);
        wheel(target, 1);
        QCOMPARE(p.grid->verticalScrollBar()->value() + 1, 1);
        wheel(target, -1);
        QCOMPARE(p.grid->verticalScrollBar()->value() + 1, 2);
        for (int i = 0; i < 120; ++i)
            wheel(target, -1);
        const int last = p.grid->verticalScrollBar()->value() + 1;
        QVERIFY(last <= 99);
        QVERIFY(p.grid->viewport()->rect().contains(p.cellRect(99, Rx))); // channel 99 is in view
        wheel(target, 1);
        QCOMPARE(p.grid->verticalScrollBar()->value() + 1, last - 1);
    }

    // The overlays do not move with the rows: scrolling leaves the cell,
    // so that no box is left standing over another channel.
    void scrollingTheGridSettlesTheOpenOverlay() {
        ProgramFixture p;
        p.press(1, Rx);
        QTest::keyClicks(p.text1, "441");
        wheel(p.grid->viewport(), -2);
        QVERIFY(!p.text1->isVisible());
        QCOMPARE(p.cell(1, Rx), QString("441.00000"));

        p.press(1, Power);
        QTest::keyClick(p.openList()->view(), Qt::Key_Escape);
        QComboBox* power = p.list("Combo5_5");
        QVERIFY(power->isVisible());
        wheel(p.grid->viewport(), -1);
        QVERIFY(!power->isVisible());
        QCOMPARE(p.cell(1, Power), QString("High"));
    }

    void keyboardOnlyEntry() {
        ProgramFixture p(0);
        p.grid->setFocus();
        QTest::keyClick(p.grid, Qt::Key_Down);
        QTest::keyClick(p.grid, Qt::Key_Return);
        QVERIFY(p.text1->hasFocus());
        QTest::keyClicks(p.text1, "440.5");
        QTest::keyClick(p.text1, Qt::Key_Return);
        QVERIFY(p.grid->hasFocus());
        QCOMPARE(p.cell(2, Rx), QString("440.50000"));

        QTest::keyClick(p.grid, Qt::Key_Right);
        QTest::keyClick(p.grid, Qt::Key_Right);
        QTest::keyClick(p.grid, Qt::Key_Return);
        QComboBox* tones = p.list("Combo1");
        QVERIFY(tones->view()->isVisible());
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(tones->view(), Qt::Key_Down);
        QTest::keyClick(tones->view(), Qt::Key_Return);
        QCOMPARE(p.cell(2, RxTone), QString("71.9"));
        QCOMPARE(p.tables().ChannelListIndex(2, RxTone), 3);
        QCOMPARE(p.tables().ChannelToneText(2, RxTone), std::string("71.9"));
        QTRY_VERIFY(p.grid->hasFocus());

        for (int i = RxTone; i < Power; ++i)
            QTest::keyClick(p.grid, Qt::Key_Right);
        QTest::keyClick(p.grid, Qt::Key_Return);
        QComboBox* power = p.list("Combo5_5");
        QTest::keyClick(power->view(), Qt::Key_Escape);
        QTest::keyClick(power, Qt::Key_Up); // on the closed list: a choice too
        QCOMPARE(p.cell(2, Power), QString("低"));
        QCOMPARE(p.tables().ChannelListIndex(2, Power), 0);
        QVERIFY(!power->isVisible());
    }

    void languageSwitchRewritesTheListCells() {
        ProgramFixture p;
        p.enterFrequency(1, Rx, "440");
        p.window->findChild<QAction*>("MNChinese")->trigger();
        QCOMPARE(rowTexts(p, 1), (QStringList{"440.00000", "440.00000", "关闭", "关闭", "高", "关",
                                              "使能", "宽带"}));
        QCOMPARE(p.cell(0, RxTone), QString("接收亚音频"));
        p.window->findChild<QAction*>("MNEnglish")->trigger();
        QCOMPARE(p.cell(1, Band), QString("wide"));
        QCOMPARE(p.form->parentWidget()->windowTitle(), QString("Channel Edit"));
    }

    void decodedChannelsShowAsTheDecoderGaveThem() {
        ProgramFixture p;
        image::MemoryImage bytes;
        bytes.fill(0xFF);
        // Channel 2: RX 438.51250, TX blank, RX tone 85.4, TX tone a code in no table.
        const std::uint8_t record[] = {0x50, 0x12, 0x85, 0x43, 0xFF, 0xFF,   0xFF,
                                       0xFF, 0x54, 0x08, 0x00, 0x00, 0b11110};
        std::copy(std::begin(record), std::end(record), bytes.begin() + 13);
        p.enterFrequency(5, Rx, "440"); // an image leaves no earlier channel behind
        p.window->ReceiveImage = bytes;
        p.window->DecodeImage();

        QVERIFY(p.tables() == image::decodeImage(bytes).Form1);
        QCOMPARE(rowTexts(p, 2),
                 (QStringList{"438.51250", "", "85.4", "00.0", "Low", "Off", "On", "wide"}));
        QCOMPARE(rowTexts(p, 5), QStringList(8, QString()));
        // A tone the table lacks is written as no tone; the grid then says so.
        p.window->findChild<QAction*>("MNEnglish")->trigger();
        QCOMPARE(p.cell(2, TxTone), QString("Off"));
    }

    void theEncoderGetsTheChannelsAndAPendingEntry() {
        ProgramFixture p;
        p.enterFrequency(1, Rx, "438.5125");
        p.chooseFromList(1, RxTone, 1);
        p.press(2, Rx);
        QTest::keyClicks(p.text1, "439"); // still in the box
        p.window->EncodeImage();
        const auto& out = p.window->TransmitImage;
        QCOMPARE(std::vector<int>(out.begin(), out.begin() + 10),
                 (std::vector<int>{0x50, 0x12, 0x85, 0x43, 0x50, 0x12, 0x85, 0x43, 0x70, 0x06}));
        QCOMPARE(std::vector<int>(out.begin() + 13, out.begin() + 17),
                 (std::vector<int>{0x00, 0x00, 0x90, 0x43}));
    }

    // New and Open come from the tool bar or the menu, which leave the entry
    // box open: its old text must not land in the new table later.
    void aPendingEntryDoesNotOutliveTheTable_data() {
        QTest::addColumn<bool>("decode");
        QTest::newRow("New") << false;
        QTest::newRow("an opened image") << true;
    }
    void aPendingEntryDoesNotOutliveTheTable() {
        QFETCH(bool, decode);
        ProgramFixture p;
        p.enterFrequency(5, Rx, "440");
        p.press(5, Rx);
        QTest::keyClicks(p.text1, "1");
        if (decode) {
            p.window->ReceiveImage.fill(0xFF);
            p.window->DecodeImage();
        } else {
            p.form->StartForm();
        }
        QVERIFY(!p.text1->isVisible());
        p.press(9, Tx);
        QCOMPARE(rowTexts(p, 5), QStringList(8, QString()));
        QVERIFY(p.tables() == image::ChannelTableValues{});
    }

    void theCloseBoxHidesAndTheMenuShowsAgain() {
        ProgramFixture p;
        p.enterFrequency(1, Rx, "440");
        auto* sub = qobject_cast<QMdiSubWindow*>(p.form->parentWidget());
        sub->close();
        QVERIFY(!sub->isVisible());
        p.window->findChild<QAction*>("MNModel")->trigger();
        QVERIFY(sub->isVisible());
        QCOMPARE(p.window->mdiArea()->activeSubWindow(), sub);
        QCOMPARE(p.cell(1, Rx), QString("440.00000"));
    }

    void startFormBlanksEveryChannel() {
        ProgramFixture p;
        p.enterFrequency(1, Rx, "440");
        p.enterFrequency(99, Rx, "441");
        p.form->StartForm();
        QVERIFY(p.tables() == image::ChannelTableValues{});
        QCOMPARE(rowTexts(p, 99), QStringList(8, QString()));
        QCOMPARE(p.cell(99, 0), QString("99"));
    }
};

TQ_REGISTER_TEST(ChannelTableTest);
#include "channel_table_test.moc"
