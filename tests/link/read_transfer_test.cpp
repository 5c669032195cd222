// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "qt_support.h"
#include "support/test_registry.h"
// clang-format on

using namespace linktest;

class ReadTransferTest : public QObject {
    Q_OBJECT

  private slots:
    // A whole read against a radio that answers everything: the 99 requests
    // in order, the image filled exactly where the map says and nowhere else,
    // the band taken at the end, the success shown before the editors are
    // filled.
    void fullRead_data() {
        QTest::addColumn<int>("bandByte");
        QTest::addColumn<QString>("band");
        QTest::newRow("band 3") << 0x03 << "band 3";
        QTest::newRow("high bits ignored") << 0xF5 << "band 5";
        QTest::newRow("band letter, the view ignores it") << 0x0A << "band 10";
    }
    void fullRead() {
        QFETCH(int, bandByte);
        QFETCH(QString, band);
        Rig rig;
        rig.radio.bandByte = std::uint8_t(bandByte);
        for (std::size_t i = 0; i < rig.radio.memory.size(); ++i)
            rig.radio.memory[i] = std::uint8_t(i * 7 + 1);
        rig.receiveImage.fill(0xA5);
        int barAtBlock7E0 = 0;

        rig.engine.startRead();
        QCOMPARE(qtList(rig.log), QStringList({"commit", "start Meg", "start W", "send PROGRAM",
                                               "progress read 1-100"}));
        rig.converse([&](const Bytes& frame) {
            if (frameName(frame) == "R 07E0")
                barAtBlock7E0 = rig.view.barValue;
        });

        QCOMPARE(entriesStarting(rig.log, "send R "), sentFrames('R', readAddresses()));
        for (std::size_t i = 0; i < rig.receiveImage.size(); ++i)
            QVERIFY2(rig.receiveImage[i] == (readFills(i) ? rig.radio.memory[i] : 0xA5),
                     qPrintable(QString::number(i, 16)));
        QCOMPARE(entriesStarting(rig.log, "send PROGRAM").size(), 1);
        QCOMPARE(barAtBlock7E0, 100);
        QCOMPARE(rig.view.barValue, 100);
        QCOMPARE(qtList(rig.logFrom("send E")), QStringList({"send E", "stop W", "close", band,
                                                             "message ReadSucceeded", "decode"}));
        QVERIFY(!rig.engine.Reading);
        // A block is awaited whole; acknowledges byte by byte.
        for (std::size_t i = 0; i < rig.port.sent.size(); ++i)
            QCOMPARE(rig.port.thresholdAtSend[i], rig.port.sent[i][0] == 'R' ? 20 : 1);
        QCOMPARE(rig.port.threshold, 1);
    }

    // What the read sends after the handshake's acknowledge, for the
    // radio's answers at the ident and in the blocks. The band is kept until
    // the read succeeds.
    void answers_data() {
        QTest::addColumn<Bursts>("bursts");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("stage");

        const QStringList identTaken{"send 06"};
        QTest::newRow("ident") << Bursts{Ident3} << identTaken << 2;
        QTest::newRow("ident in pieces")
            << Bursts{Ident3.left(3), Ident3.mid(3)} << identTaken << 2;
        QTest::newRow("ident with a ninth byte") << Bursts{Ident3 + '\0'} << QStringList() << 2;
        QTest::newRow("ident of another radio")
            << Bursts{bytes({'T', 'Q', '-', '4', '7', 0x00, 0x03, 0xFF})} << QStringList() << 2;
        QTest::newRow("acknowledge without ident") << Bursts{Ack} << QStringList() << 2;
        QTest::newRow("acknowledge, then ident") << Bursts{Ack, Ident3} << identTaken << 2;
        QTest::newRow("acknowledge and ident in one burst")
            << Bursts{Ack + Ident3} << identTaken << 2;
        QTest::newRow("ident then acknowledge")
            << Bursts{Ident3, Ack} << QStringList{"send 06", "send R 0000"} << 3;
        QTest::newRow("ident then two acknowledges")
            << Bursts{Ident3, Ack + Ack} << identTaken << 2;
        QTest::newRow("0657 at the ident") << Bursts{bytes({0x06, 0x57})} << QStringList() << 2;

        const QStringList requested{"send 06", "send R 0000"};
        const Bursts toBlocks{Ident3, Ack};
        QTest::newRow("block") << toBlocks + Bursts{block(0, 1)}
                               << requested + QStringList{"send 06"} << 3;
        QTest::newRow("block in pieces")
            << toBlocks + Bursts{block(0, 1).left(10), block(0, 1).mid(10)}
            << requested + QStringList{"send 06"} << 3;
        QTest::newRow("0657 in the blocks")
            << toBlocks + Bursts{Ack + block(0, 1).left(19)} << requested << 3;
        QTest::newRow("block of 21 bytes")
            << toBlocks + Bursts{block(0, 1) + '\0'} << requested << 3;
        QTest::newRow("block without W")
            << toBlocks + Bursts{'X' + block(0, 1).mid(1)} << requested << 3;
        QTest::newRow("acknowledge before the block") << toBlocks + Bursts{Ack} << requested << 3;
        QTest::newRow("next request") << toBlocks + Bursts{block(0, 1), Ack}
                                      << requested + QStringList{"send 06", "send R 0010"} << 4;
    }
    void answers() {
        QFETCH(Bursts, bursts);
        QFETCH(QStringList, expected);
        QFETCH(int, stage);
        Rig rig;
        rig.engine.startRead();
        rig.receive({0x06});
        QCOMPARE(rig.log.back(), std::string("send 02"));
        rig.log.clear();

        receiveAll(rig, bursts);
        QCOMPARE(qtList(rig.log), expected);
        QCOMPARE(rig.engine.ReadStage, stage);
        QVERIFY(rig.engine.Reading);
    }
};

TQ_REGISTER_TEST(ReadTransferTest);

#include "read_transfer_test.moc"
