#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "support/test_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using editors::OptionalFeatures;
using image::BandLimits;

class OptionalFeaturesTest : public QObject {
    Q_OBJECT

    image::BandLimits m_band{136, 174};

    template <typename T> static T* control(OptionalFeatures& form, const char* name) {
        auto* found = form.findChild<T*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    static QComboBox* list(OptionalFeatures& form, const char* name) {
        return control<QComboBox>(form, name);
    }

    // Types into an empty entry box and presses Enter, as a user would.
    static QString typeAndEnter(OptionalFeatures& form, const char* box, const QString& keys) {
        auto* entry = control<QLineEdit>(form, box);
        entry->clear();
        QTest::keyClicks(entry, keys);
        QTest::keyClick(entry, Qt::Key_Return);
        return entry->text();
    }

  private slots:
    void presentChannel_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("above 99 reads 99 at once") << "150"
                                                   << "99"
                                                   << "99";
        QTest::newRow("0 leaves it empty") << "0"
                                           << "0"
                                           << "";
        QTest::newRow("00 leaves it empty") << "00"
                                            << "00"
                                            << "";
        QTest::newRow("nothing stays empty") << ""
                                             << ""
                                             << "";
        QTest::newRow("leading zeros go") << "007"
                                          << "007"
                                          << "7";
        QTest::newRow("letters, points and signs are discarded") << "1a.-2"
                                                                 << "12"
                                                                 << "12";
        QTest::newRow("99 is kept") << "99"
                                    << "99"
                                    << "99";
    }
    void presentChannel() {
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        OptionalFeatures form(m_band);
        auto* text6 = control<QLineEdit>(form, "Text6");
        text6->clear();
        QTest::keyClicks(text6, keys);
        QCOMPARE(text6->text(), typed);
        QTest::keyClick(text6, Qt::Key_Return);
        QCOMPARE(form.presentChannelText(), left);
    }

