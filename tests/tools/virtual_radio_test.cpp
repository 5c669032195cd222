// tq305-radio end to end: the real binary on its pseudo-terminal, driven as
// a PC drives it, frame by frame.
#include "clone_frames.h"
#include "pc_port.h"
#include "support/virtual_radio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

const Script Handshake{{Program, Ack}, {IdentRequest, ident("TQ-305", 3)}, {Ack, Ack}};

} // namespace

Q_DECLARE_METATYPE(Script)

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

        PLAY(port, {{Program, Ack}, {IdentRequest, ident("TQ-305", band)}, {Ack, Ack}});
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

    // All 256 byte values go to the radio and come back unchanged: the line
    // translates nothing either way.
    void writtenBlocksAreKeptAndSaved() {
        const QString saved = path("written.dat");
        QFile::remove(saved);
        VirtualRadio radio({data("full_image_band0.dat"), "--fast", "--save", saved, "--once"});
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());

        PLAY(port, {{Program, Ack}, {IdentRequest, ident("TQ-305", 0)}, {Ack, Ack}});
        QByteArray memory = imageOf(data("full_image_band0.dat"));
        for (int address : writeAddresses()) {
            PLAY(port, {{block(address, pattern(address)), Ack}});
            memory.replace(address, 16, pattern(address));
        }
        for (int address : readAddresses())
            PLAY(port,
                 {{readRequest(address), block(address, memory.mid(address, 16))}, {Ack, Ack}});
        QVERIFY(!QFile::exists(saved)); // saved on "E", not before
        PLAY(port, {{End, Ack}});

        QCOMPARE(radio.waitForExit(), 0);
        QCOMPARE(fileBytes(saved), datFile(0, memory));
    }

    void answersFrameByFrame_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Script>("script");
        const QByteArray blankBlock(16, '\xFF');
        QTest::newRow("outside a transfer only PROGRAM is heard")
            << QStringList{}
            << Script{
                   {IdentRequest, {}}, {readRequest(0), {}}, {Ack, {}}, {End, {}}, {Program, Ack}};
        QTest::newRow("a broken PROGRAM is not one, the one behind it is")
            << QStringList{} << Script{{"PROGRAX", {}}, {"PROGPROGRAM", Ack}};
        QTest::newRow("requests outside the memory or of another length go unanswered")
            << QStringList{}
            << Handshake + Script{{readRequest(0x7F8), {}},
                                  {readRequest(0x800), {}},
                                  {addressed('R', 0, 8), {}},
                                  {block(0x7F8, blankBlock), {}},
                                  {readRequest(0x7F0), block(0x7F0, blankBlock)}};
        const QByteArray frameLike = QByteArray("PROGRAME\x02\x06R\x00\x00\x10W\x06", 16);
        QTest::newRow("write data that looks like frames is data")
            << QStringList{}
            << Handshake + Script{{block(0x100, frameLike), Ack},
                                  {readRequest(0x100), block(0x100, frameLike)}};
        QTest::newRow("--silent answers nothing")
            << QStringList{"--silent"}
            << Script{{Program, {}}, {IdentRequest, {}}, {Ack, {}}, {readRequest(0), {}}};
        QTest::newRow("--late-ack answers the second PROGRAM of each transfer")
            << QStringList{"--late-ack"}
            << Script{{Program, {}}, {Program, Ack}, {End, Ack}, {Program, {}}, {Program, Ack}};
        QTest::newRow("--product names another radio")
            << QStringList{"--product", "TQ-999"}
            << Script{{Program, Ack}, {IdentRequest, ident("TQ-999", 3)}};
        QTest::newRow("--stall-at 3: silent from the third read request to E")
            << QStringList{"--stall-at", "3"}
            << Handshake +
                   Script{{readRequest(0x00), block(0x00, blankBlock)},
                          {Ack, Ack},
                          {readRequest(0x10), block(0x10, blankBlock)},
                          {Ack, Ack},
                          {readRequest(0x20), {}},
                          {Ack, {}},
                          {End, {}}} +
                   Handshake;
        QTest::newRow("--stall-at 2 counts write blocks")
            << QStringList{"--stall-at", "2"}
            << Handshake + Script{{block(0x00, blankBlock), Ack}, {block(0x10, blankBlock), {}}};
        QTest::newRow("--stray-bytes: noise ahead of the acks a PC searches for")
            << QStringList{"--stray-bytes"}
            << Script{{Program, Stray + Ack}, {IdentRequest, ident("TQ-305", 3)}, {Ack, Ack}} +
                   Script{{readRequest(0), block(0, blankBlock)},
                          {Ack, Ack},
                          {block(0, blankBlock), Stray + Ack},
                          {End, Stray + Ack}};
        QTest::newRow("--stray-bytes: the E of a read is acknowledged plainly")
            << QStringList{"--stray-bytes"}
            << Script{{Program, Stray + Ack},
                      {IdentRequest, ident("TQ-305", 3)},
                      {Ack, Ack},
                      {End, Ack}};
    }
    void answersFrameByFrame() {
        QFETCH(QStringList, arguments);
        QFETCH(Script, script);
        VirtualRadio radio(arguments + QStringList{"--fast"});
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());
        PLAY(port, script);
    }

    // What a PC that took the noise for an acknowledgement would do: send
    // the next block at once. The busy radio loses it and the write has a hole.
    void strayBytesLoseABlockSentOnTheNoise() {
        const QString saved = path("holes.dat");
        VirtualRadio radio({"--fast", "--stray-bytes", "--save", saved, "--once"});
        PcPort port(radio.slavePath());
        QVERIFY(port.isOpen());
        PLAY(port, {{Program, Stray + Ack}, {IdentRequest, ident("TQ-305", 3)}, {Ack, Ack}});

        PLAY(port, {{block(0x00, pattern(0x00)) + block(0x10, pattern(0x10)), Stray + Ack}});
        PLAY(port, {{End, Stray + Ack}});

        QCOMPARE(radio.waitForExit(), 0);
        QCOMPARE(fileBytes(saved), datFile(3, pattern(0x00) + Blank.mid(16)));
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
};

QTEST_GUILESS_MAIN(VirtualRadioTest)
#include "virtual_radio_test.moc"
