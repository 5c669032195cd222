// What the read and the write share: the port check, the handshake repeat,
// the watchdog and what counts as an acknowledge.
// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "qt_support.h"
#include "support/test_registry.h"
// clang-format on

using namespace linktest;
using radiolink::StallReason;

namespace {

void start(Rig& rig, bool write) {
    write ? rig.engine.startWrite({}) : rig.engine.startRead();
}

void addKinds(const char* name, auto&&... columns) {
    ((QTest::addRow("read: %s", name) << false) << ... << columns);
    ((QTest::addRow("write: %s", name) << true) << ... << columns);
}

} // namespace

class BothTransfersTest : public QObject {
    Q_OBJECT

  private slots:
    // A closed port: the message and nothing else, nothing encoded or sent.
    void portClosed_data() {
        QTest::addColumn<bool>("write");
        addKinds("port closed");
    }
    void portClosed() {
        QFETCH(bool, write);
        Rig rig;
        rig.port.open = false;
        start(rig, write);
        QCOMPARE(qtList(rig.log), QStringList{"message PortInvalid"});
        QVERIFY(!rig.engine.busy());
    }

    // One "PROGRAM" for a radio that answers within 1.5 s; a second at the
    // third tick for a slower one, and never a third.
    void handshakeRepeat_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("silentTicks");
        QTest::addColumn<int>("handshakes");
        addKinds("answers at once", 0, 1);
        addKinds("answers after 1 s", 2, 1);
        addKinds("answers after 1.5 s", 3, 2);
        addKinds("answers after 3 s", 6, 2);
    }
    void handshakeRepeat() {
        QFETCH(bool, write);
        QFETCH(int, silentTicks);
        QFETCH(int, handshakes);
        Rig rig;
        start(rig, write);
        rig.elapse(silentTicks);
        rig.receive({0x06});
        rig.elapse();
        QCOMPARE(entriesStarting(rig.log, "send PROGRAM").size(), handshakes);
        QCOMPARE(qtList(rig.log).filter("send 02").size(), 1);
        QVERIFY(!rig.timerMeg.running);
        QCOMPARE(rig.engine.HandshakeTicks, 0);
    }

    // Silence, or answers the transfer cannot take, end it at the seventh
    // watchdog tick after the last step (1.5 s later at the handshake, which
    // is sent again), with "E" and the communication error.
    void watchdog_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<Bursts>("bursts");
        QTest::addColumn<StallReason>("reason");
        QTest::addColumn<int>("abortTick");
        addKinds("silent radio", Bursts{}, StallReason::NoAnswer, 9);
        addKinds("other bytes at the handshake", Bursts{bytes({0x10, 0x65})},
                 StallReason::HandshakeRefused, 9);
        addKinds("a refusal at the handshake", Bursts{bytes({0x15})}, StallReason::HandshakeRefused,
                 9);
        addKinds("another product", Bursts{Ack, bytes({'T', 'Q', '-', '4', '7', 0, 3, 0xFF})},
                 StallReason::WrongProduct, 7);
        addKinds("ident with a ninth byte", Bursts{Ack, Ident3 + '\0'}, StallReason::NoIdent, 7);
        addKinds("0657 at the ident", Bursts{Ack, bytes({0x06, 0x57})}, StallReason::NoIdent, 7);
        QTest::addRow("read: 0657 in the blocks")
            << false << Bursts{Ack, Ident3, Ack, Ack + block(0, 1).left(19)}
            << StallReason::UnexpectedAnswer << 7;
        QTest::addRow("write: silent after a block")
            << true << Bursts{Ack, Ident3, Ack} << StallReason::Stalled << 7;
    }
    void watchdog() {
        QFETCH(bool, write);
        QFETCH(Bursts, bursts);
        QFETCH(StallReason, reason);
        QFETCH(int, abortTick);
        Rig rig;
        start(rig, write);
        receiveAll(rig, bursts);
        rig.elapse(abortTick - 1);
        QVERIFY(rig.engine.busy());
        QCOMPARE(entriesStarting(rig.log, "message").size(), 0);

        rig.port.threshold = 20;
        rig.elapse();
        QVERIFY(!rig.engine.busy());
        QCOMPARE(qtList(rig.logFrom("send E")),
                 QStringList({"send E", "stop W", "close", "message CommunicationError"}));
        QCOMPARE(rig.port.threshold, 1);
        QCOMPARE(rig.engine.failure().reason, reason);
        QVERIFY(!rig.timerW.running && !rig.timerMeg.running);
    }

    // Bytes that never reached a block's threshold are what the radio said
    // last: a refusal or a short block is told as such, not as silence.
    void answerBelowTheBlockThreshold_data() {
        QTest::addColumn<QByteArray>("waiting");
        QTest::addColumn<StallReason>("reason");
        QTest::newRow("nothing") << QByteArray() << StallReason::Stalled;
        QTest::newRow("a refusal") << QByteArray("\x15") << StallReason::Refused;
        QTest::newRow("19 bytes of a block")
            << block(0, 1).left(19) << StallReason::UnexpectedAnswer;
    }
    void answerBelowTheBlockThreshold() {
        QFETCH(QByteArray, waiting);
        QFETCH(StallReason, reason);
        Rig rig;
        start(rig, false);
        receiveAll(rig, Bursts{Ack, Ident3, Ack});
        rig.port.waiting = toBytes(waiting);
        rig.elapse(7);
        QVERIFY(!rig.engine.busy());
        QCOMPARE(rig.engine.failure().reason, reason);
        QCOMPARE(rig.engine.failure().block, 0x000);
    }

    // An acknowledge is a whole 0x06 byte: "1065" holds none; one 0x06 after a
    // stray byte counts; two in a burst advance the write once.
    void acknowledge_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<Bursts>("before");
        QTest::addColumn<QByteArray>("burst");
        QTest::addColumn<QStringList>("sent");
        addKinds("handshake, 10 65", Bursts{}, bytes({0x10, 0x65}), QStringList());
        addKinds("handshake, 30 60", Bursts{}, bytes({0x30, 0x60}), QStringList());
        addKinds("handshake, 10 06", Bursts{}, bytes({0x10, 0x06}), QStringList{"send 02"});
        const Bursts toBlocks{Ack, Ident3, Ack};
        QTest::addRow("write blocks: 10 65")
            << true << toBlocks << bytes({0x10, 0x65}) << QStringList();
        QTest::addRow("write blocks: 55 06")
            << true << toBlocks << bytes({0x55, 0x06}) << QStringList{"send W 0010"};
        QTest::addRow("write blocks: 06 06")
            << true << toBlocks << bytes({0x06, 0x06}) << QStringList{"send W 0010"};
        addKinds("ident's acknowledgement: 06 06", Bursts{Ack, Ident3}, bytes({0x06, 0x06}),
                 QStringList());
    }
    void acknowledge() {
        QFETCH(bool, write);
        QFETCH(Bursts, before);
        QFETCH(QByteArray, burst);
        QFETCH(QStringList, sent);
        Rig rig;
        start(rig, write);
        receiveAll(rig, before);
        rig.log.clear();
        rig.receive(toBytes(burst));
        QCOMPARE(entriesStarting(rig.log, "send"), sent);
    }

    // What came before a transfer is no answer to its handshake: the radio's
    // 0x06 for the last "E", stray bytes on an idle line.
    void staleBytesAreNoAnswer_data() {
        QTest::addColumn<bool>("write");
        addKinds("earlier transfer's last 06");
    }
    void staleBytesAreNoAnswer() {
        QFETCH(bool, write);
        Rig rig;
        rig.engine.RxHex = "06";   // left by the transfer before
        rig.receive({0x06, 0x06}); // and more on the idle line
        start(rig, write);
        rig.log.clear();
        rig.receive({0x10, 0x65});
        QCOMPARE(entriesStarting(rig.log, "send"), QStringList());
        rig.receive({0x06});
        QCOMPARE(entriesStarting(rig.log, "send"), QStringList{"send 02"});
    }
};

TQ_REGISTER_TEST(BothTransfersTest);

#include "both_transfers_test.moc"
