// Whole transfers against a radio whose answers to some frames are damaged,
// late or missing: each ends in success only with every block through, and a
// failed read leaves no trace beyond the blocks it took.
// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "qt_support.h"
#include "support/test_registry.h"
// clang-format on

#include <QRegularExpression>
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

QTestData& readRow(const char* name) {
    return QTest::addRow("read: %s", name) << false;
}

QTestData& writeRow(const char* name) {
    return QTest::addRow("write: %s", name) << true;
}

const QByteArray OtherIdent = bytes({'X', 'Y', '-', '9', '9', '9', 3, 0xFF});

} // namespace

class DamagedAnswersTest : public QObject {
    Q_OBJECT

  private slots:
    void transfer_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<StallReason>("reason"); // of the communication error
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("echoed");
        QTest::addColumn<int>("blocks"); // read: taken into ReceiveImage; write: sent

        const StallReason none = StallReason::NoAnswer;
        const QByteArray last = radioBlock(0x7F0);
        readRow("clean") << Replies{} << true << none << 0 << 0 << 99;
        readRow("last block corrupt") << Replies{{"R 07F0", {'X' + last.mid(1)}}} << false
                                      << StallReason::UnexpectedAnswer << 0x7F0 << 0 << 98;
        readRow("last block short") << Replies{{"R 07F0", {last.left(19)}}} << false
                                    << StallReason::UnexpectedAnswer << 0x7F0 << 0 << 98;
        readRow("last block long") << Replies{{"R 07F0", {last + '\0'}}} << false
                                   << StallReason::UnexpectedAnswer << 0x7F0 << 0 << 98;
        readRow("0x06 instead of a middle block")
            << Replies{{"R 0090", {Ack}}} << false << StallReason::UnexpectedAnswer << 0x090 << 0
            << 9;
        readRow("wrong block in the middle") << Replies{{"R 0090", {radioBlock(0x0A0)}}} << false
                                             << StallReason::WrongBlock << 0x090 << 0x0A0 << 9;
        readRow("wrong last block") << Replies{{"R 07F0", {radioBlock(0x7E0)}}} << false
                                    << StallReason::WrongBlock << 0x7F0 << 0x7E0 << 98;
        readRow("wrong block after its own") << Replies{{"06@5", {radioBlock(0x040)}}} << false
                                             << StallReason::WrongBlock << 0x030 << 0x040 << 4;
        readRow("silence after the last block")
            << Replies{{"06@100", {}}} << false << StallReason::AfterLastBlock << 0 << 0 << 99;
        // A byte ahead of the acknowledgement may be one the last block lost,
        // whether it comes in the block's burst or apart.
        readRow("a stray byte after the last block, apart")
            << Replies{{"06@100", {QByteArray(1, '\xFF'), Ack}}} << false
            << StallReason::UnexpectedAnswer << 0x7F0 << 0 << 99;
        readRow("a stray byte after the last block, in one burst")
            << Replies{{"06@100", {QByteArray(1, '\xFF') + Ack}}} << false
            << StallReason::UnexpectedAnswer << 0x7F0 << 0 << 99;
        readRow("noise after the last acknowledgement")
            << Replies{{"06@100", {Ack + bytes({0x10, 0x65})}}} << true << none << 0 << 0 << 99;
        readRow("a refusal instead of a middle block")
            << Replies{{"R 0090", {QByteArray(1, '\x15')}}} << false << StallReason::Refused
            << 0x090 << 0 << 9;
        readRow("0x06 instead of the ident")
            << Replies{{"02", {Ack}}} << false << StallReason::NoIdent << 0 << 0 << 0;
        readRow("ident with a ninth byte")
            << Replies{{"02", {Ident3 + '\0'}}} << false << StallReason::NoIdent << 0 << 0 << 0;
        readRow("0x06 in the ident's burst")
            << Replies{{"02", {Ack + Ident3}}} << true << none << 0 << 0 << 99;
        readRow("0x06 0x06 in the ident's burst")
            << Replies{{"02", {Ack + Ack + Ident3}}} << true << none << 0 << 0 << 99;
        readRow("0x06, then the ident")
            << Replies{{"02", {Ack, Ident3}}} << true << none << 0 << 0 << 99;
        readRow("late handshake acknowledge")
            << Replies{{"PROGRAM", {}}, {"02", {Ack + Ident3}}} << true << none << 0 << 0 << 99;
        readRow("late handshake acknowledge, another radio")
            << Replies{{"PROGRAM", {}}, {"02", {Ack + OtherIdent}}} << false
            << StallReason::WrongProduct << 0 << 0 << 0;
        readRow("ident not acknowledged")
            << Replies{{"06", {}}} << false << StallReason::IdentNotAcknowledged << 0 << 0 << 0;
        readRow("ident acknowledged with more") << Replies{{"06", {Ack + Ack}}} << false
                                                << StallReason::IdentNotAcknowledged << 0 << 0 << 0;

