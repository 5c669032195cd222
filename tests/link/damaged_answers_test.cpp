// Whole transfers against a radio whose answers to some frames are damaged,
// late or missing: each ends in success only with every block through, and a
// failed read leaves no trace beyond the blocks it took.
// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "qt_support.h"
#include "support/test_registry.h"
// clang-format on

#include <utility>

using namespace linktest;
using radiolink::StallReason;

namespace {

// The radio's answer to a frame, by its name ("02", "R 0090"), replaced by
// these bursts (none: silence). "06@2" is the second "06" the program sends.
using Replies = QList<std::pair<QString, Bursts>>;

// Every byte of the radio's block at 0xABC is 0xAB, so a block stored at the
// wrong offset shows.
QByteArray radioBlock(int address) {
    return block(address, address >> 4);
}

// The radio answers until the line is quiet, then time passes until the
// transfer ends.
void run(Rig& rig, const Replies& replies) {
    QHash<QString, int> seen;
    const auto reply = [&](const Bytes& frame) -> std::optional<Bursts> {
        const QString name = QString::fromStdString(frameName(frame));
        const QString nth = name + '@' + QString::number(++seen[name]);
        for (const auto& [key, bursts] : replies)
            if (key == nth || (key == name && seen[name] == 1))
                return bursts;
        return std::nullopt;
    };
    for (int tick = 0; tick < 30; ++tick) {
        while (rig.answered < rig.port.sent.size()) {
            const Bytes frame = rig.port.sent[rig.answered++];
            const Bytes answer = rig.radio.answer(frame);
            const std::optional<Bursts> damaged = reply(frame);
            if (damaged)
                receiveAll(rig, *damaged);
            else if (!answer.empty())
                rig.receive(answer);
        }
        if (!rig.engine.busy())
            return;
        rig.elapse();
    }
}

// The blocks the radio's image shows in ReceiveImage: the first `count` of
// the read map; the rest of the image as it was.
image::MemoryImage imageAfterRead(const Rig& rig, int count, std::uint8_t before) {
    image::MemoryImage expected;
    expected.fill(before);
    const std::vector<int> addresses = readAddresses();
    for (int n = 0; n < count; ++n) {
        const auto at = std::size_t(addresses[std::size_t(n)]);
        for (std::size_t i = at; i < at + 16; ++i)
            if (readFills(i))
                expected[i] = rig.radio.memory[i];
    }
    return expected;
}

void addOutcomeColumns() {
    QTest::addColumn<Replies>("replies");
    QTest::addColumn<QString>("message");
    QTest::addColumn<StallReason>("reason"); // of the communication error
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("echoed");
    QTest::addColumn<int>("blocks"); // read: taken into ReceiveImage; write: sent
}

void checkFailure(const Rig& rig, StallReason reason, int block, int echoed) {
    QCOMPARE(entriesStarting(rig.log, "message"), QStringList{"message CommunicationError"});
    const radiolink::TransferFailure& failure = rig.engine.failure();
    QCOMPARE(failure.reason, reason);
    QCOMPARE(failure.block, block);
    QCOMPARE(failure.echoed, echoed);
    QCOMPARE(QString::fromStdString(failure.product),
             reason == StallReason::WrongProduct ? "XY-999" : "");
}

const QByteArray OtherIdent = bytes({'X', 'Y', '-', '9', '9', '9', 3, 0xFF});

} // namespace

class DamagedAnswersTest : public QObject {
    Q_OBJECT

