#include "settings/fm_entry.h"
#include "editors/fm_presets_editor.h"
#include "editors/twips.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "support/scripted_answers.h"
#include "support/test_registry.h"
#include "support/type_text.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using editors::FmEntry;
using editors::FmPresetsEditor;

Q_DECLARE_METATYPE(FmEntry::Verdict)

class FmPresetsEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FmPresetsEditor> m_form;

    template <typename T> T* child(const char* name) {
        T* found = m_form->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QTableWidget* grid() { return child<QTableWidget>("MSFGrid"); }
    QLineEdit* text1() { return child<QLineEdit>("Text1"); }
    QLineEdit* text2() { return child<QLineEdit>("Text2"); }
    QLabel* label2() { return child<QLabel>("Label2"); }
    QRect cellRect(int row, int column) {
        return grid()->visualRect(grid()->model()->index(row, column));
    }
    QPoint cellTopInForm(int row) {
        return grid()->viewport()->mapTo(m_form.get(), cellRect(row, 1).topLeft());
    }

    void clickCell(int row, int column) {
        grid()->scrollToItem(grid()->item(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellRect(row, column).center());
    }
    // Opens preset `row`, replaces its text with `typed` and presses Enter.
    void enterPreset(int row, const QString& typed) {
        clickCell(row, 1);
        QTest::keyClick(text1(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text1(), Qt::Key_Backspace);
        QTest::keyClicks(text1(), typed);
        QTest::keyClick(text1(), Qt::Key_Return);
    }
    void enterFullBand(const QString& typed) {
        text2()->setFocus();
        text2()->selectAll();
        QTest::keyClick(text2(), Qt::Key_Backspace);
        QTest::keyClicks(text2(), typed);
        QTest::keyClick(text2(), Qt::Key_Return);
    }

  private slots:
    void init() {
        m_form = std::make_unique<FmPresetsEditor>();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void entryRules_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<FmEntry::Verdict>("presetVerdict");
        QTest::addColumn<QString>("presetText");
        QTest::addColumn<FmEntry::Verdict>("fullBandVerdict");
        QTest::addColumn<QString>("fullBandText");
        const auto ok = FmEntry::Accepted;
        const auto out = FmEntry::OutOfRange;
        const auto nan = FmEntry::NotANumber;
        QTest::newRow("lowest") << "70" << ok << "70.00" << ok << "70.00";
        QTest::newRow("highest preset") << "107.95" << ok << "107.95" << ok << "107.95";
        QTest::newRow("just below") << "69.99" << out << "" << out << "";
        QTest::newRow("107.96") << "107.96" << out << "" << ok << "107.95";
        QTest::newRow("107.951") << "107.951" << out << "" << ok << "107.95";
        QTest::newRow("107.999") << "107.999" << out << "" << ok << "107.95";
        QTest::newRow("108") << "108" << out << "" << out << "";
        QTest::newRow("huge") << "123456789012345678901234567890" << out << "" << out << "";
        QTest::newRow("88.57 down") << "88.57" << ok << "88.55" << ok << "88.55";
        QTest::newRow("88.54 down") << "88.54" << ok << "88.50" << ok << "88.50";
        QTest::newRow("88.05 kept") << "88.05" << ok << "88.05" << ok << "88.05";
        QTest::newRow("whole") << "95" << ok << "95.00" << ok << "95.00";
        QTest::newRow("trailing point") << "88." << ok << "88.00" << ok << "88.00";
        QTest::newRow("one decimal") << "88.5" << ok << "88.50" << ok << "88.50";
        QTest::newRow("leading zero kept") << "088" << ok << "088.00" << ok << "088.00";
        QTest::newRow("empty") << "" << FmEntry::Empty << "" << FmEntry::Empty << "";
        QTest::newRow("two points") << "1.2.3" << nan << "" << nan << "";
        QTest::newRow("point alone") << "." << nan << "" << nan << "";
    }
    void entryRules() {
        QFETCH(QString, typed);
        QFETCH(FmEntry::Verdict, presetVerdict);
        QFETCH(QString, presetText);
        QFETCH(FmEntry::Verdict, fullBandVerdict);
        QFETCH(QString, fullBandText);
        const std::string t = typed.toStdString();
        QCOMPARE(editors::checkFmPreset(t), (FmEntry{presetVerdict, presetText.toStdString()}));
        QCOMPARE(editors::checkFmFullBand(t),
                 (FmEntry{fullBandVerdict, fullBandText.toStdString()}));
    }

    void startsWithFreePresetsAndItsListPositions() {
        QCOMPARE(grid()->rowCount(), 33);
        QCOMPARE(grid()->item(0, 1)->text(), QString::fromUtf8("频率(MHz)"));
        QCOMPARE(grid()->horizontalHeaderItem(0)->text(), QString::fromUtf8("频道"));
        for (int row = 1; row <= 32; ++row) {
            QCOMPARE(grid()->item(row, 0)->text(), QString::number(row));
            QVERIFY(m_form->presetText(row).isEmpty());
        }
        QVERIFY(m_form->fullBandText().isEmpty());
        QVERIFY(!label2()->isVisible());
        QVERIFY(!text1()->isVisible());
        QCOMPARE(m_form->listPosition(0), 0);
        QCOMPARE(m_form->listPosition(1), 1);
        QCOMPARE(m_form->listPosition(2), 1);
        QCOMPARE(child<QComboBox>("Combo1_0")->count(), 32);
        QCOMPARE(child<QComboBox>("Combo1_0")->itemText(31), QString("32"));
        QCOMPARE(child<QComboBox>("Combo1_1")->currentText(), QString::fromUtf8("频率"));
        QCOMPARE(child<QComboBox>("Combo1_2")->currentText(), QString("100K"));
    }

    void typedPresetIsStoredInFmForm_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("rounded down") << "88.57"
                                      << "88.55";
        QTest::newRow("highest") << "107.95"
                                 << "107.95";
    }
    void typedPresetIsStoredInFmForm() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        enterPreset(9, typed);
        QCOMPARE(m_form->presetText(9), stored);
        QCOMPARE(text1()->text(), stored);
        QVERIFY(!label2()->isVisible());
        QCOMPARE(QApplication::focusWidget(), grid());

        // Leaving by a click on another preset commits just as well.
        clickCell(10, 1);
        QTest::keyClicks(text1(), typed);
        clickCell(11, 1);
        QCOMPARE(m_form->presetText(10), stored);
    }

    void refusedPresetKeepsItsValue_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("69.99") << "69.99";
        QTest::newRow("107.96") << "107.96";
        QTest::newRow("0") << "0";
    }
    void refusedPresetKeepsItsValue() {
        QFETCH(QString, typed);
        enterPreset(4, "88");
        enterPreset(4, typed);
        QCOMPARE(m_form->presetText(4), QString("88.00"));
        QVERIFY(label2()->isVisible());
        QCOMPARE(label2()->text(), QString::fromUtf8("超出频率范围(70-107.95)，请重输。"));
        QCOMPARE(label2()->pos(), QPoint(editors::twips(3615), cellTopInForm(4).y()));
        // The box left over the cell shows the kept value, so entering it
        // again cannot free the preset by accident.
        QCOMPARE(text1()->text(), QString("88.00"));
        text1()->setFocus();
        QTest::keyClick(text1(), Qt::Key_Tab);
        QCOMPARE(m_form->presetText(4), QString("88.00"));
    }

    void textThatIsNoNumberIsIgnored() {
        enterPreset(6, "90");
        enterPreset(6, "9.0.1");
        QCOMPARE(m_form->presetText(6), QString("90.00"));
        QVERIFY(!label2()->isVisible());
    }

    void emptyingAnEntryFreesThePreset() {
        enterPreset(2, "100.1");
        QCOMPARE(m_form->presetText(2), QString("100.10"));
        enterPreset(2, "");
        QVERIFY(m_form->presetText(2).isEmpty());
    }

    void frequencyBoxesTakeDigitsAndPointOnly_data() {
        QTest::addColumn<QString>("boxName");
        QTest::newRow("preset") << "Text1";
        QTest::newRow("full band") << "Text2";
    }
    void frequencyBoxesTakeDigitsAndPointOnly() {
        QFETCH(QString, boxName);
        clickCell(1, 1);
        QLineEdit* box = child<QLineEdit>(boxName.toLatin1().constData());
        box->setFocus();
        typeText(box, QString::fromUtf8("8a8-.+5 x,８٣"));
        QCOMPARE(box->text(), QString("88.5"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString("88."));
        const QString longText = QString("1234567890").repeated(5);
        box->clear();
        QTest::keyClicks(box, longText);
        QCOMPARE(box->text(), longText);
    }

    void anyCellOfARowOpensItsPreset() {
        enterPreset(7, "99");
        clickCell(7, 0);
        QVERIFY(text1()->isVisible());
        QCOMPARE(QApplication::focusWidget(), text1());
        QCOMPARE(text1()->geometry(), cellRect(7, 1));
        QCOMPARE(text1()->text(), QString("99.00"));
        QCOMPARE(grid()->item(7, 0)->text(), QString("7"));
    }

    void entryBoxFollowsScrolledCells() {
        clickCell(30, 1);
        QCOMPARE(text1()->geometry(), cellRect(30, 1));
        QVERIFY(grid()->viewport()->rect().contains(text1()->geometry()));
        QCOMPARE(label2()->y(), cellTopInForm(30).y());
        QTest::keyClicks(text1(), "101");
        QTest::keyClick(text1(), Qt::Key_Return);
        grid()->scrollToTop();
        QCOMPARE(text1()->geometry(), cellRect(30, 1));
        QCOMPARE(m_form->presetText(30), QString("101.00"));
    }

    void enterOrF2OnTheGridOpensTheCurrentPreset() {
        enterPreset(3, "87.5");
        QCOMPARE(QApplication::focusWidget(), grid());
        QTest::keyClick(grid(), Qt::Key_Down);
        QTest::keyClick(grid(), Qt::Key_F2);
        QCOMPARE(QApplication::focusWidget(), text1());
        QCOMPARE(text1()->geometry(), cellRect(4, 1));
        QTest::keyClicks(text1(), "90");
        QTest::keyClick(text1(), Qt::Key_Return);
        QTest::keyClick(grid(), Qt::Key_Up);
        QTest::keyClick(grid(), Qt::Key_Return);
        QCOMPARE(text1()->text(), QString("87.50"));
        QCOMPARE(m_form->presetText(4), QString("90.00"));
    }

    void fullBandFrequency_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("refused");
        QTest::newRow("107.97 down") << "107.97"
                                     << "107.95" << false;
        QTest::newRow("88.57 down") << "88.57"
                                    << "88.55" << false;
        QTest::newRow("108 refused") << "108"
                                     << "" << true;
        QTest::newRow("69 refused") << "69"
                                    << "" << true;
        QTest::newRow("no number") << "1.2.3"
                                   << "" << false;
    }
    void fullBandFrequency() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, refused);
        enterFullBand(typed);
        QCOMPARE(text2()->text(), stored);
        QCOMPARE(m_form->fullBandText(), stored);
        QCOMPARE(label2()->isVisible(), refused);
        if (refused)
            QCOMPARE(label2()->pos(), QPoint(editors::twips(5600), editors::twips(100)));
    }

    void refusedFullBandEmptiesTheBox() {
        enterFullBand("95");
        enterFullBand("120");
        QVERIFY(label2()->isVisible());
        QVERIFY(text2()->text().isEmpty());
        QVERIFY(m_form->fullBandText().isEmpty());
        enterFullBand("96");
        QCOMPARE(m_form->fullBandText(), QString("96.00"));
    }

    // The message's click empties the preset box: a value still waiting
    // there is gone, and leaving the box then frees the preset.
    void clickingTheMessageErasesTheWaitingEntry() {
        enterPreset(5, "90");
        enterPreset(5, "300");
        QVERIFY(label2()->isVisible());
        clickCell(5, 1);
        QTest::keyClick(text1(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(text1(), "95");
        QTest::mouseClick(label2(), Qt::LeftButton);
        QVERIFY(!label2()->isVisible());
        QCOMPARE(QApplication::focusWidget(), text1());
        QVERIFY(text1()->text().isEmpty());
        QTest::keyClick(text1(), Qt::Key_Return);
        QVERIFY(m_form->presetText(5).isEmpty());
    }

    void typedListTextSelectsAnEntryOrGivesWay() {
        auto* channel = child<QComboBox>("Combo1_0");
        channel->setFocus();
        channel->lineEdit()->selectAll();
        QTest::keyClicks(channel, "20");
        QTest::keyClick(channel, Qt::Key_Return);
        QCOMPARE(m_form->listPosition(0), 19);

        channel->lineEdit()->selectAll();
        QTest::keyClicks(channel, "99");
        text2()->setFocus();
        QCOMPARE(channel->currentText(), QString("20"));
        QCOMPARE(m_form->listPosition(0), 19);
        QCOMPARE(channel->count(), 32);
    }

    void settersKeepTheEditorRules() {
        m_form->setPresetText(1, "88.57");
        QCOMPARE(m_form->presetText(1), QString("88.55"));
        m_form->setPresetText(1, "200");
        QCOMPARE(m_form->presetText(1), QString("88.55"));
        m_form->setPresetText(32, "107.95");
        QCOMPARE(m_form->presetText(32), QString("107.95"));
        m_form->setPresetText(1, "");
        QVERIFY(m_form->presetText(1).isEmpty());
        m_form->setPresetText(0, "90");
        m_form->setPresetText(33, "90");
        QCOMPARE(grid()->item(0, 1)->text(), QString::fromUtf8("频率(MHz)"));

        m_form->setListPosition(0, 31);
        m_form->setListPosition(0, 32);
        m_form->setListPosition(1, -1);
        m_form->setListPosition(3, 0);
        QCOMPARE(m_form->listPosition(0), 31);
        QCOMPARE(m_form->listPosition(1), 1);
        QCOMPARE(m_form->listPosition(3), -1);

        m_form->setFullBandText("107.97");
        QCOMPARE(text2()->text(), QString("107.95"));
        m_form->setFullBandText("108");
        QVERIFY(m_form->fullBandText().isEmpty());
        m_form->setFullBandText("");
        QVERIFY(text2()->text().isEmpty());
    }

    void livesHiddenInTheMainWindowAndStaysChinese() {
        QTemporaryDir dir;
        QSettings(dir.filePath("settings.ini"), QSettings::IniFormat)
            .setValue("MZ7T/BinaryValue", QByteArray("\1\0\0\0", 4));
        auto main = shell::startProgram(shell::scratchFolders(dir.path()));
        FmPresetsEditor* form = main->fmPresetsEditor();
        QVERIFY(form);
        QCOMPARE(form->objectName(), QString("Form5"));
        auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
        QVERIFY(sub && !sub->isVisible());
        auto* item = main->findChild<QAction*>("MNFMset");
        QVERIFY(!item->isVisible() && !item->isEnabled());
        QCOMPARE(form->windowTitle(), QString("Form5"));
        QCOMPARE(form->findChild<QPushButton*>("Command1")->text(), QString::fromUtf8("确定"));

        main->showEditor(form);
        QVERIFY(sub->isVisible());
        form->setPresetText(1, "88");
        QTest::mouseClick(form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(!sub->isVisible());
        main->showEditor(form);
        sub->close();
        QVERIFY(!sub->isVisible());
        QCOMPARE(main->fmPresetsEditor(), form);
        QCOMPARE(form->presetText(1), QString("88.00"));

        ScriptedAnswers answers;
        answers.press("OK");
        QVERIFY(main->close());
    }
};

TQ_REGISTER_TEST(FmPresetsEditorTest);
#include "test_fm_presets_editor.moc"
