// tq305-radio end to end: the real binary on its pseudo-terminal, driven as
// a PC drives it, frame by frame.
#include "clone_frames.h"
#include "pc_port.h"
#include "support/virtual_radio.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace frames;

namespace {

constexpr int ImageSize = 2048;

QString data(const QString& name) {
    return QStringLiteral(TQ_TEST_DATA "/") + name;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray imageOf(const QString& datPath) {
    return fileBytes(datPath).mid(48, ImageSize);
}

const QByteArray Blank(ImageSize, '\xFF');

// The .dat file a save should give.
QByteArray datFile(int band, const QByteArray& image) {
    return QByteArray("TQ-305\xFF", 7) + char(band) + "\xFF\xFF" + "V0100" +
           QByteArray(33, '\xFF') + image;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every byte value, line controls included (0x03, 0x0D, 0x11, 0x13...).
QByteArray pattern(int address) {
    QByteArray bytes;
    for (int k = 0; k < 16; ++k)
        bytes += char((address + k * 17) & 0xFF);
    return bytes;
}

// One step of a script: what the PC sends, what the radio must answer
// (nothing: the line stays quiet).
struct Exchange {
    QByteArray send;
    QByteArray expect;
};
using Script = QList<Exchange>;

Script handshake(int band = 3) {
    return {{Program, Ack}, {IdentRequest, ident("TQ-305", band)}, {Ack, Ack}};
}
const Script Handshake = handshake();

// A transfer's write blocks, each acknowledged.
Script writes(const QList<int>& addresses) {
    Script script;
    for (int address : addresses)
        script << Exchange{block(address, pattern(address)), Ack};
    return script;
}

QByteArray written(QByteArray memory, const QList<int>& addresses) {
    for (int address : addresses)
        memory.replace(address, 16, pattern(address));
    return memory;
}

int violationLines(const QByteArray& standardError) {
    return int(standardError.count("violation: "));
}

} // namespace

Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(QList<Script>)

// Ends the test at the first wrong answer instead of waiting out the rest.
#define PLAY(port, ...)                                                                            \
    do {                                                                                           \
        if (!play(port, __VA_ARGS__))                                                              \
            return;                                                                                \
    } while (false)

class VirtualRadioTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // HOME and XDG_DATA_HOME inside the test's folder, so that no link
    // lands in the real per-user folder.
    QProcessEnvironment environment(bool withXdg = true) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", path("home"));
        if (withXdg)
            env.insert("XDG_DATA_HOME", path("xdg"));
        else
            env.remove("XDG_DATA_HOME");
        return env;
    }

