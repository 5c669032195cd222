// The safe write: backup, confirmation, write and verify over one engine,
// against the simulated radio, with the ways a write goes wrong.
// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "qt_support.h"
#include "support/test_registry.h"
// clang-format on

#include "link/safe_write.h"

using namespace linktest;
using radiolink::SafeWriteOutcome;
using radiolink::SafeWriteReason;
using radiolink::SafeWriteStage;

Q_DECLARE_METATYPE(SafeWriteOutcome)
Q_DECLARE_METATYPE(SafeWriteReason)

namespace {

using Addresses = QList<int>;

// A safe write on fakes, with the simulated radio on the line. A hook may
// tamper with each frame's answer, as a faulty radio or line would.
struct SafeRig : radiolink::SafeWriteView {
    Log log;
    FakePort port{log};
    FakeTimer timerW{log, "W"};
    FakeTimer timerMeg{log, "Meg"};
    SimulatedRadio radio;
    radiolink::SafeWrite safe{port, timerW, timerMeg, *this};
    std::size_t answered = 0;

    std::optional<bool> answer = true; // to the confirmation, at once; none: later
    bool keep = true;
    std::optional<image::MemoryImage> kept;
    std::optional<radiolink::Confirmation> confirmation;
    std::optional<radiolink::SafeWriteResult> result;
    QList<int> stages; // SafeWriteStage
    QList<int> overall;
    // Sees every frame and the radio's answer to it before the program does;
    // false: the frame is lost (the radio was busy).
    std::function<bool(const Bytes& frame, Bytes& reply)> tamper;

    image::MemoryImage image{}; // what is written

    SafeRig() {
        radio.memory.fill(0x11);
        for (std::size_t i = 0; i < image::ImageSize; ++i)
            image[i] = std::uint8_t(i * 7 + 3);
    }

    void start(radiolink::SafeWriteOptions options = {}) {
        safe.start(std::span<const std::uint8_t, image::ImageSize>(image.data(), image::ImageSize),
                   3, options);
    }

    void converse() {
        while (answered < port.sent.size()) {
            const Bytes frame = port.sent[answered++];
            Bytes reply = radio.answer(frame);
            if (tamper && !tamper(frame, reply))
                continue;
            if (!reply.empty())
                safe.bytesReceived(reply);
        }
    }
    // Until the sequence ends, the watchdog included.
    void runToEnd() {
        for (int tick = 0; tick < 40 && !result; ++tick) {
            converse();
            if (timerMeg.running)
                safe.timerMegTick();
            if (timerW.running)
                safe.timerWTick();
        }
    }

    void progressChanged(const radiolink::SafeWriteProgress& progress) override {
        if (stages.isEmpty() || stages.last() != int(progress.stage))
            stages << int(progress.stage);
        overall << progress.overallPercent;
    }
    bool keepBackup(const image::MemoryImage& backup, std::optional<int>) override {
        kept = backup;
        return keep;
    }
    void confirmationNeeded(const radiolink::Confirmation& asked) override {
        confirmation = asked;
        if (answer)
            safe.confirm(*answer);
    }
    bool confirmForcedWrite() override { return true; }
    void finished(const radiolink::SafeWriteResult& ended) override { result = ended; }

    QStringList framesSent(char command) const {
        return entriesStarting(log, QString("send ") + command + " ");
    }
};

int writeBlock(int n) {
    return writeAddresses(false).at(std::size_t(n));
}

QStringList sentAfter(const SafeRig& rig, const QString& entry) {
    return entriesStarting(Log(std::ranges::find(rig.log, entry.toStdString()), rig.log.end()),
                           "send");
}

// Beside the rig its lambdas capture: a class other files could name may
// not hold a type of this file's own, which a unity build would reject.
class SafeWriteTest : public QObject {
    Q_OBJECT

  private slots:
    // How a write ends, told apart: what the radio holds decides the outcome.
    void outcome_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("backup");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<SafeWriteOutcome>("outcome");
        QTest::addColumn<SafeWriteReason>("reason");
        QTest::addColumn<int>("blocksSent");
        QTest::addColumn<Addresses>("differing");

