#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "support/scripted_answers.h"
#include "support/test_registry.h"
#include "words/program_flags.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace shell;
using namespace ui;

// Form3 and Form4 under the language switch of the running program.
class OptionsLanguageTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    std::unique_ptr<MainWindow> start(int storedLanguage) {
        QSettings s(m_dir.filePath("settings.ini"), QSettings::IniFormat);
        s.setValue("MZ7T/BinaryValue", QByteArray(1, char(storedLanguage)) + QByteArray(3, '\0'));
        s.sync();
        return startProgram(shell::scratchFolders(m_dir.path()));
    }
    static void chooseLanguage(MainWindow& w, const char* menu) {
        w.findChild<QAction*>(menu)->trigger();
    }
    static void quit(MainWindow& w) {
        ScriptedAnswers answers;
        answers.press(UILanguage == 0 ? "确定" : "OK");
        QVERIFY(w.close());
    }
    static QComboBox* list(MainWindow& w, const char* name) {
        return w.optionalFeatures()->findChild<QComboBox*>(name);
    }
    static QString label(QWidget* form, const char* name) {
        return form->findChild<QLabel*>(name)->text();
    }

  private slots:
    void chineseDisplayModeListHasAllThreeEntries() {
        auto w = start(0);
        QCOMPARE(list(*w, "Combo1")->count(), 3);
        QCOMPARE(list(*w, "Combo1")->itemText(2), QString("频道"));
        QCOMPARE(w->optionalFeatures()->windowTitle(), QString("可选功能"));
        QCOMPARE(qobject_cast<QMdiSubWindow*>(w->powerLevels()->parentWidget())->windowTitle(),
                 QString("调试"));
        QCOMPARE(label(w->powerLevels(), "Label3"), QString("高功率等级"));
        quit(*w);
    }

    void switchingKeepsSelectionsAndRewritesTexts() {
        auto w = start(1);
        QComboBox* display = list(*w, "Combo1");
        QCOMPARE(display->count(), 3);
        display->setCurrentIndex(2);
        list(*w, "Combo16")->setCurrentIndex(0);
        list(*w, "Combo22")->setCurrentIndex(1);
        QCOMPARE(w->optionalFeatures()->listText("Combo16"), QString("Channel"));
        QCOMPARE(label(w->optionalFeatures(), "Label6"), QString(" Present Channel:"));
        QCOMPARE(label(w->optionalFeatures(), "Label26"), QString("扫描添加:"));

        chooseLanguage(*w, "MNChinese");
        QCOMPARE(display->count(), 3);
        QCOMPARE(display->currentIndex(), 2);
        QCOMPARE(display->currentText(), QString("频道"));
        QCOMPARE(display->itemText(0), QString("全频"));
        QCOMPARE(w->optionalFeatures()->listText("Combo16"), QString("频道"));
        QCOMPARE(w->optionalFeatures()->listText("Combo22"), QString("67.0"));
        QCOMPARE(w->optionalFeatures()->listText("Combo3"), QString("25K"));
        QCOMPARE(label(w->optionalFeatures(), "Label1"), QString("记忆频道显示模式:"));
        // The main window's band caption has the same name as Form3's first label.
        QCOMPARE(w->findChild<QToolBar*>("CoolBar1")->findChild<QLabel*>("Label1")->text(),
                 QString("频段"));

        chooseLanguage(*w, "MNEnglish");
        QCOMPARE(w->optionalFeatures()->listText("Combo1"), QString("Channel"));
        QCOMPARE(list(*w, "Combo14")->itemText(0), QString("Off"));
        QCOMPARE(list(*w, "Combo14")->itemText(1), QString("1"));
        QCOMPARE(w->optionalFeatures()->caption("Check12"), QString("Allow to Cancel Operating"));
        QCOMPARE(w->findChild<QToolBar*>("CoolBar1")->findChild<QLabel*>("Label1")->text(),
                 QString("Frequency"));
        quit(*w);
    }

    void powerValueLabelsShowTheBareCaptionUntilTheNextChange() {
        auto w = start(1);
        QCOMPARE(label(w->powerLevels(), "Label4"), QString("Low Power Grades"));
        w->powerLevels()->setLowPowerLevel(0);
        QCOMPARE(label(w->powerLevels(), "Label4"), QString("Low Power Grades:0"));
        chooseLanguage(*w, "MNChinese");
        QCOMPARE(label(w->powerLevels(), "Label4"), QString("低功率等级"));
        QCOMPARE(label(w->powerLevels(), "Label6"), QString("低"));
        w->powerLevels()->setLowPowerLevel(255);
        QCOMPARE(label(w->powerLevels(), "Label4"), QString("低功率等级:255"));
        quit(*w);
    }

    void menusBringTheEditorsToTheFront() {
        auto w = start(1);
        auto* area = w->mdiArea();
        for (auto [menu, form] :
             {std::pair<const char*, QWidget*>{"MNOption", w->optionalFeatures()},
              {"MNDebug", w->powerLevels()},
              {"MNOption", w->optionalFeatures()}}) {
            w->findChild<QAction*>(menu)->trigger();
            QVERIFY(form->isVisible());
            QCOMPARE(area->activeSubWindow(), form->parentWidget());
        }
        // The close box only hides the window; its values stay.
        w->optionalFeatures()->setPresentChannelText("42");
        w->optionalFeatures()->parentWidget()->close();
        QVERIFY(!w->optionalFeatures()->isVisible());
        w->findChild<QAction*>("MNOption")->trigger();
        QCOMPARE(w->optionalFeatures()->presentChannelText(), QString("42"));
        quit(*w);
    }
};

TQ_REGISTER_TEST(OptionsLanguageTest);

#include "options_language_test.moc"