    // Plays the steps; false at the first wrong answer, which is reported.
    static bool play(PcPort& port, const Script& script) {
        for (const Exchange& step : script) {
            port.send(step.send);
            if (!answerIs(port, step))
                return false;
        }
        return true;
    }
    static bool answerIs(PcPort& port, const Exchange& step) {
        if (step.expect.isEmpty())
            return QTest::qVerify(port.staysQuiet(), "port.staysQuiet()",
                                  step.send.toHex(' ').constData(), __FILE__, __LINE__);
        return QTest::qCompare(port.receive(int(step.expect.size())).toHex(' '),
                               step.expect.toHex(' '), "answer", "expected", __FILE__, __LINE__);
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeFile(path("raw.img"), imageOf(data("full_image_band0.dat"))));
    }

    void readsTheWholeImage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("band");
        const QString full = data("full_image_band0.dat");
        const QByteArray fullImage = imageOf(full);
        QTest::newRow(".dat: its header's band") << QStringList{full} << fullImage << 0;
        QTest::newRow("raw image: band 3") << QStringList{path("raw.img")} << fullImage << 3;
        QTest::newRow("no image: all 0xFF, band 3") << QStringList{} << Blank << 3;
        QTest::newRow("header band 0x10: band 3")
            << QStringList{data("band_byte_0x10.dat")} << Blank << 3;
        QTest::newRow("--band overrides the header")
            << QStringList{full, "--band", "5"} << fullImage << 5;
        QTest::newRow("--band 12: a code the band list lacks")
            << QStringList{"--band", "12"} << Blank << 12;
    }
    void readsTheWholeImage() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, image);
        QFETCH(int, band);
        const QString saved = path("read-saves-nothing.dat");
        VirtualRadio radio(arguments + QStringList{"--fast", "--save", saved});
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());

        PLAY(port, handshake(band));
        QByteArray read(ImageSize, '\0');
        for (int address : readAddresses()) {
            port.send(readRequest(address));
            const QByteArray answer = port.receive(20);
            QCOMPARE(answer.left(4), addressed('W', address));
            read.replace(address, 16, answer.mid(4));
            PLAY(port, {{Ack, Ack}});
        }
        PLAY(port, {{End, Ack}});

        // Never read: 0x530-0x6FF.
        QCOMPARE(read.left(0x530), image.left(0x530));
        QCOMPARE(read.mid(0x700), image.mid(0x700));
        QVERIFY(!QFile::exists(saved));
    }

    // All 256 byte values go to the radio and come back unchanged in the
    // next transfer: the line translates nothing either way.
    void writtenBlocksAreKeptAndSaved() {
        const QString saved = path("written.dat");
        QFile::remove(saved);
        VirtualRadio radio({data("full_image_band0.dat"), "--fast", "--save", saved});
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());

        PLAY(port, handshake(0) + writes(writeAddresses()));
        QVERIFY(!QFile::exists(saved)); // saved on "E", not before
        PLAY(port, {{End, Ack}});
        const QByteArray memory = written(imageOf(data("full_image_band0.dat")), writeAddresses());
        QCOMPARE(fileBytes(saved), datFile(0, memory));

        PLAY(port, handshake(0));
        for (int address : readAddresses())
            PLAY(port,
                 {{readRequest(address), block(address, memory.mid(address, 16))}, {Ack, Ack}});
        PLAY(port, {{End, Ack}});
    }

    // SIGUSR1 takes the radio off the cable and puts it back, stretch by
    // stretch of the script: off, it answers nothing and counts nothing
    // against the PC; a transfer cut off keeps the blocks it wrote (saved),
    // and back on the radio starts from PROGRAM, as one put on anew.
    void offTheCableAndBackOn_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QList<Script>>("stretches");
        QTest::addColumn<bool>("savedBlock"); // the block written at 0x100 is saved
        const Script quiet{{Program, {}}, {IdentRequest, {}}, {readRequest(0), {}}};
        QTest::newRow("a write cut off, then a new transfer")
            << QStringList{} << QList<Script>{Handshake + writes({0x100}), quiet, Handshake}
            << true;
        QTest::newRow("--off-cable: quiet until put on")
            << QStringList{"--off-cable"} << QList<Script>{quiet, Handshake, quiet, Handshake}
            << false;
    }
    void offTheCableAndBackOn() {
        QFETCH(QStringList, arguments);
        QFETCH(QList<Script>, stretches);
        QFETCH(bool, savedBlock);
        const QString saved = path("cut.dat");
        QFile::remove(saved);
        VirtualRadio radio(arguments + QStringList{"--fast", "-v", "--save", saved});
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());
        for (qsizetype n = 0; n < stretches.size(); ++n) {
            if (n > 0) {
                radio.signal(SIGUSR1);
                // Taken once the radio has said so.
                QTRY_COMPARE_WITH_TIMEOUT(int(radio.standardError().count("radio: taken off") +
                                              radio.standardError().count("radio: put back")),
                                          int(n), 5000);
            }
            PLAY(port, stretches[n]);
        }
        QVERIFY(port.staysQuiet(100));
        QCOMPARE(QFile::exists(saved), savedBlock);
        if (savedBlock)
            QCOMPARE(imageOf(saved).mid(0x100, 16), pattern(0x100));
        radio.finish();
        QCOMPARE(violationLines(radio.standardError()), 0);
    }

    // What a PC keeping to the protocol sees, fault by fault; the radio is
    // strict, so any violation fails the row.
    void answersFrameByFrame_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Script>("script");
        const QByteArray blank(16, '\xFF');
        const QString full = data("full_image_band0.dat");
        const QByteArray memory = imageOf(full);
        const auto fullBlock = [&](int address) { return block(address, memory.mid(address, 16)); };
        const Script readFirst{{readRequest(0), block(0, blank)}, {Ack, Ack}};

        QTest::newRow("PROGRAM again before 0x02, as after a late answer")
            << QStringList{} << Script{{Program, Ack}, {Program, Ack}} + Handshake.mid(1);
        QTest::newRow("E at each point of a transfer, and a new PROGRAM after it")
            << QStringList{}
            << Script{{Program, Ack}, {End, Ack}} + Handshake.first(2) + Script{{End, Ack}} +
                   Handshake + Script{{readRequest(0), block(0, blank)}, {End, Ack}} + Handshake +
                   Script{{End, Ack}};
        QTest::newRow("E outside a transfer, as after an E left unanswered")
            << QStringList{"--no-end-ack"}
            << Script{{End, {}}} + Handshake + Script{{End, {}}, {End, {}}} + Handshake;
        QTest::newRow("E sent with a request, before its answer")
            << QStringList{} << Handshake + Script{{readRequest(0) + End, block(0, blank) + Ack}};
        QTest::newRow("write data that looks like frames is data")
            << QStringList{}
            << Handshake +
                   Script{{block(0x100, QByteArray("PROGRAME\x02\x06R\x00\x00\x10W\x06", 16)), Ack},
                          {End, Ack}} +
                   Handshake +
                   Script{{readRequest(0x100),
                           block(0x100, QByteArray("PROGRAME\x02\x06R\x00\x00\x10W\x06", 16))}};
        QTest::newRow("the calibration block is read without calibration mode")
            << QStringList{full} << handshake(0) + Script{{readRequest(0x7F0), fullBlock(0x7F0)}};
        QTest::newRow("--silent answers nothing")
            << QStringList{"--silent"} << Script{{Program, {}}, {Program, {}}, {End, {}}};
        QTest::newRow("--late-ack answers the second PROGRAM of each transfer")
            << QStringList{"--late-ack"}
            << Script{{Program, {}}, {Program, Ack}, {End, Ack}, {Program, {}}, {Program, Ack}};
        QTest::newRow("--product names another radio")
            << QStringList{"--product", "TQ-999"}
            << Script{{Program, Ack}, {IdentRequest, ident("TQ-999", 3)}};
        QTest::newRow("--ident-high 10 --ident-tail 0: band 3 in the low bits")
            << QStringList{"--ident-high", "10", "--ident-tail", "0"}
            << Script{{Program, Ack}, {IdentRequest, ident("TQ-305", 0xA3, '\0')}};
        QTest::newRow("--ident-high 15 with --band 15, --ident-tail 6")
            << QStringList{"--ident-high", "15", "--band", "15", "--ident-tail", "6"}
            << Script{{Program, Ack}, {IdentRequest, ident("TQ-305", 0xFF, '\x06')}};
        QTest::newRow("--stall-at 3: silent from the third read request to E")
            << QStringList{"--stall-at", "3"}
            << Handshake +
                   Script{{readRequest(0x00), block(0x00, blank)},
                          {Ack, Ack},
                          {readRequest(0x10), block(0x10, blank)},
                          {Ack, Ack},
                          {readRequest(0x20), {}},
                          {End, {}}} +
                   Handshake;
        QTest::newRow("--stall-at 2 counts write blocks")
            << QStringList{"--stall-at", "2"}
            << Handshake + Script{{block(0x00, blank), Ack}, {block(0x10, blank), {}}};
        QTest::newRow("--nak-at 2: 0x15 for the second request, the request again is served")
            << QStringList{"--nak-at", "2"}
            << Handshake + readFirst +
                   Script{{readRequest(0x10), Nak},
                          {readRequest(0x10), block(0x10, blank)},
                          {Ack, Ack},
                          {End, Ack}};
        QTest::newRow("--nak-at 1 on a write")
            << QStringList{"--nak-at", "1"}
            << Handshake + Script{{block(0, blank), Nak}, {End, Ack}};
        QTest::newRow("--corrupt-block 2: 0x58 in place of 0x57")
            << QStringList{full, "--corrupt-block", "2"}
            << handshake(0) + Script{{readRequest(0x10), fullBlock(0x10)}, {Ack, Ack}} +
                   Script{{readRequest(0x20), "\x58" + fullBlock(0x20).mid(1)}, {End, Ack}};
        QTest::newRow("--short-block 1: 19 bytes")
            << QStringList{full, "--short-block", "1"}
            << handshake(0) + Script{{readRequest(0x30), fullBlock(0x30).chopped(1)}, {Ack, Ack}};
        QTest::newRow("--long-block 1: 21 bytes")
            << QStringList{full, "--long-block", "1"}
            << handshake(0) + Script{{readRequest(0x30), fullBlock(0x30) + '\xFF'}, {Ack, Ack}};
        QTest::newRow("--wrong-address 1: the next block's address and data")
            << QStringList{full, "--wrong-address", "1"}
            << handshake(0) + Script{{readRequest(0x40), fullBlock(0x50)}, {Ack, Ack}};
        QTest::newRow("--wrong-address 2: after 0x520 comes 0x700")
            << QStringList{full, "--wrong-address", "2"}
            << handshake(0) + Script{{readRequest(0x510), fullBlock(0x510)}, {Ack, Ack}} +
                   Script{{readRequest(0x520), fullBlock(0x700)}};
        QTest::newRow("--wrong-address 1: for 0x7F0, 0x7E0")
            << QStringList{full, "--wrong-address", "1"}
            << handshake(0) + Script{{readRequest(0x7F0), fullBlock(0x7E0)}};
        QTest::newRow("--double-ack: every 0x06 twice")
            << QStringList{"--double-ack"}
            << Script{{Program, Ack + Ack}, {IdentRequest, ident("TQ-305", 3)}, {Ack, Ack + Ack}} +
                   Script{{block(0, blank), Ack + Ack}, {End, Ack + Ack}};
        QTest::newRow("--ack-stray: every 0x06 with noise behind it")
            << QStringList{"--ack-stray"}
            << Script{{Program, Ack + Stray}, {IdentRequest, ident("TQ-305", 3)}} +
                   Script{{Ack, Ack + Stray}, {readRequest(0), block(0, blank)}} +
                   Script{{Ack, Ack + Stray}, {End, Ack + Stray}};
        QTest::newRow("--no-ident-ack: the PC's 0x06 after the ident goes unanswered")
            << QStringList{"--no-ident-ack"}
            << Handshake.first(2) + Script{{Ack, {}}, {End, Ack}} + Handshake.first(2);
        QTest::newRow("--no-end-ack: E ends the transfer unanswered")
            << QStringList{"--no-end-ack"} << Handshake + Script{{End, {}}} + Handshake;
        QTest::newRow("--stray-bytes: noise ahead of the acks a PC searches for in a write")
            << QStringList{"--stray-bytes"}
            << Script{{Program, Stray + Ack}, {IdentRequest, ident("TQ-305", 3)}, {Ack, Ack}} +
                   Script{{block(0, blank), Stray + Ack}, {End, Stray + Ack}};
        QTest::newRow("--stray-bytes: a read's acknowledgements and E are plain")
            << QStringList{"--stray-bytes"}
            << Script{{Program, Stray + Ack}, {IdentRequest, ident("TQ-305", 3)}, {Ack, Ack}} +
                   readFirst + Script{{End, Ack}};
        QTest::newRow("--answer-delay: a PROGRAM repeated before the late answer")
            << QStringList{"--answer-delay", "100"}
            << Script{{Program + Program, Ack + Ack}} + Handshake.mid(1);
    }
    void answersFrameByFrame() {
        QFETCH(QStringList, arguments);
        QFETCH(Script, script);
        VirtualRadio radio(arguments + QStringList{"--fast"});
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());
        PLAY(port, script);
        QVERIFY(port.staysQuiet(100)); // nothing beyond the answers
        radio.finish();
        QCOMPARE(violationLines(radio.standardError()), 0);
    }

    // Each frame out of step goes unanswered and is logged once; the radio
    // stays where it was, so the frame it waits for is still served.
    void refusesFramesOutOfStep_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Script>("script");
        QTest::addColumn<QByteArray>("violation");
        QTest::addColumn<int>("lines");
        const QByteArray blank(16, '\xFF');
        const Script read0{{readRequest(0), block(0, blank)}, {Ack, Ack}};
        const Script wrote0{{block(0, blank), Ack}};

        QTest::newRow("0x02 outside a transfer")
            << QStringList{} << Script{{IdentRequest, {}}, {Program, Ack}}
            << QByteArray("byte 0x02 outside a transfer") << 1;
        QTest::newRow("a broken PROGRAM")
            << QStringList{} << Script{{"PROGRAX", {}}, {Program, Ack}}
            << QByteArray("byte 0x50 outside a transfer") << 7; // each byte of PROGRAX
        QTest::newRow("a byte that starts no frame")
            << QStringList{} << Handshake + Script{{"\x99", {}}} + read0
            << QByteArray("byte 0x99 starts no frame") << 1;
        QTest::newRow("0x02 before PROGRAM is answered")
            << QStringList{"--late-ack"}
            << Script{{Program, {}}, {IdentRequest, {}}, {Program, Ack}}
            << QByteArray("0x02 while the radio waits for PROGRAM again or E") << 1;
        QTest::newRow("0x06 in place of 0x02")
            << QStringList{} << Script{{Program, Ack}, {Ack, {}}} + Handshake.mid(1)
            << QByteArray("0x06 while the radio waits for 0x02") << 1;
        QTest::newRow("a read request before the ident exchange")
            << QStringList{} << Script{{Program, Ack}, {readRequest(0), {}}}
            << QByteArray("read request 0x0000 while the radio waits for 0x02") << 1;
        QTest::newRow("a write block before the PC's 0x06 after the ident")
            << QStringList{} << Handshake.first(2) + Script{{block(0, blank), {}}, {Ack, Ack}}
            << QByteArray("write block 0x0000 while the radio waits for the PC's 0x06 after the "
                          "ident")
            << 1;
        QTest::newRow("0x02 twice")
            << QStringList{} << Handshake.first(2) + Script{{IdentRequest, {}}, {Ack, Ack}}
            << QByteArray("0x02 while the radio waits for the PC's 0x06 after the ident") << 1;
        QTest::newRow("PROGRAM after the ident")
            << QStringList{} << Handshake + Script{{Program, {}}} + read0
            << QByteArray("PROGRAM while the radio waits for a read request, a write block or E")
            << 1;
        QTest::newRow("the next request before the PC's 0x06 after the block")
            << QStringList{}
            << Handshake + Script{{readRequest(0), block(0, blank)}, {readRequest(0x10), {}}} +
                   Script{{Ack, Ack}}
            << QByteArray("read request 0x0010 while the radio waits for the PC's 0x06 after the "
                          "block of read request 0x0000")
            << 1;
        QTest::newRow("0x06 after a write block")
            << QStringList{} << Handshake + wrote0 + Script{{Ack, {}}} + wrote0
            << QByteArray("0x06 while the radio waits for the next write block or E") << 1;
        QTest::newRow("a write block in a read")
            << QStringList{} << Handshake + read0 + Script{{block(0x10, blank), {}}} + read0
            << QByteArray("write block 0x0010 while the radio waits for the next read request")
            << 1;
        QTest::newRow("a read request in a write")
            << QStringList{} << Handshake + wrote0 + Script{{readRequest(0), {}}} + wrote0
            << QByteArray("read request 0x0000 while the radio waits for the next write block")
            << 1;
        QTest::newRow("two requests sent together")
            << QStringList{}
            << Handshake + Script{{readRequest(0) + readRequest(0x10), block(0, blank)}, {Ack, Ack}}
            << QByteArray("read request 0x0010 before the radio's answer to the frame before it")
            << 1;
        QTest::newRow("--stray-bytes: a block sent on the noise")
            << QStringList{"--stray-bytes"}
            << Script{{Program, Stray + Ack}, {IdentRequest, ident("TQ-305", 3)}, {Ack, Ack}} +
                   Script{{block(0, blank), Stray}, {block(0x10, blank), Ack}}
            << QByteArray("write block 0x0010 before the radio's answer to the frame before it")
            << 1;
        QTest::newRow("--answer-delay: a block sent before the late answer")
            << QStringList{"--answer-delay", "200"}
            << Handshake + Script{{block(0, blank) + block(0x10, blank), Ack}}
            << QByteArray("write block 0x0010 before the radio's answer") << 1;

        const auto policed = [&](const char* name, const QByteArray& frame, const Script& then,
                                 const char* why) {
            QTest::newRow(name) << QStringList{} << Handshake + Script{{frame, {}}} + then
                                << QByteArray(why) << 1;
        };
        policed("read 0x530", readRequest(0x530), read0,
                "read request 0x0530 is outside the readable 0x000-0x52F and 0x700-0x7F0");
        policed("read 0x800", readRequest(0x800), read0, "read request 0x0800 is outside");
        policed("read 0x7F8, unaligned", readRequest(0x7F8), read0,
                "read request 0x07F8 is not on a 16-byte block boundary");
        policed("read of 8 bytes", addressed('R', 0, 8), read0,
                "read request 0x0000 asks for length 0x08, not 0x10");
        policed("write 0x520", block(0x520, blank), wrote0,
                "write block 0x0520 is outside the writable 0x000-0x51F and 0x700-0x7EF");
        policed("write 0x108, unaligned", block(0x108, blank), wrote0,
                "write block 0x0108 is not on a 16-byte block boundary");
        policed("write of length 0x20", addressed('W', 0, 0x20) + blank, wrote0,
                "write block 0x0000 asks for length 0x20");
        policed("write 0x7F0 outside calibration mode", block(0x7F0, blank), wrote0,
                "write block 0x07F0 to the calibration block outside calibration mode");
    }
    void refusesFramesOutOfStep() {
        QFETCH(QStringList, arguments);
        QFETCH(Script, script);
        QFETCH(QByteArray, violation);
        QFETCH(int, lines);
        const auto radio = VirtualRadio::lenient(arguments + QStringList{"--fast", "--strict"});
        PcPort port(radio->slavePath());
        QVERIFY(port.isOpen());
        PLAY(port, script);
        radio->signal(SIGTERM);
        QCOMPARE(radio->waitForExit(), VirtualRadio::ViolationStatus);
        const QByteArray log = radio->standardError();
        QVERIFY2(log.contains("violation: " + violation), log.constData());
        QCOMPARE(violationLines(log), lines);
    }

    // The violation status comes at every end, and only with --strict.
    void exitStatusTellsOfViolations_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Script>("script");
        QTest::addColumn<int>("endSignal"); // 0: the radio ends by itself
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("violations");
        const Script violation{{IdentRequest, {}}};
        QTest::newRow("--strict, SIGTERM") << QStringList{"--strict"} << violation + Handshake
                                           << SIGTERM << VirtualRadio::ViolationStatus << 1;
        QTest::newRow("--strict, SIGINT")
            << QStringList{"--strict"} << violation << SIGINT << VirtualRadio::ViolationStatus << 1;
        QTest::newRow("--strict --once, E")
            << QStringList{"--strict", "--once"} << violation + Handshake + Script{{End, Ack}} << 0
            << VirtualRadio::ViolationStatus << 1;
        QTest::newRow("--strict --hang-up-at 1")
            << QStringList{"--strict", "--hang-up-at", "1"}
            << violation + Handshake + Script{{readRequest(0), {}}} << 0
            << VirtualRadio::ViolationStatus << 1;
        QTest::newRow("without --strict: logged, status as ever")
            << QStringList{"--once"} << violation + Handshake + Script{{End, Ack}} << 0 << 0 << 1;
        QTest::newRow("--strict, no violation")
            << QStringList{"--strict"} << Handshake + Script{{End, Ack}} << SIGTERM << 0 << 0;
    }
    void exitStatusTellsOfViolations() {
        QFETCH(QStringList, arguments);
        QFETCH(Script, script);
        QFETCH(int, endSignal);
        QFETCH(int, status);
        QFETCH(int, violations);
        const auto radio = VirtualRadio::lenient(arguments + QStringList{"--fast"});
        PcPort port(radio->slavePath());
        QVERIFY(port.isOpen());
        PLAY(port, script);
        if (endSignal)
            radio->signal(endSignal);
        QCOMPARE(radio->waitForExit(), status);
        QCOMPARE(violationLines(radio->standardError()), violations);
    }

    // What the memory holds after a write: only blocks acknowledged go in,
    // as they were sent but for --change-block.
    void keepsWhatAWriteStored_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Script>("script");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("status");
        const QList<int> three{0x000, 0x010, 0x020};
        QByteArray changed = written(Blank, three);
        changed[0x010] = char(changed[0x010] ^ 0x01);
        QTest::newRow("--change-block 2: one bit of the second block")
            << QStringList{"--change-block", "2"} << writes(three) << changed << 0;
        QTest::newRow("--nak-at 2: the refused block is not stored")
            << QStringList{"--nak-at", "2"}
            << writes({0x000}) + Script{{block(0x010, pattern(0x010)), Nak}}
            << written(Blank, {0x000}) << 0;
        QTest::newRow("--calibration-mode: 0x7F0 is written")
            << QStringList{"--calibration-mode"} << writes({0x7E0, 0x7F0})
            << written(Blank, {0x7E0, 0x7F0}) << 0;
        QTest::newRow("0x7F0 outside calibration mode is not")
            << QStringList{} << writes({0x7E0}) + Script{{block(0x7F0, pattern(0x7F0)), {}}}
            << written(Blank, {0x7E0}) << VirtualRadio::ViolationStatus;
        QTest::newRow("nor is a block outside the map")
            << QStringList{} << writes({0x510}) + Script{{block(0x520, pattern(0x520)), {}}}
            << written(Blank, {0x510}) << VirtualRadio::ViolationStatus;
        // What a PC that took the noise for an acknowledgement would do: send
        // the next block at once. The busy radio loses it: the write has a hole.
        QTest::newRow("--stray-bytes: a block sent on the noise is lost")
            << QStringList{"--stray-bytes"}
            << Script{{block(0x000, pattern(0x000)) + block(0x010, pattern(0x010)), Stray + Ack}}
            << written(Blank, {0x000}) << VirtualRadio::ViolationStatus;
    }
    void keepsWhatAWriteStored() {
        QFETCH(QStringList, arguments);
        QFETCH(Script, script);
        QFETCH(QByteArray, image);
        QFETCH(int, status);
        const QString saved = path("stored.dat");
        QFile::remove(saved);
        const auto radio = VirtualRadio::lenient(
            arguments + QStringList{"--fast", "--strict", "--once", "--save", saved});
        PcPort port(radio->slavePath());
        QVERIFY(port.isOpen());
        const bool stray = arguments.contains("--stray-bytes");
        PLAY(port, (stray ? Script{{Program, Stray + Ack}} : Handshake.first(1)) +
                       Handshake.mid(1) + script + Script{{End, stray ? Stray + Ack : Ack}});
        QCOMPARE(radio->waitForExit(), status);
        QCOMPARE(fileBytes(saved), datFile(3, image));
    }

    void answerDelayHoldsEachAnswer() {
        VirtualRadio radio({"--fast", "--answer-delay", "250"});
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());
        for (const Exchange& step : handshake()) {
            QElapsedTimer clock;
            clock.start();
            port.send(step.send);
            QCOMPARE(port.receive(int(step.expect.size())), step.expect);
            QVERIFY2(clock.elapsed() >= 240, QByteArray::number(clock.elapsed()).constData());
        }
    }

    // At 9600 baud a 20-byte block takes about 21 ms: byte by byte it comes
    // in pieces, with --burst in one piece once its last byte is due.
    void burstHandsOnAnAnswerInOnePiece_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("onePiece");
        QTest::newRow("paced byte by byte") << QStringList{} << false;
        QTest::newRow("--burst") << QStringList{"--burst"} << true;
        QTest::newRow("--burst --fast") << QStringList{"--burst", "--fast"} << true;
    }
    void burstHandsOnAnAnswerInOnePiece() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, onePiece);
        VirtualRadio radio(arguments);
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());
        PLAY(port, Handshake);
        QElapsedTimer clock;
        clock.start();
        port.send(readRequest(0));
        const QByteArray first = port.receivePiece();
        const qint64 firstAfter = clock.elapsed();
        const QByteArray answer = first + port.receive(int(20 - first.size()));
        QCOMPARE(answer, block(0, QByteArray(16, '\xFF')));
        QCOMPARE(first.size() == 20, onePiece);
        // The request's 4 bytes and the block's 20 on the wire: 25 ms.
        if (onePiece && !arguments.contains("--fast"))
            QVERIFY2(firstAfter >= 24, QByteArray::number(firstAfter).constData());
        PLAY(port, {{Ack, Ack}, {End, Ack}});
    }

    void hangsUpAtTheBlockAsked_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("first read request") << 1 << readRequest(0);
        QTest::newRow("third write block") << 3 << block(0x20, pattern(0));
    }
    void hangsUpAtTheBlockAsked() {
        QFETCH(int, k);
        QFETCH(QByteArray, frame);
        const QString link = path("hang-up-link");
        VirtualRadio radio({"--fast", "--hang-up-at", QString::number(k), "--link", link});
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());
        PLAY(port, Handshake);
        for (int i = 1; i < k; ++i)
            PLAY(port, {{block(16 * i, pattern(0)), Ack}});

        port.send(frame);
        QVERIFY(port.hangsUp());
        QCOMPARE(radio.waitForExit(), 3);
        QVERIFY(!QFileInfo(link).isSymLink());
    }
    void portLinkLastsAsLongAsTheRadio_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("withXdg");
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("endSignal"); // 0: the transfer's "E" with --once
        QTest::newRow("--com 3 under XDG_DATA_HOME, SIGTERM")
            << QStringList{"--com", "3"} << true << "xdg/TQ305CloneDesk/ports/com3" << SIGTERM;
        QTest::newRow("--com 16 under HOME, SIGINT")
            << QStringList{"--com", "16"} << false << "home/.local/share/TQ305CloneDesk/ports/com16"
            << SIGINT;
        QTest::newRow("--link, SIGHUP")
            << QStringList{"--link", path("own/port")} << true << "own/port" << SIGHUP;
        QTest::newRow("--com 1 --once, ended by E")
            << QStringList{"--com", "1", "--once"} << true << "xdg/TQ305CloneDesk/ports/com1" << 0;
    }
    void portLinkLastsAsLongAsTheRadio() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, withXdg);
        QFETCH(QString, link);
        QFETCH(int, endSignal);
        link = path(link);
        VirtualRadio radio(arguments + QStringList{"--fast"}, environment(withXdg));
        QVERIFY(!radio.slavePath().isEmpty());
        QCOMPARE(QFileInfo(link).symLinkTarget(), radio.slavePath());
        {
            PcPort port(link);
            QVERIFY(port.isOpen());
            PLAY(port, {{Program, Ack}, {End, Ack}});
        }
        if (endSignal)
            radio.signal(endSignal);
        QCOMPARE(radio.waitForExit(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    // A radio that died left its link; the next one takes the port over,
    // and an older radio ending does not take the port from a newer one.
    void newestRadioOwnsThePort() {
        const QString link = path("xdg/TQ305CloneDesk/ports/com2");
        QDir().mkpath(QFileInfo(link).path());
        QVERIFY(QFile::link("/dev/pts/999999", link));

        auto first = std::make_unique<VirtualRadio>(QStringList{"--com", "2"}, environment());
        QCOMPARE(QFileInfo(link).symLinkTarget(), first->slavePath());
        VirtualRadio second({"--com", "2"}, environment());
        QCOMPARE(QFileInfo(link).symLinkTarget(), second.slavePath());
        first.reset();
        QCOMPARE(QFileInfo(link).symLinkTarget(), second.slavePath());
        second.signal(SIGTERM);
        QCOMPARE(second.waitForExit(), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void leavesAFileAtTheLinkPathAlone() {
        const QString file = path("xdg/TQ305CloneDesk/ports/com5");
        QDir().mkpath(QFileInfo(file).path());
        QVERIFY(writeFile(file, "mine"));
        VirtualRadio radio({"--com", "5"}, environment());
        QCOMPARE(radio.waitForExit(), 1);
        QVERIFY(radio.standardError().contains("not a symbolic link"));
        QCOMPARE(fileBytes(file), QByteArray("mine"));
    }

    // The program opens and closes its port as the user picks ports.
    void servesAcrossReopenedPorts() {
        VirtualRadio radio({"--fast"});
        for (int i = 0; i < 10; ++i) {
            PcPort port(radio.slavePath());
            QVERIFY(port.isOpen());
            PLAY(port, {{Program, Ack}, {End, Ack}});
        }
    }

    void refusesAWrongCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("band 16") << QStringList{"--band", "16"};
        QTest::newRow("band not a number") << QStringList{"--band", "3x"};
        QTest::newRow("port 0") << QStringList{"--com", "0"};
        QTest::newRow("port 17") << QStringList{"--com", "17"};
        QTest::newRow("--com and --link") << QStringList{"--com", "1", "--link", "/tmp/x"};
        QTest::newRow("product of 5 characters") << QStringList{"--product", "TQ-30"};
        QTest::newRow("stall at 0") << QStringList{"--stall-at", "0"};
        QTest::newRow("nak at 0") << QStringList{"--nak-at", "0"};
        QTest::newRow("--change-block without K") << QStringList{"--change-block"};
        QTest::newRow("ident high 16") << QStringList{"--ident-high", "16"};
        QTest::newRow("ident tail 256") << QStringList{"--ident-tail", "256"};
        QTest::newRow("negative answer delay") << QStringList{"--answer-delay", "-5"};
        QTest::newRow("--save without a file") << QStringList{"--save"};
        QTest::newRow("two images") << QStringList{"a.dat", "b.dat"};
        QTest::newRow("unknown option") << QStringList{"--baud", "9600"};
    }
    void refusesAWrongCommandLine() {
        QFETCH(QStringList, arguments);
        VirtualRadio radio(arguments, environment());
        QVERIFY(radio.slavePath().isEmpty());
        QCOMPARE(radio.waitForExit(), 2);
        QVERIFY(radio.standardError().contains("Usage: tq305-radio"));
    }

    void refusesAnUnusableImage_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // none: not created
        QTest::newRow("missing") << path("missing.dat") << QByteArray();
        QTest::newRow("100 bytes") << path("short.dat") << QByteArray(100, '\x01');
        QTest::newRow("2096 bytes without the product name")
            << path("other.dat") << QByteArray(2096, '\x01');
    }
    void refusesAnUnusableImage() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        if (!content.isEmpty())
            QVERIFY(writeFile(file, content));
        VirtualRadio radio({file}, environment());
        QCOMPARE(radio.waitForExit(), 1);
        QVERIFY(radio.standardError().contains(file.toLocal8Bit()));
    }

    // tq305-demo-image OUT.dat builds the demo radio's image; anything
    // else is a wrong command line, and no file is written for it.
    void demoImageGeneratorCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("--help") << QStringList{"--help"} << 0;
        QTest::newRow("-h") << QStringList{"-h"} << 0;
        QTest::newRow("nothing") << QStringList{} << 2;
        QTest::newRow("two files") << QStringList{"a.dat", "b.dat"} << 2;
        QTest::newRow("an unknown option") << QStringList{"--band"} << 2;
        QTest::newRow("a file") << QStringList{"demo.dat"} << 0;
    }
    void demoImageGeneratorCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QTemporaryDir folder;
        QProcess generator;
        generator.setWorkingDirectory(folder.path());
        generator.start(TQ_DEMO_IMAGE_BIN, arguments);
        QVERIFY(generator.waitForFinished(30000));
        QCOMPARE(generator.exitCode(), status);
        const bool writes = arguments == QStringList{"demo.dat"};
        const QByteArray usage =
            status == 0 ? generator.readAllStandardOutput() : generator.readAllStandardError();
        QCOMPARE(usage.startsWith("Usage: tq305-demo-image"), !writes);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 writes ? QStringList{"demo.dat"} : QStringList{});
        if (writes)
            QCOMPARE(fileBytes(folder.filePath("demo.dat")).left(8), QByteArray("TQ-305\xFF\x03"));
    }
};

QTEST_GUILESS_MAIN(VirtualRadioTest)
#include "virtual_radio_test.moc"