        const int all = 97;
        QTest::newRow("backup, write, verify") << "" << true << true << SafeWriteOutcome::Verified
                                               << SafeWriteReason::None << all << Addresses{};
        QTest::newRow("write alone") << "" << false << false << SafeWriteOutcome::Written
                                     << SafeWriteReason::None << all << Addresses{};
        // "change BLOCK [BYTE]": the radio stores byte BYTE (2 if not given) altered.
        QTest::newRow("a block stored changed")
            << "change 0x090" << true << true << SafeWriteOutcome::VerifyFailed
            << SafeWriteReason::None << all << Addresses{0x090};
        QTest::newRow("a block stored changed in its first byte")
            << "change 0x090 0" << true << true << SafeWriteOutcome::VerifyFailed
            << SafeWriteReason::None << all << Addresses{0x090};
        QTest::newRow("a block stored changed in its last byte")
            << "change 0x4F0 15" << true << true << SafeWriteOutcome::VerifyFailed
            << SafeWriteReason::None << all << Addresses{0x4F0};
        // The radio's stray 0x06 moves the write on early; the frame sent on
        // it reaches a busy radio and is lost, and the write still ends well.
        QTest::newRow("a stray acknowledge")
            << "stray ack after 0x090" << true << true << SafeWriteOutcome::VerifyFailed
            << SafeWriteReason::None << all << Addresses{0x0B0};
        QTest::newRow("a changed block, not verified")
            << "change 0x090" << true << false << SafeWriteOutcome::Written << SafeWriteReason::None
            << all << Addresses{};
        QTest::newRow("the calibration block stored changed")
            << "change 0x7F0" << true << true << SafeWriteOutcome::VerifyFailed
            << SafeWriteReason::None << all + 1 << Addresses{0x7F0};
        // Of the calibration block a read brings back 0x7F0 and 0x7F2 only.
        QTest::newRow("the calibration block written")
            << "calibration 0x7F0" << true << true << SafeWriteOutcome::Verified
            << SafeWriteReason::None << all + 1 << Addresses{};
        QTest::newRow("radio of another band")
            << "band 5" << true << true << SafeWriteOutcome::NothingWritten
            << SafeWriteReason::BandRefused << 0 << Addresses{};
        QTest::newRow("radio of another band, no backup")
            << "band 5" << false << true << SafeWriteOutcome::NothingWritten
            << SafeWriteReason::BandRefused << 0 << Addresses{};
        QTest::newRow("declined") << "decline" << true << true << SafeWriteOutcome::NothingWritten
                                  << SafeWriteReason::Declined << 0 << Addresses{};
        QTest::newRow("backup not kept")
            << "not kept" << true << true << SafeWriteOutcome::BackupFailed
            << SafeWriteReason::NotKept << 0 << Addresses{};
        QTest::newRow("port closed")
            << "port closed" << true << true << SafeWriteOutcome::NothingWritten
            << SafeWriteReason::PortInvalid << 0 << Addresses{};
        QTest::newRow("silent radio")
            << "silent" << true << true << SafeWriteOutcome::NothingWritten
            << SafeWriteReason::LinkFailed << 0 << Addresses{};
        QTest::newRow("backup read breaks off")
            << "stall R 0300" << true << true << SafeWriteOutcome::BackupFailed
            << SafeWriteReason::LinkFailed << 0 << Addresses{};
        QTest::newRow("first block unanswered")
            << "stall W 0000" << true << true << SafeWriteOutcome::Partial
            << SafeWriteReason::LinkFailed << 1 << Addresses{};
        QTest::newRow("stall at block 50")
            << "stall W 0310" << true << true << SafeWriteOutcome::Partial
            << SafeWriteReason::LinkFailed << 50 << Addresses{};
        // Every block acknowledged, only "E" not: the verify read decides.
        QTest::newRow("end unanswered") << "stall E" << true << true << SafeWriteOutcome::Verified
                                        << SafeWriteReason::None << all << Addresses{};
        QTest::newRow("end unanswered, not verified")
            << "stall E" << true << false << SafeWriteOutcome::Written
            << SafeWriteReason::LinkFailed << all << Addresses{};
        // A verify read that breaks off still tells what it read: a block the
        // radio did not store as sent before that point.
        QTest::newRow("verify breaks off after what was stored")
            << "stall R 0300" << false << true << SafeWriteOutcome::Written
            << SafeWriteReason::LinkFailed << all << Addresses{};
        QTest::newRow("verify breaks off after a block stored changed")
            << "change 0x090, stall R 0300" << false << true << SafeWriteOutcome::Written
            << SafeWriteReason::LinkFailed << all << Addresses{0x090};
        QTest::newRow("verify breaks off before a block stored changed")
            << "change 0x400, stall R 0300" << false << true << SafeWriteOutcome::Written
            << SafeWriteReason::LinkFailed << all << Addresses{};
    }
    void outcome() {
        QFETCH(QString, fault);
        QFETCH(bool, backup);
        QFETCH(bool, verify);
        QFETCH(SafeWriteOutcome, outcome);
        QFETCH(SafeWriteReason, reason);
        QFETCH(int, blocksSent);
        QFETCH(Addresses, differing);
        SafeRig rig;
        const image::MemoryImage before = rig.radio.memory;
        const QStringList words = fault.split(' ');
        bool writing = false;
        bool stray = false;
        rig.tamper = [&](const Bytes& frame, Bytes& reply) {
            const QString name = QString::fromStdString(frameName(frame));
            writing = writing || name.startsWith("W ");
            // Faults given together: "change 0x090, stall R 0300".
            for (const QString& one : fault.split(", ")) {
                const QStringList part = one.split(' ');
                if (part[0] == "change" && name == "W 0" + part[1].mid(2).toUpper())
                    rig.radio.memory[std::size_t(part[1].toInt(nullptr, 16) +
                                                 (part.size() > 2 ? part[2].toInt() : 2))] ^= 0x01;
                // "E" of the write, not the backup's.
                if (part[0] == "stall" && name == one.mid(6) && (name != "E" || writing))
                    reply.clear();
            }
            if (words[0] == "stray" && name == "W 0090") {
                rig.safe.bytesReceived(reply); // answers W 0090: W 00A0 goes
                stray = true;
                reply = {0x06}; // the stray: W 00B0 goes at once
                return true;
            }
            // The frame that came on the stray, before the radio's answer.
            if (stray && name == "W 00B0") {
                stray = false; // lost: not stored
                std::copy_n(before.begin() + 0xB0, 16, rig.radio.memory.begin() + 0xB0);
                reply.clear();
                return true;
            }
            return true;
        };
        if (words[0] == "band")
            rig.radio.bandByte = std::uint8_t(words[1].toInt());
        if (fault == "decline")
            rig.answer = false;
        rig.keep = fault != "not kept";
        rig.port.open = fault != "port closed";
        if (fault == "silent")
            rig.tamper = [](const Bytes&, Bytes& reply) { return reply.clear(), true; };

        rig.start({.backup = backup,
                   .verify = verify,
                   .modes = {.forceWrite = false, .debug = fault.contains("0x7F0")}});
        rig.runToEnd();

        QVERIFY(rig.result);
        QCOMPARE(rig.result->outcome, outcome);
        QCOMPARE(rig.result->reason, reason);
        QCOMPARE(rig.result->blocksSent, blocksSent);
        QCOMPARE(rig.framesSent('W').size(), blocksSent);
        Addresses found(rig.result->differingBlocks.begin(), rig.result->differingBlocks.end());
        QCOMPARE(found, differing);
        // The verify read took the blocks ahead of the one it stalled at.
        if (verify && blocksSent > 0 && outcome != SafeWriteOutcome::Partial)
            QCOMPARE(rig.result->blocksReadBack,
                     fault.endsWith("stall R 0300") && !backup ? 0x30 : 99);
        QVERIFY(!rig.safe.running() && !rig.timerW.running && !rig.timerMeg.running);
        if (outcome == SafeWriteOutcome::Partial)
            QCOMPARE(int(*rig.result->lastBlockSent), writeBlock(blocksSent - 1));
        // The backup is the radio as it was, as a read brings it.
        if (backup && rig.kept) {
            for (std::size_t offset = 0; offset < image::ImageSize; ++offset)
                QCOMPARE(int((*rig.kept)[offset]), readFills(offset) ? int(before[offset]) : 0xFF);
            QVERIFY(rig.result->backup == rig.kept);
        }
    }