  private slots:
    void read_data() {
        addOutcomeColumns();
        const QString done = "ReadSucceeded", error = "CommunicationError";
        const StallReason none = StallReason::NoAnswer;
        const QByteArray last = radioBlock(0x7F0);

        QTest::newRow("clean") << Replies{} << done << none << 0 << 0 << 99;
        QTest::newRow("last block corrupt") << Replies{{"R 07F0", {'X' + last.mid(1)}}} << error
                                            << StallReason::Stalled << 0x7F0 << 0 << 98;
        QTest::newRow("last block short") << Replies{{"R 07F0", {last.left(19)}}} << error
                                          << StallReason::Stalled << 0x7F0 << 0 << 98;
        QTest::newRow("last block long") << Replies{{"R 07F0", {last + '\0'}}} << error
                                         << StallReason::Stalled << 0x7F0 << 0 << 98;
        QTest::newRow("0x06 instead of a middle block")
            << Replies{{"R 0090", {Ack}}} << error << StallReason::Stalled << 0x090 << 0 << 9;
        QTest::newRow("wrong block in the middle")
            << Replies{{"R 0090", {radioBlock(0x0A0)}}} << error << StallReason::WrongBlock << 0x090
            << 0x0A0 << 9;
        QTest::newRow("wrong last block") << Replies{{"R 07F0", {radioBlock(0x7E0)}}} << error
                                          << StallReason::WrongBlock << 0x7F0 << 0x7E0 << 98;
        QTest::newRow("wrong block after its own")
            << Replies{{"06@5", {radioBlock(0x040)}}} << error << StallReason::WrongBlock << 0x030
            << 0x040 << 4;
        QTest::newRow("silence after the last block")
            << Replies{{"06@100", {}}} << error << StallReason::AfterLastBlock << 0 << 0 << 99;
        QTest::newRow("0x06 instead of the ident")
            << Replies{{"02", {Ack}}} << error << StallReason::NoIdent << 0 << 0 << 0;
        QTest::newRow("ident with a ninth byte")
            << Replies{{"02", {Ident3 + '\0'}}} << error << StallReason::NoIdent << 0 << 0 << 0;
        QTest::newRow("0x06 in the ident's burst")
            << Replies{{"02", {Ack + Ident3}}} << done << none << 0 << 0 << 99;
        QTest::newRow("0x06 0x06 in the ident's burst")
            << Replies{{"02", {Ack + Ack + Ident3}}} << done << none << 0 << 0 << 99;
        QTest::newRow("0x06, then the ident")
            << Replies{{"02", {Ack, Ident3}}} << done << none << 0 << 0 << 99;
        QTest::newRow("late handshake acknowledge")
            << Replies{{"PROGRAM", {}}, {"02", {Ack + Ident3}}} << done << none << 0 << 0 << 99;
        QTest::newRow("late handshake acknowledge, another radio")
            << Replies{{"PROGRAM", {}}, {"02", {Ack + OtherIdent}}} << error
            << StallReason::WrongProduct << 0 << 0 << 0;
        QTest::newRow("ident not acknowledged")
            << Replies{{"06", {}}} << error << StallReason::IdentNotAcknowledged << 0 << 0 << 0;
        QTest::newRow("ident acknowledged with more")
            << Replies{{"06", {Ack + Ack}}} << error << StallReason::IdentNotAcknowledged << 0 << 0
            << 0;
    }
    void read() {
        QFETCH(Replies, replies);
        QFETCH(QString, message);
        QFETCH(StallReason, reason);
        QFETCH(int, block);
        QFETCH(int, echoed);
        QFETCH(int, blocks);
        Rig rig;
        for (std::size_t i = 0; i < rig.radio.memory.size(); ++i)
            rig.radio.memory[i] = std::uint8_t(i >> 4);
        rig.receiveImage.fill(0xEE);

        rig.engine.startRead();
        run(rig, replies);

        QVERIFY(!rig.engine.busy());
        QVERIFY(rig.receiveImage == imageAfterRead(rig, blocks, 0xEE));
        if (message == "ReadSucceeded") {
            QCOMPARE(qtList(rig.logFrom("band 3")),
                     QStringList({"band 3", "message ReadSucceeded", "decode"}));
            return;
        }
        // The band list and the editors stay as they were.
        QCOMPARE(entriesStarting(rig.log, "band").size(), 0);
        QCOMPARE(entriesStarting(rig.log, "decode").size(), 0);
        checkFailure(rig, reason, block, echoed);
    }

    void write_data() {
        addOutcomeColumns();
        const QString done = "WriteSucceeded", error = "CommunicationError";
        const StallReason none = StallReason::NoAnswer;
        QTest::newRow("clean") << Replies{} << done << none << 0 << 0 << 97;
        QTest::newRow("0x06 in the ident's burst")
            << Replies{{"02", {Ack + Ident3}}} << done << none << 0 << 0 << 97;
        QTest::newRow("late handshake acknowledge")
            << Replies{{"PROGRAM", {}}, {"02", {Ack + Ident3}}} << done << none << 0 << 0 << 97;
        QTest::newRow("late handshake acknowledge, another radio")
            << Replies{{"PROGRAM", {}}, {"02", {Ack + OtherIdent}}} << error
            << StallReason::WrongProduct << 0 << 0 << 0;
        QTest::newRow("0x06 instead of the ident")
            << Replies{{"02", {Ack}}} << error << StallReason::NoIdent << 0 << 0 << 0;
        QTest::newRow("ident not acknowledged")
            << Replies{{"06", {}}} << error << StallReason::IdentNotAcknowledged << 0 << 0 << 0;
        QTest::newRow("block not acknowledged")
            << Replies{{"W 0090", {}}} << error << StallReason::Stalled << 0x090 << 0 << 10;
        QTest::newRow("last block not acknowledged")
            << Replies{{"W 07E0", {}}} << error << StallReason::Stalled << 0x7E0 << 0 << 97;
        QTest::newRow("end not acknowledged")
            << Replies{{"E", {}}} << error << StallReason::AfterLastBlock << 0 << 0 << 97;
    }
    void write() {
        QFETCH(Replies, replies);
        QFETCH(QString, message);
        QFETCH(StallReason, reason);
        QFETCH(int, block);
        QFETCH(int, echoed);
        QFETCH(int, blocks);
        Rig rig;
        rig.engine.startWrite({});
        run(rig, replies);

        QVERIFY(!rig.engine.busy());
        QCOMPARE(entriesStarting(rig.log, "send W "),
                 sentFrames('W', writeAddresses(false)).mid(0, blocks));
        if (message == "WriteSucceeded")
            QCOMPARE(entriesStarting(rig.log, "message"), QStringList{"message WriteSucceeded"});
        else
            checkFailure(rig, reason, block, echoed);
    }
};

TQ_REGISTER_TEST(DamagedAnswersTest);

#include "damaged_answers_test.moc"
