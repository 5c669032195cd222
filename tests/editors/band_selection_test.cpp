#include "editors/optional_features.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"

#include <QSignalSpy>

namespace {

// Drops the band list down and chooses `position` in it, as a user does.
void chooseBand(QComboBox* list, int position) {
    QTest::keyClick(list, Qt::Key_F4);
    QVERIFY(list->view()->isVisible());
    list->view()->setCurrentIndex(list->model()->index(position, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
}

} // namespace

class BandSelectionTest : public QObject {
    Q_OBJECT

  private slots:
    void startsOnTheDefaultBand() {
        ProgramFixture p;
        QComboBox* list = p.bandList();
        QCOMPARE(list->count(), 8);
        QCOMPARE(list->itemText(0), QString("136-174MHz"));
        QCOMPARE(list->itemText(7), QString("450-490MHz"));
        QCOMPARE(list->currentText(), QString("400-480MHz"));
        QCOMPARE(p.band().BandLow, 400);
        QCOMPARE(p.band().BandHigh, 480);
        QVERIFY(!p.window->bandSelection()->BandPickPending);
    }

    void aHandMadeChangeAsks_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("OK") << "OK";
        QTest::newRow("Cancel") << "Cancel";
    }
    void aHandMadeChangeAsks() {
        QFETCH(QString, answer);
        ProgramFixture p;
        p.enterFrequency(1, 1, "440");
        QSignalSpy centre(p.window->bandSelection(), &editors::BandSelection::bandCentreChanged);
        ScriptedAnswers answers;
        answers.press(answer);
        chooseBand(p.bandList(), 0);
        const SeenMessageBox seen = answers.box(0);

        QVERIFY(answers.done());
        QCOMPARE(seen.title, QString("Be careful!"));
        QCOMPARE(seen.text, QString("Changing the frequency band will remove the channel "
                                    "tabulation, confirm?"));
        QCOMPARE(seen.defaultButton, QString("Cancel"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QVERIFY(!p.window->bandSelection()->BandPickPending);
        if (answer == "OK") {
            QCOMPARE(p.bandList()->currentText(), QString("136-174MHz"));
            QCOMPARE(p.band().BandLow, 136);
            QCOMPARE(p.band().BandHigh, 174);
            QVERIFY(p.tables() == image::ChannelTableValues{});
            QCOMPARE(p.cell(1, 1), QString());
            QCOMPARE(centre.size(), 1);
            QCOMPARE(p.window->optionalFeatures()->findChild<QLineEdit*>("Text20")->text(),
                     QString("155.00000"));
        } else {
            QCOMPARE(p.bandList()->currentText(), QString("400-480MHz"));
            QCOMPARE(p.band().BandLow, 400);
            QCOMPARE(p.band().BandHigh, 480);
            QCOMPARE(p.cell(1, 1), QString("440.00000"));
            QCOMPARE(centre.size(), 0);
        }
    }

    void changesWithoutOpeningTheListDoNotAsk() {
        ProgramFixture p;
        p.enterFrequency(1, 1, "440");
        QComboBox* list = p.bandList();
        QTest::keyClick(list, Qt::Key_Up); // closed list, nothing pending
        QCOMPARE(list->currentIndex(), 2);
        QCOMPARE(p.band().BandLow, 350);
        QCOMPARE(p.band().BandHigh, 390);
        QCOMPARE(p.cell(1, 1), QString("440.00000"));

        // A list closed without a choice stays pending: the next change asks.
        QTest::keyClick(list, Qt::Key_F4);
        QTest::keyClick(list->view(), Qt::Key_Escape);
        QVERIFY(p.window->bandSelection()->BandPickPending);
        ScriptedAnswers answers;
        answers.press("Cancel");
        QTest::keyClick(list, Qt::Key_Down);
        const SeenMessageBox seen = answers.box(0);
        QVERIFY(answers.done());
        QCOMPARE(list->currentIndex(), 2);

        // Choosing the band already shown settles the opened list too.
        chooseBand(list, 2);
        QVERIFY(!p.window->bandSelection()->BandPickPending);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex(), 3);
        QCOMPARE(p.cell(1, 1), QString("440.00000"));
    }

    void theProgramSelectsWithoutAQuestion_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("band code 0") << 0 << "136-174MHz" << 136 << 174;
        QTest::newRow("band code 7") << 7 << "450-490MHz" << 450 << 490;
        QTest::newRow("a code the list lacks") << 8 << "400-480MHz" << 400 << 480;
        QTest::newRow("a negative code") << -1 << "400-480MHz" << 400 << 480;
    }
    void theProgramSelectsWithoutAQuestion() {
        QFETCH(int, code);
        QFETCH(QString, shown);
        QFETCH(int, low);
        QFETCH(int, high);
        ProgramFixture p;
        p.enterFrequency(1, 1, "440");
        // Even right after the user left the list open-and-closed.
        QTest::keyClick(p.bandList(), Qt::Key_F4);
        QTest::keyClick(p.bandList()->view(), Qt::Key_Escape);
        QCOMPARE(p.window->bandSelection()->selectBandCode(code), code >= 0 && code < 8);
        QCOMPARE(p.bandList()->currentText(), shown);
        QCOMPARE(p.band().BandLow, low);
        QCOMPARE(p.band().BandHigh, high);
        QCOMPARE(p.cell(1, 1), QString("440.00000"));

        p.window->bandSelection()->ResetBand();
        QCOMPARE(p.bandList()->currentText(), QString("400-480MHz"));
        QCOMPARE(p.band().BandHigh, 480);
        QCOMPARE(p.cell(1, 1), QString("440.00000"));
    }
};

TQ_REGISTER_TEST(BandSelectionTest);
#include "band_selection_test.moc"