        writeRow("clean") << Replies{} << true << none << 0 << 0 << 97;
        writeRow("0x06 in the ident's burst")
            << Replies{{"02", {Ack + Ident3}}} << true << none << 0 << 0 << 97;
        writeRow("late handshake acknowledge")
            << Replies{{"PROGRAM", {}}, {"02", {Ack + Ident3}}} << true << none << 0 << 0 << 97;
        writeRow("late handshake acknowledge, another radio")
            << Replies{{"PROGRAM", {}}, {"02", {Ack + OtherIdent}}} << false
            << StallReason::WrongProduct << 0 << 0 << 0;
        writeRow("0x06 instead of the ident")
            << Replies{{"02", {Ack}}} << false << StallReason::NoIdent << 0 << 0 << 0;
        writeRow("ident not acknowledged")
            << Replies{{"06", {}}} << false << StallReason::IdentNotAcknowledged << 0 << 0 << 0;
        writeRow("block not acknowledged")
            << Replies{{"W 0090", {}}} << false << StallReason::Stalled << 0x090 << 0 << 10;
        writeRow("block refused") << Replies{{"W 0090", {QByteArray(1, '\x15')}}} << false
                                  << StallReason::Refused << 0x090 << 0 << 10;
        writeRow("block answered with noise") << Replies{{"W 0090", {bytes({0x10, 0x65})}}} << false
                                              << StallReason::UnexpectedAnswer << 0x090 << 0 << 10;
        // The ident's acknowledgement is taken as a read takes it.
        writeRow("ident acknowledged twice") << Replies{{"06", {Ack + Ack}}} << false
                                             << StallReason::IdentNotAcknowledged << 0 << 0 << 0;
        writeRow("ident acknowledged with noise")
            << Replies{{"06", {Ack + bytes({0x10, 0x65})}}} << false
            << StallReason::IdentNotAcknowledged << 0 << 0 << 0;
        writeRow("last block not acknowledged")
            << Replies{{"W 07E0", {}}} << false << StallReason::Stalled << 0x7E0 << 0 << 97;
        writeRow("end not acknowledged")
            << Replies{{"E", {}}} << false << StallReason::AfterLastBlock << 0 << 0 << 97;
    }
    void transfer() {
        QFETCH(bool, write);
        QFETCH(Replies, replies);
        QFETCH(bool, succeeds);
        QFETCH(StallReason, reason);
        QFETCH(int, block);
        QFETCH(int, echoed);
        QFETCH(int, blocks);
        Rig rig;
        for (std::size_t i = 0; i < rig.radio.memory.size(); ++i)
            rig.radio.memory[i] = std::uint8_t(i >> 4);
        rig.receiveImage.fill(0xEE);

        write ? rig.engine.startWrite({}) : rig.engine.startRead();
        run(rig, replies);

        QVERIFY(!rig.engine.busy());
        if (write)
            QCOMPARE(entriesStarting(rig.log, "send W "),
                     sentFrames('W', writeAddresses(false)).mid(0, blocks));
        else
            QVERIFY(rig.receiveImage == imageAfterRead(rig, blocks, 0xEE));
        // A read that fails leaves the band list and the editors as they were.
        const QStringList success = write
                                        ? QStringList{"message WriteSucceeded"}
                                        : QStringList{"band 3", "message ReadSucceeded", "decode"};
        QCOMPARE(qtList(rig.log).filter(QRegularExpression("^(band|message|decode)")),
                 succeeds ? success : QStringList{"message CommunicationError"});
        if (succeeds)
            return;
        const radiolink::TransferFailure& failure = rig.engine.failure();
        QCOMPARE(failure.reason, reason);
        QCOMPARE(failure.block, block);
        QCOMPARE(failure.echoed, echoed);
        QCOMPARE(QString::fromStdString(failure.product),
                 reason == StallReason::WrongProduct ? "XY-999" : "");
    }
};

TQ_REGISTER_TEST(DamagedAnswersTest);

#include "damaged_answers_test.moc"