    // The stages in order on one bar that only moves forward and ends full.
    void stagesAndProgress() {
        SafeRig rig;
        rig.start();
        rig.runToEnd();
        QCOMPARE(rig.stages,
                 QList<int>({int(SafeWriteStage::Backup), int(SafeWriteStage::Confirmation),
                             int(SafeWriteStage::Write), int(SafeWriteStage::Verify)}));
        QVERIFY(std::ranges::is_sorted(rig.overall));
        QCOMPARE(rig.overall.last(), 100);
        // Nothing is written before the backup is kept and the write confirmed.
        QVERIFY(rig.confirmation && rig.confirmation->backup && !rig.confirmation->bandDiffers);
        QCOMPARE(rig.confirmation->radioBand.value_or(-1), 3);
    }

    // A radio of another band in force mode is asked about through the
    // confirmation, with the backup in hand; a yes writes without asking again.
    void otherBandForced() {
        SafeRig rig;
        rig.radio.bandByte = 6;
        rig.start({.backup = true, .verify = true, .modes = {.forceWrite = true, .debug = false}});
        rig.runToEnd();
        QVERIFY(rig.confirmation && rig.confirmation->bandDiffers);
        QCOMPARE(rig.confirmation->radioBand.value_or(-1), 6);
        QCOMPARE(rig.result->outcome, SafeWriteOutcome::Verified);
    }

