#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "shell/clock.h"
#include "shell/main_window.h"
#include "shell/service_modes.h"
#include "shell/startup.h"
#include "support/scripted_answers.h"
#include "support/test_registry.h"
#include "words/program_flags.h"

#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace shell;
using namespace ui;

// The hidden click sequences on the optional features window and the tool
// bar double click, on the real main window with the clock in the test's hand.
class ServiceModesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    double m_now = 0;

    static const char* label(ServiceMode mode, int mark) {
        return ServiceModes::unlockLabels(mode)[mark - 1];
    }
    static const char* buttonKey(ServiceMode mode) {
        return mode == ServiceMode::ForceWrite ? "TAnMa" : "TDebug";
    }
    static bool modeOn(ServiceMode mode) {
        return mode == ServiceMode::ForceWrite ? ForceWriteMode : DebugMode;
    }

    void clickLabelAt(ServiceMode mode, int mark, double time) {
        m_now = time;
        auto* caption = m_window->optionalFeatures()->findChild<QLabel*>(label(mode, mark));
        QVERIFY(caption && caption->isVisible());
        QTest::mouseClick(caption, Qt::LeftButton);
    }
    void switchOn(ServiceMode mode, double time) {
        for (int mark = 1; mark <= 3; ++mark)
            clickLabelAt(mode, mark, time);
        QVERIFY(modeOn(mode));
    }
    QAction* button(ServiceMode mode) { return m_window->findChild<QAction*>(buttonKey(mode)); }
    void clickButtonAt(ServiceMode mode, double time) {
        m_now = time;
        QWidget* tool = m_window->findChild<QToolBar*>("Toolbar1")->widgetForAction(button(mode));
        QVERIFY(tool);
        QTRY_VERIFY(tool->isVisible()); // the tool bar lays out the shown button
        QTest::mouseClick(tool, Qt::LeftButton);
    }
    bool slidersEnabled() {
        return m_window->powerLevels()->findChild<QSlider*>("Slider1")->isEnabled() &&
               m_window->powerLevels()->findChild<QSlider*>("Slider2")->isEnabled();
    }

  private slots:
    void init() {
        QFile::remove(m_dir.filePath("settings.ini"));
        setTimeOfDaySource([this] { return m_now; });
        m_window = startProgram(shell::scratchFolders(m_dir.path()));
        m_window->findChild<QAction*>("MNOption")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() {
        ScriptedAnswers answers;
        answers.press("OK");
        QVERIFY(m_window->close());
        m_window.reset();
        setTimeOfDaySource({});
    }

    void modesAreOffAndHiddenAtStart() {
        for (ServiceMode mode : {ServiceMode::ForceWrite, ServiceMode::Debug}) {
            QVERIFY(!modeOn(mode));
            QVERIFY(!button(mode)->isVisible());
        }
        QVERIFY(!slidersEnabled());
    }

    void clickSequence_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("marks");
        QTest::addColumn<QList<double>>("times");
        QTest::addColumn<bool>("on");
        const int force = int(ServiceMode::ForceWrite);
        const int debug = int(ServiceMode::Debug);
        QTest::newRow("t, t+1, t+2")
            << force << QList{1, 2, 3} << QList{100.0, 101.0, 102.0} << true;
        QTest::newRow("t, t+2, t+6")
            << force << QList{1, 2, 3} << QList{100.0, 102.0, 106.0} << false;
        QTest::newRow("any order") << debug << QList{3, 1, 2} << QList{100.0, 101.0, 104.9} << true;
        QTest::newRow("a label twice counts once")
            << force << QList{1, 1, 2} << QList{100.0, 101.0, 102.0} << false;
        QTest::newRow("window from a start rounded up")
            << debug << QList{1, 2, 3} << QList{100.6, 101.0, 106.0} << true;
        QTest::newRow("window from a start rounded down")
            << debug << QList{1, 2, 3} << QList{100.4, 101.0, 105.6} << false;
        QTest::newRow("late click opens a new window")
            << force << QList{1, 2, 3, 1, 2} << QList{100.0, 101.0, 107.0, 108.0, 109.0} << true;
        QTest::newRow("across midnight")
            << force << QList{1, 2, 3} << QList{86398.0, 86399.5, 1.0} << true;
        QTest::newRow("after midnight but too late")
            << debug << QList{1, 2, 3} << QList{86398.0, 86399.0, 10.0} << false;
    }
    void clickSequence() {
        QFETCH(int, mode);
        QFETCH(QList<int>, marks);
        QFETCH(QList<double>, times);
        QFETCH(bool, on);
        const auto m = ServiceMode(mode);
        for (qsizetype i = 0; i < marks.size(); ++i)
            clickLabelAt(m, marks[i], times[i]);
        QCOMPARE(modeOn(m), on);
        QCOMPARE(button(m)->isVisible(), on);
        QCOMPARE(slidersEnabled(), on && m == ServiceMode::Debug);
        const auto other = m == ServiceMode::Debug ? ServiceMode::ForceWrite : ServiceMode::Debug;
        QVERIFY(!modeOn(other));
    }

    void otherLabelsDoNotCount() {
        for (const char* name : {"Label1", "Label5", "Label9"}) {
            m_now = 100;
            QTest::mouseClick(m_window->optionalFeatures()->findChild<QLabel*>(name),
                              Qt::LeftButton);
        }
        clickLabelAt(ServiceMode::ForceWrite, 1, 101);
        clickLabelAt(ServiceMode::Debug, 1, 101);
        QVERIFY(!ForceWriteMode && !DebugMode);
    }

    void toolbarDoubleClick_data() {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("second");
        QTest::addColumn<bool>("off");
        QTest::newRow("0.4 s apart") << 200.2 << 200.6 << true;
        QTest::newRow("0.9 s apart, first rounded up") << 200.6 << 201.5 << true;
        QTest::newRow("0.7 s apart, first rounded down") << 200.4 << 201.1 << false;
        QTest::newRow("1.5 s apart") << 200.0 << 201.5 << false;
        QTest::newRow("across midnight") << 86399.7 << 0.2 << true;
        QTest::newRow("hours apart across midnight") << 86399.0 << 50.0 << false;
    }
    void toolbarDoubleClick() {
        QFETCH(double, first);
        QFETCH(double, second);
        QFETCH(bool, off);
        for (ServiceMode mode : {ServiceMode::ForceWrite, ServiceMode::Debug}) {
            switchOn(mode, 100);
            clickButtonAt(mode, first);
            QVERIFY(modeOn(mode));
            clickButtonAt(mode, second);
            QCOMPARE(modeOn(mode), !off);
            QCOMPARE(button(mode)->isVisible(), !off);
        }
        QCOMPARE(slidersEnabled(), !off);
    }

    void switchedOffModeNeedsAllThreeLabelsAgain() {
        switchOn(ServiceMode::Debug, 100);
        clickButtonAt(ServiceMode::Debug, 300.1);
        clickButtonAt(ServiceMode::Debug, 300.3);
        QVERIFY(!DebugMode);
        QVERIFY(!slidersEnabled());
        // Within five seconds of the old window, but no mark is left: the
        // first click opens a new window of its own.
        clickLabelAt(ServiceMode::Debug, 3, 301);
        QVERIFY(!DebugMode);
        const auto& s = m_window->findChild<ServiceModes*>()->sequence(ServiceMode::Debug);
        QCOMPARE(s.marks, (std::array{false, false, true}));
        QCOMPARE(s.windowStart, 301);
        clickLabelAt(ServiceMode::Debug, 1, 302);
        clickLabelAt(ServiceMode::Debug, 2, 303);
        QVERIFY(DebugMode);
        QVERIFY(slidersEnabled());
    }

    void slidersFollowTheModeWhileTheWindowIsOpen() {
        m_window->findChild<QAction*>("MNDebug")->trigger();
        auto* slider = m_window->powerLevels()->findChild<QSlider*>("Slider1");
        QVERIFY(slider->isVisible());
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(m_window->powerLevels()->highPowerLevel(), 208);
        switchOn(ServiceMode::Debug, 100);
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(m_window->powerLevels()->highPowerLevel(), 207);
    }
};

TQ_REGISTER_TEST(ServiceModesTest);

#include "service_modes_test.moc"