    void vfoFrequency_data() {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("left");
        QTest::newRow("upper limit is outside") << 136 << 174 << "174"
                                                << "136.00000";
        QTest::newRow("lower limit is inside") << 136 << 174 << "136"
                                               << "136.00000";
        QTest::newRow("snapped down to 5 kHz") << 136 << 174 << "145.123"
                                               << "145.12000";
        QTest::newRow("snapped down to 6.25 kHz") << 400 << 480 << "438.513"
                                                  << "438.51250";
        QTest::newRow("below the band") << 400 << 480 << "399.99999"
                                        << "400.00000";
        QTest::newRow("empty") << 136 << 174 << ""
                               << "136.00000";
        QTest::newRow("a second point ends the number") << 136 << 174 << "145.1.2"
                                                        << "145.10000";
        QTest::newRow("letters are discarded") << 136 << 174 << "1x45"
                                               << "145.00000";
        QTest::newRow("at most nine characters") << 136 << 174 << "145.1234567"
                                                 << "145.12000";
    }
    void vfoFrequency() {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, keys);
        QFETCH(QString, left);
        image::BandLimits band{low, high};
        OptionalFeatures form(band);
        QCOMPARE(typeAndEnter(form, "Text20", keys), left);
    }

    void vfoCheckFollowsTheBandInForce() {
        image::BandLimits band{136, 174};
        OptionalFeatures form(band);
        band = {400, 480};
        QCOMPARE(typeAndEnter(form, "Text20", "145"), QString("400.00000"));
    }

    void offset_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("left");
        QTest::newRow("above 99.995") << "120"
                                      << "99.99500";
        QTest::newRow("99.995 itself") << "99.995"
                                       << "99.99500";
        QTest::newRow("whole") << "5"
                               << "5.00000";
        QTest::newRow("snapped to 6.25 kHz") << "12.507"
                                             << "12.50625";
        QTest::newRow("empty reads 0") << ""
                                       << "0.00000";
    }
    void offset() {
        QFETCH(QString, keys);
        QFETCH(QString, left);
        OptionalFeatures form(m_band);
        QCOMPARE(typeAndEnter(form, "Text21", keys), left);
    }

    // The boxes stop typing at their length; a text the program sets is kept
    // whole (an offset of 100 MHz or more from an image has nine characters).
    void entryLengths_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::newRow("frequency stops at nine") << "Text20"
                                                 << "145.1234567"
                                                 << "145.12345";
        QTest::newRow("offset stops at eight") << "Text21"
                                               << "12.3456789"
                                               << "12.34567";
    }
    void entryLengths() {
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        OptionalFeatures form(m_band);
        auto* entry = control<QLineEdit>(form, qPrintable(box));
        entry->clear();
        QTest::keyClicks(entry, keys);
        QCOMPARE(entry->text(), typed);
        entry->selectAll();
        QTest::keyClicks(entry, "7");
        QCOMPARE(entry->text(), QString("7"));
    }

    void decodedOffsetIsShownWhole_data() {
        QTest::addColumn<QByteArray>("bytes"); // 0x724..0x727
        QTest::addColumn<QString>("shown");
        QTest::newRow("below 100 MHz") << QByteArray("\x00\x95\x99\x09", 4) << "99.99500";
        QTest::newRow("100 MHz and more") << QByteArray("\x78\x56\x34\x12", 4) << "123.45678";
    }
    void decodedOffsetIsShownWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        image::MemoryImage image;
        image.fill(0xFF);
        std::copy(bytes.begin(), bytes.end(), image.begin() + 0x724);
        OptionalFeatures form(m_band);
        form.showDecoded(image::decodeImage(image).Form3);
        QCOMPARE(form.offsetText(), shown);

        image::EditorValues values;
        values.Form3 = form.values();
        image::MemoryImage encoded = image;
        image::encodeImage(values, encoded);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(encoded.data()) + 0x724, 4), bytes);
    }

    // Texts the program shows unfiltered are corrected when the box is left.
    void shownTextIsCorrectedOnLeaving() {
        OptionalFeatures form(m_band);
        auto* text21 = control<QLineEdit>(form, "Text21");
        form.setOffsetText("-5");
        QTest::keyClick(text21, Qt::Key_Return);
        QCOMPARE(text21->text(), QString("0.00000"));
        auto* text6 = control<QLineEdit>(form, "Text6");
        form.setPresentChannelText("12abc");
        QTest::keyClick(text6, Qt::Key_Return);
        QCOMPARE(text6->text(), QString("12"));
    }

    void leavingTheBoxRunsTheCheck() {
        OptionalFeatures form(m_band);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        control<QRadioButton>(form, "Option2")->click();
        auto* text20 = control<QLineEdit>(form, "Text20");
        QTRY_VERIFY(text20->hasFocus());
        text20->clear();
        QTest::keyClicks(text20, "150.0071");
        auto* text21 = control<QLineEdit>(form, "Text21");
        text21->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(text21->hasFocus());
        QCOMPARE(text20->text(), QString("150.00625"));

        // A value still being typed is checked before the editor is read.
        text21->clear();
        QTest::keyClicks(text21, "150");
        form.commitPendingEntry();
        QCOMPARE(form.offsetText(), QString("99.99500"));
    }

    void startFormRestoresTheDefaults() {
        OptionalFeatures form(m_band);
        QCOMPARE(form.presentChannelText(), QString("1"));
        QCOMPARE(form.vfoFrequencyText(), QString("155.00000"));
        QCOMPARE(form.offsetText(), QString("10.00000"));
        QCOMPARE(form.listText("Combo3"), QString("25K"));
        QCOMPARE(form.listText("Combo5"), QString("4"));
        QCOMPARE(form.listText("Combo13"), QString("60 秒"));
        QCOMPARE(form.listText("Combo30"), QString("无异频"));
        QCOMPARE(form.listText("Combo15"), QString("1"));

        const QStringList lists = {"Combo16", "Combo6",  "Combo105", "Combo7",  "Combo9",
                                   "Combo12", "Combo1",  "Combo11",  "Combo3",  "Combo5",
                                   "Combo8",  "Combo10", "Combo19",  "Combo13", "Combo4",
                                   "Combo2",  "Combo14", "Combo15",  "Combo22", "Combo23",
                                   "Combo24", "Combo25", "Combo30",  "Combo27"};
        QMap<QString, int> defaults;
        for (const QString& name : lists) {
            defaults[name] = form.listPosition(name);
            QVERIFY2(form.setListPosition(name, 0), qPrintable(name));
        }
        form.setChecked("Check12", true);
        form.setPresentChannelText("42");
        form.setVfoFrequencyText("140.00000");
        m_band = {400, 470};
        form.StartForm();
        m_band = {136, 174};
        for (const QString& name : lists)
            QCOMPARE(form.listPosition(name), defaults[name]);
        QVERIFY(!form.isChecked("Check12"));
        QCOMPARE(form.presentChannelText(), QString("42"));
        QCOMPARE(form.vfoFrequencyText(), QString("435.00000"));
    }

    void listsHoldTheirChoices() {
        OptionalFeatures form(m_band);
        QCOMPARE(list(form, "Combo1")->count(), 3);
        QCOMPARE(list(form, "Combo1")->itemText(2), QString("频道"));
        QCOMPARE(list(form, "Combo6")->itemText(4), QString("240 分钟"));
        QCOMPARE(list(form, "Combo14")->count(), 10);
        QCOMPARE(list(form, "Combo14")->itemText(0), QString("关"));
        QCOMPARE(list(form, "Combo14")->itemText(9), QString("9"));
        QCOMPARE(list(form, "Combo15")->itemText(5), QString("3"));
        for (const char* tones : {"Combo22", "Combo23"}) {
            QComboBox* box = list(form, tones);
            QCOMPARE(box->count(), 261);
            QCOMPARE(box->itemText(0), QString("关闭"));
            QCOMPARE(box->itemText(8), QString("85.4"));
            QCOMPARE(box->itemText(51), QString("D023N"));
            QCOMPARE(box->itemText(260), QString("D754I"));
        }
    }

    void decodedPositionsOnlyWhereTheListHoldsThem() {
        OptionalFeatures form(m_band);
        QVERIFY(!form.setListPosition("Combo7", 3));
        QCOMPARE(form.listPosition("Combo7"), 1);
        QVERIFY(!form.setListPosition("Combo30", 255));
        QVERIFY(!form.setListPosition("Combo30", -1));
        QCOMPARE(form.listPosition("Combo30"), 2);
        QVERIFY(form.setListPosition("Combo22", 260));
        QCOMPARE(form.listText("Combo22"), QString("D754I"));
        QVERIFY(!form.setListPosition("NoSuchList", 0));
        QCOMPARE(form.listPosition("NoSuchList"), -1);
    }

    void blankImageShowsItsValuesWhereTheListsHoldThem() {
        OptionalFeatures form(m_band);
        editors::PowerLevels levels;
        image::MemoryImage blank;
        blank.fill(0xFF);
        const image::DecodedImage decoded = image::decodeImage(blank);
        form.showDecoded(decoded.Form3);
        levels.showDecoded(decoded.Form4);
        const std::pair<const char*, int> expected[] = {
            {"Combo1", 1},  {"Combo3", 1},  {"Combo16", 1}, {"Combo5", 5},  {"Combo4", 1},
            {"Combo8", 1},  {"Combo9", 1},  {"Combo2", 1},  {"Combo10", 1}, {"Combo19", 1},
            {"Combo7", 1},  {"Combo12", 1}, {"Combo11", 1}, {"Combo14", 5}, {"Combo15", 1},
            {"Combo6", 0},  {"Combo13", 1}, {"Combo22", 0}, {"Combo23", 0}, {"Combo24", 1},
            {"Combo25", 1}, {"Combo27", 1}, {"Combo30", 2},
        };
        for (auto [name, position] : expected)
            QVERIFY2(form.listPosition(name) == position, name);
        QCOMPARE(form.presentChannelText(), QString());
        QCOMPARE(form.vfoFrequencyText(), QString("FFF.FFFFF"));
        QCOMPARE(form.offsetText(), QString("0.00000"));
        QCOMPARE(levels.highPowerLevel(), 255);
        QCOMPARE(levels.lowPowerLevel(), 255);
    }

    void valuesSurviveAnImageRoundTrip() {
        OptionalFeatures form(m_band);
        editors::PowerLevels levels;
        const std::pair<const char*, int> changed[] = {
            {"Combo1", 0},  {"Combo2", 0},  {"Combo3", 2},   {"Combo4", 0},  {"Combo5", 9},
            {"Combo6", 2},  {"Combo7", 2},  {"Combo8", 0},   {"Combo9", 0},  {"Combo10", 0},
            {"Combo11", 0}, {"Combo12", 0}, {"Combo13", 3},  {"Combo14", 9}, {"Combo15", 5},
            {"Combo16", 0}, {"Combo19", 0}, {"Combo105", 2}, {"Combo22", 8}, {"Combo23", 260},
            {"Combo24", 0}, {"Combo25", 0}, {"Combo27", 0},  {"Combo30", 1},
        };
        for (auto [name, position] : changed)
            QVERIFY2(form.setListPosition(name, position), name);
        form.setPresentChannelText("42");
        form.setVfoFrequencyText("438.51250");
        form.setOffsetText("5.00000");
        levels.setHighPowerLevel(3);

        image::EditorValues values;
        values.Form3 = form.values();
        values.Form4 = levels.values();
        image::MemoryImage bytes{};
        image::encodeImage(values, bytes);
        const image::DecodedImage decoded = image::decodeImage(bytes);

        OptionalFeatures fresh(m_band);
        editors::PowerLevels freshLevels;
        fresh.showDecoded(decoded.Form3);
        freshLevels.showDecoded(decoded.Form4);
        QCOMPARE(fresh.values(), form.values());
        QCOMPARE(freshLevels.values(), levels.values());
    }

    void pagesSwitchAndHiddenControlsStayHidden() {
        OptionalFeatures form(m_band);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* functions = control<QGroupBox>(form, "Frame2");
        auto* vfo = control<QGroupBox>(form, "Frame3");
        QVERIFY(functions->isVisible());
        QVERIFY(!vfo->isVisible());
        QVERIFY(control<QGroupBox>(form, "Frame1")->isVisible());

        QTest::mouseClick(control<QRadioButton>(form, "Option2"), Qt::LeftButton);
        QVERIFY(vfo->isVisible());
        QVERIFY(!functions->isVisible());
        QTest::mouseClick(control<QRadioButton>(form, "Option1"), Qt::LeftButton);
        QVERIFY(functions->isVisible());
        QVERIFY(!vfo->isVisible());

        control<QRadioButton>(form, "Option2")->click();
        for (const char* hidden : {"Check1", "Check12", "Label26", "Combo26", "Label28", "Combo28"})
            QVERIFY2(!control<QWidget>(form, hidden)->isVisible(), hidden);
        QCOMPARE(form.caption("Label26"), QString("扫描添加:"));
        QCOMPARE(form.listPosition("Combo28"), 1);
    }
};

TQ_REGISTER_TEST(OptionalFeaturesTest);

#include "optional_features_test.moc"
