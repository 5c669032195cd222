#include "editors/power_levels.h"
#include "support/test_registry.h"
#include "words/program_flags.h"

#include <QLabel>
#include <QSlider>
#include <QTest>

using editors::PowerLevels;

class PowerLevelsTest : public QObject {
    Q_OBJECT

    static QSlider* slider(PowerLevels& form, const char* name) {
        return form.findChild<QSlider*>(name);
    }
    static QString label(PowerLevels& form, const char* name) {
        return form.findChild<QLabel*>(name)->text();
    }

  private slots:
    void cleanup() { ui::DebugMode = false; }

    void defaultsAndValueLabels() {
        PowerLevels form;
        QCOMPARE(form.highPowerLevel(), 208);
        QCOMPARE(form.lowPowerLevel(), 116);
        QCOMPARE(label(form, "Label3"), QString("高功率等级:208"));
        QCOMPARE(label(form, "Label4"), QString("低功率等级:116"));
        form.setHighPowerLevel(0);
        form.setLowPowerLevel(255);
        QCOMPARE(label(form, "Label3"), QString("高功率等级:0"));
        QCOMPARE(label(form, "Label4"), QString("低功率等级:255"));
        form.StartForm();
        QCOMPARE(form.highPowerLevel(), 208);
        QCOMPARE(form.lowPowerLevel(), 116);
    }

    void valuesOutsideTheRangeAreRefused() {
        PowerLevels form;
        QVERIFY(!form.setHighPowerLevel(256));
        QVERIFY(!form.setLowPowerLevel(-1));
        QCOMPARE(form.highPowerLevel(), 208);
        QCOMPARE(form.lowPowerLevel(), 116);
    }

    void slidersMoveOnlyInDebugMode_data() {
        QTest::addColumn<bool>("debug");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("off: nothing moves") << false << 208 << 116;
        QTest::newRow("on: small and large steps") << true << 209 << 121;
    }
    void slidersMoveOnlyInDebugMode() {
        QFETCH(bool, debug);
        QFETCH(int, high);
        QFETCH(int, low);
        ui::DebugMode = debug;
        PowerLevels form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(slider(form, "Slider1")->isEnabled(), debug);
        QTest::keyClick(slider(form, "Slider1"), Qt::Key_Right);
        QTest::keyClick(slider(form, "Slider2"), Qt::Key_PageUp);
        QCOMPARE(form.highPowerLevel(), high);
        QCOMPARE(form.lowPowerLevel(), low);
        QCOMPARE(label(form, "Label3"), QString("高功率等级:%1").arg(high));
        QCOMPARE(label(form, "Label4"), QString("低功率等级:%1").arg(low));
    }
};

TQ_REGISTER_TEST(PowerLevelsTest);

#include "power_levels_test.moc"