    // Cancel at each stage: the running transfer ends with "E" and nothing
    // after it; what the radio holds decides the outcome.
    void cancel_data() {
        QTest::addColumn<QString>("at");
        QTest::addColumn<SafeWriteOutcome>("outcome");
        QTest::addColumn<int>("lastBlock"); // -1: none
        QTest::newRow("backup read") << "R 0300" << SafeWriteOutcome::NothingWritten << -1;
        QTest::newRow("at the confirmation") << "" << SafeWriteOutcome::NothingWritten << -1;
        QTest::newRow("write, before its first block")
            << "W ident" << SafeWriteOutcome::NothingWritten << -1;
        QTest::newRow("write, after its first block") << "W 0000" << SafeWriteOutcome::Partial << 0;
        QTest::newRow("write, mid-way") << "W 0310" << SafeWriteOutcome::Partial << 0x310;
        QTest::newRow("verify read") << "verify R 0100" << SafeWriteOutcome::Written << 0x7E0;
    }
    void cancel() {
        QFETCH(QString, at);
        QFETCH(SafeWriteOutcome, outcome);
        QFETCH(int, lastBlock);
        SafeRig rig;
        bool writeSeen = false;
        bool cancelled = false;
        QString cancelAt = at.startsWith("verify ") ? at.mid(7) : at;
        rig.tamper = [&](const Bytes& frame, Bytes& reply) {
            const QString name = QString::fromStdString(frameName(frame));
            writeSeen = writeSeen || name.startsWith("W ");
            const bool inVerify = at.startsWith("verify ") && writeSeen;
            const bool here = name == cancelAt && (!at.startsWith("verify ") || inVerify);
            const bool ident = at == "W ident" && frame.size() == 1 && frame[0] == 0x02 &&
                               rig.safe.stage() == SafeWriteStage::Write;
            if (!cancelled && (here || ident)) {
                cancelled = true;
                rig.log.push_back("cancel");
                rig.safe.cancel();
                reply.clear();
            }
            return true;
        };
        if (at.isEmpty())
            rig.answer.reset();
        rig.start();
        rig.converse();
        if (at.isEmpty()) {
            QCOMPARE(rig.safe.stage(), SafeWriteStage::Confirmation);
            rig.log.push_back("cancel");
            rig.safe.cancel();
        }
        rig.runToEnd();

        QVERIFY(rig.result);
        QCOMPARE(rig.result->outcome, outcome);
        QCOMPARE(rig.result->reason, SafeWriteReason::Cancelled);
        QCOMPARE(rig.result->lastBlockSent ? int(*rig.result->lastBlockSent) : -1, lastBlock);
        // Nothing after "E", answers and ticks included.
        rig.converse();
        for (int tick = 0; tick < 10; ++tick) {
            if (rig.timerMeg.running)
                rig.safe.timerMegTick();
            if (rig.timerW.running)
                rig.safe.timerWTick();
        }
        const QStringList after = sentAfter(rig, "cancel");
        QCOMPARE(after, at.isEmpty() ? QStringList() : QStringList{"send E"});
        QVERIFY(!rig.timerW.running);
    }

    // While the stop question is open nothing goes to the radio, however
    // long it stays open; the answers that came meanwhile move the write on
    // once it goes on, and a stop sends "E" alone.
    void heldWhileAsked_data() {
        QTest::addColumn<bool>("stop");
        QTest::addColumn<SafeWriteOutcome>("outcome");
        QTest::newRow("go on") << false << SafeWriteOutcome::Verified;
        QTest::newRow("stop") << true << SafeWriteOutcome::Partial;
    }
    void heldWhileAsked() {
        QFETCH(bool, stop);
        QFETCH(SafeWriteOutcome, outcome);
        SafeRig rig;
        rig.tamper = [&](const Bytes& frame, Bytes&) {
            if (frameName(frame) == "W 0310" && !rig.safe.held()) {
                rig.log.push_back("asked");
                rig.safe.hold();
            }
            return true;
        };
        rig.start();
        rig.converse();
        // Long past the watchdog's limit.
        for (int tick = 0; tick < 20; ++tick) {
            rig.safe.timerMegTick();
            rig.safe.timerWTick();
        }
        QVERIFY(rig.safe.running());
        QCOMPARE(sentAfter(rig, "asked"), QStringList());
        stop ? rig.safe.cancel() : rig.safe.release();
        rig.tamper = {};
        rig.runToEnd();
        QVERIFY(rig.result);
        QCOMPARE(rig.result->outcome, outcome);
        if (stop) {
            QCOMPARE(sentAfter(rig, "asked"), QStringList{"send E"});
            QCOMPARE(int(*rig.result->lastBlockSent), 0x310);
        }
    }

