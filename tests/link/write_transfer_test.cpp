// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "qt_support.h"
#include "support/test_registry.h"
// clang-format on

using namespace linktest;

class WriteTransferTest : public QObject {
    Q_OBJECT

  private slots:
    // Whole writes: the blocks of TransmitImage in order, the radio's other
    // bytes untouched, the bar at 101 of 103 (103 with the calibration block).
    void fullWrite_data() {
        QTest::addColumn<bool>("debug");
        QTest::addColumn<bool>("force");
        QTest::addColumn<int>("radioBand");
        QTest::addColumn<int>("bar");
        QTest::newRow("same band") << false << false << 3 << 101;
        QTest::newRow("DebugMode") << true << false << 3 << 103;
        QTest::newRow("ForceWriteMode, same band") << false << true << 3 << 101;
        QTest::newRow("ForceWriteMode, other band, OK") << false << true << 6 << 101;
    }
    void fullWrite() {
        QFETCH(bool, debug);
        QFETCH(bool, force);
        QFETCH(int, radioBand);
        QFETCH(int, bar);
        Rig rig;
        rig.radio.bandByte = std::uint8_t(radioBand);
        rig.radio.memory.fill(0x11);
        for (std::size_t i = 0; i < rig.view.encoded.size(); ++i)
            rig.view.encoded[i] = std::uint8_t(i * 13 + 5);
        rig.view.forceAnswer = true;

        rig.engine.startWrite({.forceWrite = force, .debug = debug});
        QCOMPARE(qtList(rig.log), QStringList({"commit", "start Meg", "start W", "send PROGRAM",
                                               "encode", "progress write 1-103"}));
        rig.converse();

        const std::vector<int> written = writeAddresses(debug);
        QCOMPARE(entriesStarting(rig.log, "send W "), sentFrames('W', written));
        image::MemoryImage expected;
        expected.fill(0x11);
        for (int a : written)
            std::copy_n(rig.view.encoded.begin() + a, 16, expected.begin() + a);
        QVERIFY(rig.radio.memory == expected);
        QCOMPARE(rig.view.barValue, bar);
        QCOMPARE(qtList(rig.logFrom("close")), QStringList({"close", "message WriteSucceeded"}));
        const bool asked = radioBand != 3;
        QCOMPARE(entriesStarting(rig.log, "question").size(), asked ? 1 : 0);
        if (asked) // no watchdog while the user decides
            QCOMPARE(qtList(rig.logFrom("stop W")).mid(0, 3),
                     QStringList({"stop W", "question", "start W"}));
        QVERIFY(!rig.engine.Writing && !rig.timerW.running);
    }

    // A band the list does not show: only "E" goes to the radio, after the
    // watchdog has stopped; refused with a message, or cancelled without one.
    void bandMismatch_data() {
        QTest::addColumn<bool>("force");
        QTest::addColumn<int>("bandByte");
        QTest::addColumn<QStringList>("expected");
        const QStringList refused{"stop W", "send E", "message BandRefused", "close"};
        const QStringList cancelled{"stop W", "question", "send E", "stop W", "close"};
        QTest::newRow("other band") << false << 5 << refused;
        // B: 11, which a careless reading of three bits takes for band 3.
        QTest::newRow("band letter") << false << 0x0B << refused;
        QTest::newRow("other band, forced, Cancel") << true << 5 << cancelled;
        QTest::newRow("band letter, forced, Cancel") << true << 0x0B << cancelled;
    }
    void bandMismatch() {
        QFETCH(bool, force);
        QFETCH(int, bandByte);
        QFETCH(QStringList, expected);
        Rig rig;
        rig.radio.bandByte = std::uint8_t(bandByte);
        rig.engine.startWrite({.forceWrite = force, .debug = false});
        rig.converse();
        QCOMPARE(qtList(rig.logFrom("send 02")).mid(1), expected);
        QVERIFY(!rig.engine.Writing && !rig.timerW.running);
    }

    // The question's box lets the radio's bytes in: they neither ask again nor
    // move the write on, and OK then writes as usual.
    void bytesWhileAsking() {
        Rig rig;
        rig.radio.bandByte = 5;
        rig.view.forceAnswer = true;
        bool asked = false;
        rig.view.whileModal = [&] {
            if (rig.log.back() != "question")
                return;
            if (std::exchange(asked, true))
                QFAIL("asked again inside the question");
            rig.receive({});
            receiveAll(rig, {Ident3, Ack, toQt(ident(5))});
            rig.elapse(8);
        };
        rig.engine.startWrite({.forceWrite = true, .debug = false});
        rig.converse();
        QCOMPARE(entriesStarting(rig.log, "question").size(), 1);
        QCOMPARE(entriesStarting(rig.log, "send W ").size(), 97);
        QCOMPARE(entriesStarting(rig.log, "message"), QStringList{"message WriteSucceeded"});
    }
};

TQ_REGISTER_TEST(WriteTransferTest);

#include "write_transfer_test.moc"