    // Writing again once a lost line has closed the port: nothing is sent,
    // and the result does not carry the stopped write's block count.
    void writeAgainOnAClosedPort() {
        SafeRig rig;
        rig.tamper = [](const Bytes& frame, Bytes& reply) {
            if (frameName(frame) == "W 0310")
                reply.clear();
            return true;
        };
        rig.start();
        rig.runToEnd();
        QCOMPARE(rig.result->outcome, SafeWriteOutcome::Partial);
        rig.result.reset();
        rig.port.open = false;
        rig.start({.backup = false, .verify = true, .modes = {}});
        rig.runToEnd();
        QVERIFY(rig.result);
        QCOMPARE(rig.result->outcome, SafeWriteOutcome::NothingWritten);
        QCOMPARE(rig.result->reason, SafeWriteReason::PortInvalid);
        QCOMPARE(rig.result->blocksSent, 0);
        QVERIFY(!rig.result->lastBlockSent);
    }

    // Two radios at once: each sequence on its own port and timers, stepped
    // in turn as one event loop would; neither disturbs the other.
    void twoAtOnce() {
        SafeRig first, second;
        second.radio.memory.fill(0x22);
        second.image.fill(0x33);
        first.start();
        second.start();
        for (int turn = 0; turn < 2000 && !(first.result && second.result); ++turn) {
            for (SafeRig* rig : {&first, &second})
                if (rig->answered < rig->port.sent.size()) {
                    const Bytes frame = rig->port.sent[rig->answered++];
                    const Bytes reply = rig->radio.answer(frame);
                    if (!reply.empty())
                        rig->safe.bytesReceived(reply);
                }
        }
        QVERIFY(first.result && second.result);
        QCOMPARE(first.result->outcome, SafeWriteOutcome::Verified);
        QCOMPARE(second.result->outcome, SafeWriteOutcome::Verified);
        QCOMPARE(int(second.kept->at(0)), 0x22);
        QCOMPARE(first.radio.memory[0x100], first.image[0x100]);
        QCOMPARE(int(second.radio.memory[0x100]), 0x33);
    }

    // The engine's own cancel: "E", the progress closed, no message, no
    // decode, and the failure says where it stood.
    void engineCancel_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("frames"); // block frames answered before the cancel
        QTest::addColumn<int>("block");
        QTest::newRow("read") << false << 10 << 0x090;
        // The answer to the tenth block sent the eleventh.
        QTest::newRow("write") << true << 10 << 0x0A0;
        QTest::newRow("write at the handshake") << true << 0 << 0;
    }
    void engineCancel() {
        QFETCH(bool, write);
        QFETCH(int, frames);
        QFETCH(int, block);
        Rig rig;
        write ? rig.engine.startWrite({}) : rig.engine.startRead();
        int blockFrames = 0;
        if (frames > 0)
            while (rig.answered < rig.port.sent.size() && blockFrames < frames) {
                const Bytes frame = rig.port.sent[rig.answered++];
                blockFrames += frame.size() == 4 || frame.size() == 20;
                rig.receive(rig.radio.answer(frame));
            }
        rig.log.push_back("cancel");
        rig.engine.cancel();
        QCOMPARE(qtList(rig.logFrom("cancel")),
                 QStringList({"cancel", "send E", "stop W", "stop Meg", "close"}));
        QVERIFY(!rig.engine.busy());
        QCOMPARE(rig.engine.failure().reason, radiolink::StallReason::Cancelled);
        QCOMPARE(int(rig.engine.failure().block), block);
        QCOMPARE(rig.engine.blocksSent(), write && frames ? frames + 1 : 0);
        // Answers still on their way, and the ticks, start nothing.
        rig.converse();
        rig.elapse(10);
        QCOMPARE(qtList(rig.logFrom("cancel")).size(), 5);
    }
};

} // namespace

TQ_REGISTER_TEST(SafeWriteTest);

#include "safe_write_test.moc"
