// tq305 read and tq305 write end to end: the real command against the real
// tq305-radio on its pseudo-terminal, as a user runs them.
#include "cli/write_verdict.h"
#include "link/device_lock.h"
#include "support/file_contents.h"
#include "support/pseudo_terminal.h"
#include "support/test_registry.h"
#include "support/virtual_radio.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int ImageSize = 2048;
constexpr int RadioBand = 6;

// Every offset differs from its neighbours and none is 0xFF, so a byte that
// was never read (0xFF in the file) or that landed at the wrong offset shows.
QByteArray patternImage() {
    QByteArray image(ImageSize, '\0');
    for (int i = 0; i < ImageSize; ++i)
        image[i] = char((i * 37 + 11) % 255);
    return image;
}

QByteArray datFile(int band, const QByteArray& image) {
    return QByteArray("TQ-305\xFF", 7) + char(band) + "\xFF\xFF" + "V0100" +
           QByteArray(33, '\xFF') + image;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

constexpr int BandOffset = 0x716;
constexpr int ChannelSize = 13;
constexpr int ChannelsEnd = 99 * ChannelSize;

// An image the program's windows hold exactly (every channel, setting and
// power level a value they can show), at RadioBand: what a write sends of it
// is the image itself.
QByteArray programImage() {
    QByteArray image = fileBytes(TQ_TEST_DATA "/full_image_band0.dat").mid(48);
    image[BandOffset] = char(RadioBand);
    return image;
}

// Another such image: the channels moved up by one (the last one emptied)
// and other power levels.
QByteArray edited(QByteArray image) {
    image.replace(0, ChannelsEnd,
                  image.mid(ChannelSize, ChannelsEnd - ChannelSize) +
                      QByteArray(ChannelSize, '\xFF'));
    image[0x7F0] = char(0x80);
    image[0x7F2] = char(0x40);
    return image;
}

struct Span {
    int first, end;
};
// What a read fetches whole, what a write sends, and the calibration block
// (of which a read keeps 0x7F0 and 0x7F2 only).
const QList<Span> ReadSpans{{0x000, 0x530}, {0x700, 0x7F0}};
const QList<Span> WriteSpans{{0x000, 0x520}, {0x700, 0x7F0}};
const Span Calibration{0x7F0, 0x800};

// `base` with the bytes of `over` at the spans.
QByteArray overlay(QByteArray base, const QByteArray& over, const QList<Span>& spans) {
    for (const Span& s : spans)
        base.replace(s.first, s.end - s.first, over.mid(s.first, s.end - s.first));
    return base;
}

// What a read gives of the radio's memory: 0xFF wherever it did not ask.
QByteArray asRead(const QByteArray& memory) {
    QByteArray image = overlay(QByteArray(ImageSize, '\xFF'), memory, ReadSpans);
    image[0x7F0] = memory[0x7F0];
    image[0x7F2] = memory[0x7F2];
    return image;
}

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    // The last line on standard error: the verdict.
    QString verdict() const { return QString::fromLocal8Bit(err.trimmed().split('\n').last()); }
};

} // namespace

class LinkCommandTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    const QByteArray m_memory = patternImage();
    const QByteArray m_program = programImage();

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // The radio and the command share a per-user folder of the test's own,
    // where the radio's port links go.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", path("xdg"));
        env.insert("HOME", path("home"));
        return env;
    }

    // A radio with the pattern image at RadioBand, saving to `saved`.
    QStringList radioArguments(const QString& saved) const {
        return {path("radio.img"), "--band", QString::number(RadioBand), "--fast", "--save", saved};
    }

    Run tq305(const QStringList& arguments) const { return tq305(arguments, environment()); }
    Run tq305(const QStringList& arguments, const QProcessEnvironment& env) const {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(TQ305_PROGRAM, arguments);
        Run run;
        if (!process.waitForFinished(20000)) {
            process.kill();
            process.waitForFinished();
            return run; // hung
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }

    // One table over the radio's faults, of which a test takes the rows of
    // one transfer: a read that fails leaves no file (and an OUT.dat
    // already there as it was) and says at which stage or
    // block it stopped; a write (the write transfer alone: no backup, no
    // verify) that fails says so and what reached the radio; a harmless
    // fault changes nothing.
    void faultRows(const QString& transfer) {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lastLines"); // of the standard error
        QTest::addColumn<int>("changedByte");       // written, then stored altered; -1 none
        // The radio refuses a frame it is not ready for, which it counts as a
        // violation of the protocol: let pass for that row.
        QTest::addColumn<bool>("refusal");

        const QStringList read{"read", "-o", "<OUT>"},
            write{"write", "<IN>", "--no-backup", "--no-verify"};
        const QStringList readDone{"tq305: read the radio into <OUT>: 440-480MHz (band 6)"};
        const QStringList wrote{
            "tq305: wrote <IN> to the radio: written, not verified (--no-verify)"};
        const QString lost =
            "tq305: the line was lost: <DEVICE> hung up (cable pulled, radio switched off?)";
        const QString nothingWritten = "tq305: note: nothing was written to the radio";
        auto stalled = [](const char* block) {
            return "tq305: the radio stopped answering at block " + QString(block) +
                   " (line fault?)";
        };
        auto answered = [](const char* block) {
            return "tq305: the radio's answer at block " + QString(block) +
                   " was not what the transfer expects there (line fault?)";
        };
        auto refused = [](const char* block) {
            return "tq305: the radio refused block " + QString(block) + " (it answered NAK, 0x15)";
        };
        auto partly = [](const char* block) {
            return QStringList{"tq305: partial write: the radio now holds a mix of old and new "
                               "memory; the write reached block " +
                                   QString(block) + " of <IN>",
                               "tq305: no backup was taken (--no-backup); write <IN> again"};
        };
        auto wrongBlock = [](const char* asked, const char* got) {
            return QStringList{"tq305: a wrong block came from the radio: asked for block " +
                               QString(asked) + ", got " + got + " (line fault?)"};
        };
        const QString identNotAnswered = "tq305: the radio on <DEVICE> sent its ident, but did "
                                         "not answer its acknowledgement as expected (line fault?)";
        auto row = [&transfer](const char* name, const QStringList& radio,
                               const QStringList& command, int exitCode, const QStringList& lines,
                               int changed = -1, bool refusal = false) {
            if (command.first() == transfer)
                QTest::newRow(name) << radio << command << exitCode << lines << changed << refusal;
        };

        row("silent: read", {"--silent"}, read, 1,
            {"tq305: no answer from the radio on <DEVICE> (is it switched on and connected?)"});
        row("late acknowledge: write", {"--late-ack"}, write, 0, wrote);
        row("other product: write", {"--product", "XY-999"}, write, 1,
            {"tq305: the radio on <DEVICE> is not a TQ-305 (it calls itself \"XY-999\")",
             nothingWritten});
        row("other band: read takes it", {"--band", "2"}, read, 0,
            {"tq305: read the radio into <OUT>: 350-390MHz (band 2)"});
        row("other band: write refused", {"--band", "2"}, write, 1,
            {"tq305: band mismatch: the radio is set to 350-390MHz (band 2), the file is for "
             "440-480MHz (band 6); --force-band writes anyway",
             nothingWritten});
        row("band letter: read names no band", {"--band", "12"}, read, 0,
            {"tq305: read the radio into <OUT>: band code 12"});
        row("band letter: write refused", {"--band", "12"}, write, 1,
            {"tq305: band mismatch: the radio is set to band code 12, the file is for "
             "440-480MHz (band 6); --force-band writes anyway",
             nothingWritten});
        row("other band: --force-band writes", {"--band", "2"}, write + QStringList{"--force-band"},
            0, wrote);
        row("high bits in the ident's band byte: read", {"--ident-high", "1"}, read, 0, readDone);
        row("another ident tail: write", {"--ident-tail", "0"}, write, 0, wrote);
        row("ident not answered: read", {"--no-ident-ack"}, read, 1, {identNotAnswered});
        row("ident not answered: write", {"--no-ident-ack"}, write, 1,
            {identNotAnswered, nothingWritten});
        row("stall: read", {"--stall-at", "10"}, read, 1, {stalled("0x090")});
        // A read waits for a whole block's 20 bytes: a shorter answer (a
        // refusal, a short block) is told once the wait is over.
        row("refused block: read", {"--nak-at", "10"}, read, 1, {refused("0x090")});
        row("refused first block: write", {"--nak-at", "1"}, write, 4,
            QStringList{refused("0x000")} + partly("0x000"));
        row("refused block: write", {"--nak-at", "10"}, write, 4,
            QStringList{refused("0x090")} + partly("0x090"));
        row("corrupt block: read", {"--corrupt-block", "10"}, read, 1, {answered("0x090")});
        row("short block: read", {"--short-block", "10"}, read, 1, {answered("0x090")});
        row("long block: read", {"--long-block", "10"}, read, 1, {answered("0x090")});
        row("wrong address: read", {"--wrong-address", "10"}, read, 1,
            wrongBlock("0x090", "0x0A0"));
        row("corrupt last block: read", {"--corrupt-block", "99"}, read, 1, {answered("0x7F0")});
        row("long last block: read", {"--long-block", "99"}, read, 1, {answered("0x7F0")});
        row("long last block in a burst: read", {"--long-block", "99", "--burst"}, read, 1,
            {answered("0x7F0")});
        row("wrong address of the last block: read", {"--wrong-address", "99"}, read, 1,
            wrongBlock("0x7F0", "0x7E0"));
        row("damaged blocks of a read: a write is not hurt", {"--corrupt-block", "10"}, write, 0,
            wrote);
        row("double acknowledge: read", {"--double-ack"}, read, 1, {identNotAnswered});
        row("double acknowledge: write", {"--double-ack", "--burst"}, write, 1,
            {identNotAnswered, nothingWritten});
        row("acknowledge with stray bytes: read", {"--ack-stray"}, read, 1, {identNotAnswered});
        row("acknowledge with stray bytes: write", {"--ack-stray"}, write, 1,
            {identNotAnswered, nothingWritten});
        row("stray bytes: read", {"--stray-bytes"}, read, 0, readDone);
        row("stray bytes: write loses no block", {"--stray-bytes"}, write, 0, wrote);
        row("end not answered: read", {"--no-end-ack"}, read, 0, readDone);
        row("end not answered: write", {"--no-end-ack"}, write, 1,
            {"tq305: the radio stopped answering after the last block: it did not acknowledge "
             "the end",
             "tq305: note: every block of <IN> reached the radio"});
        row("slow answers: read", {"--answer-delay", "40"}, read, 0, readDone);
        row("slow answers: write", {"--answer-delay", "40"}, write, 0, wrote);
        row("answers in bursts: read", {"--burst"}, read, 0, readDone);
        row("answers in bursts: write", {"--burst"}, write, 0, wrote);
        row("block stored altered: unverified, the write cannot know", {"--change-block", "10"},
            write, 0, wrote, 0x090);
        row("calibration block refused: the radio is not in its service mode", {},
            write + QStringList{"--calibration"}, 4,
            QStringList{stalled("0x7F0")} + partly("0x7F0"), -1, true);
        row("hang-up: read", {"--hang-up-at", "40"}, read, 1, {lost});
        row("hang-up: write", {"--hang-up-at", "40"}, write, 4,
            QStringList{lost} + partly("0x270"));
    }
    void checkFaultRow() {
        QFETCH(QStringList, radio);
        QFETCH(QStringList, command);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lastLines);
        QFETCH(int, changedByte);
        QFETCH(bool, refusal);
        const QString saved = path("saved.dat"), in = path("in.dat");
        const QString out = path(QString("out-%1.dat").arg(QTest::currentDataTag()));
        QFile::remove(saved);
        // A silent radio's read must leave no file; the other failed reads
        // find an OUT.dat already there, which they must leave alone.
        const bool existing = exitCode != 0 && !radio.contains("--silent");
        const QByteArray before = "an earlier file";
        if (existing)
            writeFile(out, before);
        const QByteArray image = edited(m_program);
        writeFile(in, datFile(RadioBand, image));

        const QStringList arguments = radioArguments(saved) + radio;
        const auto virtualRadio = refusal
                                      ? VirtualRadio::lenient(arguments, environment())
                                      : std::make_unique<VirtualRadio>(arguments, environment());
        const QString device = virtualRadio->slavePath();
        QVERIFY(!device.isEmpty());
        command.replaceInStrings("<OUT>", out).replaceInStrings("<IN>", in);
        const Run run = tq305(command + QStringList{"--device", device});

        QCOMPARE(run.exitCode, exitCode);
        lastLines.replaceInStrings("<DEVICE>", device)
            .replaceInStrings("<OUT>", out)
            .replaceInStrings("<IN>", in);
        const QStringList err = QString::fromLocal8Bit(run.err.trimmed()).split('\n');
        QCOMPARE(err.mid(err.size() - lastLines.size()), lastLines);
        QVERIFY(run.out.isEmpty());
        const bool reading = command[0] == "read";
        if (reading && exitCode != 0)
            QCOMPARE(QFile::exists(out) ? fileBytes(out) : QByteArray(),
                     existing ? before : QByteArray());
        // The radio's band in the header, unless no band of ours has its code.
        const int band =
            radio.contains("--band") ? radio[radio.indexOf("--band") + 1].toInt() : RadioBand;
        if (reading && exitCode == 0)
            QCOMPARE(fileBytes(out), datFile(band < 8 ? band : 0x10, asRead(m_memory)));
        if (!reading && exitCode == 0) {
            QByteArray stored = overlay(m_memory, image, WriteSpans);
            if (changedByte >= 0)
                stored[changedByte] = char(stored[changedByte] ^ 0x01);
            QCOMPARE(fileBytes(saved).mid(48), stored);
        }
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        writeFile(path("radio.img"), m_memory);
        QCOMPARE(m_program.size(), ImageSize);
        writeFile(path("program.img"), m_program);
    }

    // A write sends what the program's windows encode from the file; for an
    // image they hold exactly, that is the image itself, so a read followed
    // by a write gives the radio back its own bytes.
    void readThenWriteBack_data() {
        QTest::addColumn<bool>("byPortNumber");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("calibration");
        QTest::addColumn<bool>("paced");
        QTest::newRow("its own bytes back, --device") << false << false << false << false;
        QTest::newRow("its own bytes back, --port, at 9600 baud") << true << false << false << true;
        QTest::newRow("an edited image") << false << true << false << false;
        QTest::newRow("an edited image --calibration, at 9600 baud")
            << false << true << true << true;
    }
    void readThenWriteBack() {
        QFETCH(bool, byPortNumber);
        QFETCH(bool, edit);
        QFETCH(bool, calibration);
        QFETCH(bool, paced);
        const QString saved = path("saved.dat"), out = path("out.dat"), in = path("in.dat");
        for (const QString& file : {saved, out, in})
            QFile::remove(file);
        QStringList arguments{path("program.img"), "--band", QString::number(RadioBand), "--save",
                              saved};
        if (!paced)
            arguments << "--fast";
        if (byPortNumber)
            arguments << "--com"
                      << "3";
        // A radio takes the calibration block only in its service mode.
        if (calibration)
            arguments << "--calibration-mode";
        VirtualRadio radio(arguments, environment());
        QVERIFY(!radio.slavePath().isEmpty());
        const QStringList port =
            byPortNumber ? QStringList{"--port", "3"} : QStringList{"--device", radio.slavePath()};

        const Run read = tq305(QStringList{"read", "-o", out} + port);
        QCOMPARE(read.exitCode, 0);
        QCOMPARE(read.verdict(), "tq305: read the radio into " + out + ": 440-480MHz (band 6)");
        QCOMPARE(fileBytes(out), datFile(RadioBand, asRead(m_program)));

        const QByteArray image = edit ? edited(asRead(m_program)) : asRead(m_program);
        writeFile(in, datFile(RadioBand, image));
        // Paced, the backup read is enough of a read to time: no verify.
        const Run write = tq305(QStringList{"write", in} + port +
                                (calibration ? QStringList{"--calibration"} : QStringList{}) +
                                (paced ? QStringList{"--no-verify"} : QStringList{}));
        QCOMPARE(write.exitCode, 0);
        QVERIFY(write.out.isEmpty());

        // Written offsets hold the file's bytes; the rest of the radio is untouched.
        const QList<Span> written = WriteSpans + (calibration ? QList{Calibration} : QList<Span>{});
        QCOMPARE(fileBytes(saved), datFile(RadioBand, overlay(m_program, image, written)));
    }

    // Bytes the windows cannot hold (tone codes no tone has, settings out of
    // their lists) behind a valid header do not reach the radio as they are:
    // it gets what the windows make of them, which goes again unchanged.
    void damagedImageIsEncodedAgain() {
        const QString saved = path("saved.dat"), again = path("again.dat");
        QFile::remove(saved);
        QFile::remove(again);
        writeFile(path("damaged.dat"), datFile(RadioBand, m_memory));
        VirtualRadio radio(radioArguments(saved), environment());
        const Run first = tq305({"write", path("damaged.dat"), "--device", radio.slavePath()});
        QCOMPARE(first.exitCode, 0);
        const QByteArray sent = fileBytes(saved).mid(48);
        QCOMPARE(sent.size(), ImageSize);
        QVERIFY(overlay(m_memory, sent, WriteSpans) != m_memory);

        VirtualRadio second(radioArguments(again), environment());
        QCOMPARE(tq305({"write", saved, "--device", second.slavePath()}).exitCode, 0);
        QCOMPARE(overlay(m_memory, fileBytes(again).mid(48), WriteSpans),
                 overlay(m_memory, sent, WriteSpans));
    }

    // Reads and writes are two functions, whose waits for a silent radio
    // ctest runs side by side.
    void eachReadFaultEndsInItsExitCode_data() { faultRows("read"); }
    void eachReadFaultEndsInItsExitCode() { checkFaultRow(); }
    void eachWriteFaultEndsInItsExitCode_data() { faultRows("write"); }
    void eachWriteFaultEndsInItsExitCode() { checkFaultRow(); }

    // The write as it runs by default: a backup of what the radio held,
    // the write, and a verify that reads every written block back. What can
    // go wrong is told apart: nothing written (1), not as sent (1), a radio
    // left with a mix of old and new memory (4), a backup not kept (3).
    void safeWrite_data() {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lastLines");
        QTest::addColumn<bool>("written"); // the radio holds the file afterwards

        const QString nothingWritten = "tq305: note: nothing was written to the radio";
        const QString restore =
            "tq305: restore the radio from its backup: tq305 write <BACKUP> --device <DEVICE>";
        QTest::newRow("backup, write, verify")
            << QStringList{} << QStringList{} << 0
            << QStringList{"tq305: wrote <IN> to the radio and verified it: every block read "
                           "back as written"}
            << true;
        QTest::newRow("the calibration block verified")
            << QStringList{"--calibration-mode"} << QStringList{"--calibration"} << 0
            << QStringList{"tq305: wrote <IN> to the radio, the calibration block included, and "
                           "verified it: every block read back as written"}
            << true;
        QTest::newRow("not verified")
            << QStringList{} << QStringList{"--no-verify"} << 0
            << QStringList{"tq305: wrote <IN> to the radio: written, not verified "
                           "(--no-verify)"}
            << true;
        QTest::newRow("a block stored changed")
            << QStringList{"--change-block", "10"} << QStringList{} << 1
            << QStringList{"tq305: verify failed: block 0x090 of the radio differs from what was "
                           "written",
                           restore}
            << false;
        QTest::newRow("stall at block 50 of the write")
            << QStringList{"--stall-at", "50", "--fault-in-transfer", "2"} << QStringList{} << 4
            << QStringList{"tq305: the radio stopped answering at block 0x310 (line fault?)",
                           "tq305: partial write: the radio now holds a mix of old and new "
                           "memory; the write reached block 0x310 of <IN>",
                           restore}
            << false;
        QTest::newRow("another band: refused before a block is written")
            << QStringList{"--band", "2"} << QStringList{} << 1
            << QStringList{"tq305: band mismatch: the radio is set to 350-390MHz (band 2), the "
                           "file is for 440-480MHz (band 6); --force-band writes anyway",
                           nothingWritten}
            << false;
        QTest::newRow("the backup read breaks off")
            << QStringList{"--stall-at", "10"} << QStringList{} << 1
            << QStringList{"tq305: reading the backup: the radio stopped answering at block "
                           "0x090 (line fault?)",
                           nothingWritten}
            << false;
        // The write's "E" unanswered: the verify shows every block arrived.
        QTest::newRow("end not answered")
            << QStringList{"--no-end-ack"} << QStringList{} << 0
            << QStringList{"tq305: wrote <IN> to the radio and verified it: every block read "
                           "back as written"}
            << true;
        // Without a backup, a verify read that breaks off says what it read.
        QTest::newRow("no backup, the verify read breaks off")
            << QStringList{"--stall-at", "30", "--fault-in-transfer", "2"}
            << QStringList{"--no-backup"} << 1
            << QStringList{"tq305: wrote <IN> to the radio, but the verify read failed: the radio "
                           "stopped answering at block 0x1D0 (line fault?)",
                           "tq305: note: the 29 blocks it read before that hold what was "
                           "written; the rest is unchecked"}
            << true;
        // A hundred backups already: the oldest goes, and is named.
        QTest::newRow("a full backup folder")
            << QStringList{} << QStringList{"<FULL>"} << 0
            << QStringList{"tq305: wrote <IN> to the radio and verified it: every block read "
                           "back as written"}
            << true;
        // Found before the backup read, which would stall at its tenth block.
        QTest::newRow("the backup folder cannot be made")
            << QStringList{"--stall-at", "10"} << QStringList{"<BLOCKED>"} << 3
            << QStringList{"tq305: the backup could not be kept: <BLOCKED>/TQ305CloneDesk/backups: "
                           "cannot be written: Not a directory; --no-backup writes without one",
                           nothingWritten}
            << false;
    }
    void safeWrite() {
        QFETCH(QStringList, radio);
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lastLines);
        QFETCH(bool, written);
        const QString saved = path("saved.dat"), in = path("in.dat");
        QFile::remove(saved);
        const QByteArray image = edited(m_program);
        writeFile(in, datFile(RadioBand, image));
        QProcessEnvironment env = environment();
        // A file where the per-user data folder should be.
        const QString blocked = path("blocked");
        if (options.removeAll("<BLOCKED>")) {
            QVERIFY(QDir().mkpath(blocked));
            writeFile(blocked + "/TQ305CloneDesk", "not a folder");
            env.insert("XDG_DATA_HOME", blocked);
        }
        const QString folder = path("xdg/TQ305CloneDesk/backups");
        QStringList old;
        if (options.removeAll("<FULL>")) {
            QVERIFY(QDir().mkpath(folder));
            for (int n = 0; n < 100; ++n) {
                old << QString("2020-01-01_0000%1_port9_band6.dat").arg(n, 2, 10, QChar('0'));
                writeFile(folder + "/" + old.last(), datFile(RadioBand, image));
            }
        }
        VirtualRadio virtualRadio(radioArguments(saved) + radio, environment());
        const QString device = virtualRadio.slavePath();

        const Run run = tq305(QStringList{"write", in, "--device", device} + options, env);

        QCOMPARE(run.exitCode, exitCode);
        const QStringList err = QString::fromLocal8Bit(run.err.trimmed()).split('\n');
        const QString backupLine = "tq305: backup of the radio's memory: ";
        const QStringList backups = err.filter(backupLine);
        const QString backup = backups.value(0).mid(backupLine.size());
        lastLines.replaceInStrings("<DEVICE>", device)
            .replaceInStrings("<IN>", in)
            .replaceInStrings("<BACKUP>", backup)
            .replaceInStrings("<BLOCKED>", blocked);
        QCOMPARE(err.mid(err.size() - lastLines.size()), lastLines);
        // The backup opens to what the radio held, under a name that says
        // when, where and which band.
        const bool backedUp = exitCode != 3 && !options.contains("--no-backup") &&
                              !lastLines.join('\n').contains("reading the backup");
        if (backedUp) {
            QCOMPARE(backups.size(), 1);
            QCOMPARE(QFileInfo(backup).path(), path("xdg/TQ305CloneDesk/backups"));
            QVERIFY2(QRegularExpression(R"(^\d{4}-\d\d-\d\d_\d{6}_pts\d+_band\d(-\d+)?\.dat$)")
                         .match(QFileInfo(backup).fileName())
                         .hasMatch(),
                     qPrintable(backup));
            const int band = radio.contains("--band") ? 2 : RadioBand;
            QCOMPARE(fileBytes(backup), datFile(band, asRead(m_memory)));
        }
        if (!old.isEmpty()) {
            QVERIFY2(err.contains("tq305: old backup removed (the folder keeps 100): " + old[0]),
                     qPrintable(err.join('\n')));
            QVERIFY(!QFile::exists(folder + "/" + old[0]));
            for (const QString& name : old)
                QFile::remove(folder + "/" + name);
        }
        const QList<Span> spans =
            WriteSpans + (options.contains("--calibration") ? QList{Calibration} : QList<Span>{});
        if (written)
            QCOMPARE(fileBytes(saved).mid(48), overlay(m_memory, image, spans));
        else if (exitCode == 1 && !radio.contains("--change-block"))
            QVERIFY(!QFile::exists(saved));
    }

    // Several radios from one command, all at once: each its own backup and
    // verify; a radio of another band is refused while the others finish;
    // a table says how each ended.
    void batch_data() {
        QTest::addColumn<QStringList>("radios"); // each its band, then faults of its own
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("results"); // of the table, one per radio
        const QString verified = "verified", refused = "refused: band mismatch";
        QTest::newRow("four radios") << QStringList{"6", "6", "6", "6"} << QStringList{} << 0
                                     << QStringList{verified, verified, verified, verified};
        QTest::newRow("one of another band")
            << QStringList{"6", "6", "2", "6"} << QStringList{} << 1
            << QStringList{verified, verified, refused, verified};
        // A radio left half-written outweighs one refused, whichever comes first.
        QTest::newRow("one refused, one partial")
            << QStringList{"2", "6 --stall-at 50 --fault-in-transfer 2"} << QStringList{} << 4
            << QStringList{refused, "PARTIAL at block 0x310"};
        QTest::newRow("another band forced")
            << QStringList{"6", "2", "6"} << QStringList{"--force-band"} << 0
            << QStringList{verified, verified, verified};
    }
    void batch() {
        QFETCH(QStringList, radios);
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QStringList, results);
        const QString in = path("in.dat");
        const QByteArray image = edited(m_program);
        writeFile(in, datFile(RadioBand, image));
        std::vector<std::unique_ptr<VirtualRadio>> virtualRadios;
        QStringList command = QStringList{"write", in} + options;
        for (int n = 0; n < radios.size(); ++n) {
            const QString saved = path(QString("batch%1.dat").arg(n));
            QFile::remove(saved);
            const QStringList words = radios[n].split(' ');
            virtualRadios.push_back(std::make_unique<VirtualRadio>(
                QStringList{path("radio.img"), "--band", words[0], "--fast", "--save", saved} +
                    words.mid(1),
                environment()));
            command << "--device" << virtualRadios.back()->slavePath();
        }
        const Run run = tq305(command);
        QCOMPARE(run.exitCode, exitCode);
        const QStringList err = QString::fromLocal8Bit(run.err.trimmed()).split('\n');
        const QStringList table = err.mid(err.size() - radios.size() - 1);
        QVERIFY2(table[0].startsWith("port "), qPrintable(table[0]));
        for (int n = 0; n < radios.size(); ++n) {
            const QString device = virtualRadios[std::size_t(n)]->slavePath();
            const QString row = table[n + 1];
            QVERIFY2(row.startsWith(device + " "), qPrintable(row));
            QVERIFY2(row.contains(results[n]), qPrintable(row));
            // The note of a forced write goes to the radio of another band alone.
            const bool otherBand = radios[n].split(' ')[0] != "6";
            QCOMPARE(err.filter(QRegularExpression("^tq305: " + QRegularExpression::escape(device) +
                                                   ": note: the radio is set to .* written "
                                                   "anyway \\(--force-band\\)$"))
                         .size(),
                     otherBand && options.contains("--force-band") ? 1 : 0);
            const QString saved = path(QString("batch%1.dat").arg(n));
            if (results[n].startsWith("refused"))
                QVERIFY(!QFile::exists(saved));
            else if (results[n] == "verified")
                QCOMPARE(fileBytes(saved).mid(48), overlay(m_memory, image, WriteSpans));
        }
        QCOMPARE(err.filter("backup of the radio's memory: ").size(), radios.size());
        // Every radio has its record, the refused ones too, in the order given.
        const QJsonArray recorded =
            QJsonDocument::fromJson(tq305({"history", "--json"}).out).array();
        QVERIFY(recorded.size() >= radios.size());
        for (int n = 0; n < radios.size(); ++n) {
            const QJsonObject row = recorded[recorded.size() - radios.size() + n].toObject();
            QVERIFY2(row["result"].toString().startsWith(results[n], Qt::CaseInsensitive),
                     qPrintable(row["result"].toString()));
        }
    }

    // A restore command pastes into a shell as printed, and prints nothing a
    // terminal would act on.
    void restoreCommandWords_data() {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("plain") << QByteArray("/a/b-1.dat") << QByteArray("/a/b-1.dat");
        QTest::newRow("a space") << QByteArray("a b") << QByteArray("'a b'");
        QTest::newRow("a quote") << QByteArray("it's") << QByteArray("'it'\\''s'");
        QTest::newRow("Chinese") << QByteArray("频道 1") << QByteArray("'频道 1'");
        QTest::newRow("not UTF-8") << QByteArray("x\xFFy") << QByteArray("$'x\\xFFy'");
        QTest::newRow("an escape sequence") << QByteArray("a\x1B[2J") << QByteArray("$'a\\x1B[2J'");
        QTest::newRow("a quote and a byte")
            << QByteArray("a'\\\xFF") << QByteArray("$'a\\'\\\\\\xFF'");
    }
    void restoreCommandWords() {
        QFETCH(QByteArray, word);
        QFETCH(QByteArray, shown);
        QCOMPARE(QByteArray::fromStdString(cli::shellWord(word.toStdString())), shown);
    }

    void wrongCommandLines_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("no port") << QStringList{"read", "-o", "x.dat"}
                                 << "tq305 read: give the radio's port: --port N or --device PATH";
        QTest::newRow("no output")
            << QStringList{"read", "--port", "1"} << "tq305 read: give the output file: -o OUT.dat";
        QTest::newRow("two ports")
            << QStringList{"read", "--port", "1", "--device", "/dev/ttyS0", "-o", "x.dat"}
            << "tq305 read: give one port: --port N or --device PATH";
        QTest::newRow("port 17") << QStringList{"read", "--port", "17", "-o", "x.dat"}
                                 << "tq305 read: --port takes a number from 1 to 16, not '17'";
        QTest::newRow("port 1x") << QStringList{"write", "a.dat", "--port", "1x"}
                                 << "tq305 write: --port takes a number from 1 to 16, not '1x'";
        QTest::newRow("-o without a name")
            << QStringList{"read", "--port", "1", "-o"} << "tq305 read: -o needs a value";
        QTest::newRow("a write option on a read")
            << QStringList{"read", "--port", "1", "-o", "x.dat", "--force-band"}
            << "tq305 read: unknown option '--force-band'";
        QTest::newRow("a write option on a read, --no-backup")
            << QStringList{"read", "--port", "1", "-o", "x.dat", "--no-backup"}
            << "tq305 read: unknown option '--no-backup'";
        QTest::newRow("the same radio twice")
            << QStringList{"write", "a.dat", "--port", "2", "--device", "/dev/x", "--port", "2"}
            << "tq305 write: --port 2 is given twice";
        QTest::newRow("one device under two spellings")
            << QStringList{"write",     "a.dat",    "--device",
                           "/dev/null", "--device", "/dev/../dev/null"}
            << "tq305 write: --device /dev/../dev/null is given twice: it is the device of "
               "--device /dev/null";
        QTest::newRow("a bare device name and its path")
            << QStringList{"write", "a.dat", "--device", "null", "--device", "/dev/null"}
            << "tq305 write: --device /dev/null is given twice: it is the device of --device null";
        QTest::newRow("a port number with escape bytes")
            << QStringList{"read", "--port", "1\x1b]0;x\a", "-o", "x.dat"}
            << "tq305 read: --port takes a number from 1 to 16, not '1\\x1B]0;x\\x07'";
        QTest::newRow("an option with escape bytes")
            << QStringList{"read", "--port", "1", "-o", "x.dat", "--\x1b[31m"}
            << "tq305 read: unknown option '--\\x1B[31m'";
        QTest::newRow("no file to write")
            << QStringList{"write", "--port", "1"} << "tq305 write: give the data file to write";
        QTest::newRow("two files to write") << QStringList{"write", "a.dat", "b.dat", "--port", "1"}
                                            << "tq305 write: give one data file";
    }
    void wrongCommandLines() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, complaint);
        const Run run = tq305(arguments);
        QCOMPARE(run.exitCode, 2);
        const QStringList lines = QString::fromLocal8Bit(run.err).split('\n');
        QCOMPARE(lines.value(0), complaint);
        QVERIFY(lines.value(1).startsWith("usage: tq305 read (--port N | --device PATH)"));
    }

    void cannotOpen_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("missing device")
            << QStringList{"read", "--device", "/dev/no-such-tty", "-o", "<OUT>"}
            << "tq305: The device /dev/no-such-tty does not exist (is the programming cable "
               "plugged in?).";
        QTest::newRow("a device with escape bytes")
            << QStringList{"read", "--device", "/dev/no-such-tty\x1b[2J", "-o", "<OUT>"}
            << "tq305: The device /dev/no-such-tty\\x1B[2J does not exist (is the programming "
               "cable plugged in?).";
        QTest::newRow("a port link to a radio that ended")
            << QStringList{"write", "<IN>", "--port", "4"}
            << "tq305: port 4: The device <XDG>/TQ305CloneDesk/ports/com4 does not exist (is the "
               "programming cable plugged in?).";
        QTest::newRow("not a serial line")
            << QStringList{"read", "--device", "/dev/null", "-o", "<OUT>"}
            << "tq305: The device /dev/null: Inappropriate ioctl for device";
        QTest::newRow("missing data file")
            << QStringList{"write", "<DIR>/missing.dat", "--device", "/dev/null"}
            << "tq305: <DIR>/missing.dat: No such file or directory";
        // Refused before the port is opened, let alone a backup read.
        QTest::newRow("a data file that names no band")
            << QStringList{"write", TQ_TEST_DATA "/band_byte_0x10.dat", "--device", "/dev/null"}
            << "tq305: " TQ_TEST_DATA "/band_byte_0x10.dat: not written: its header names no band "
               "(--force-band writes it anyway)";
        QTest::newRow("not a data file")
            << QStringList{"write", "<DIR>/radio.img", "--device", "/dev/null"}
            << "tq305: <DIR>/radio.img: not a TQ-305 data file (wrong header, or shorter than "
               "2096 bytes)";
    }
    void cannotOpen() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, complaint);
        writeFile(path("in.dat"), datFile(RadioBand, m_memory));
        QFile::remove(path("out.dat"));
        QDir().mkpath(path("xdg/TQ305CloneDesk/ports"));
        QFile::link(path("gone"), path("xdg/TQ305CloneDesk/ports/com4"));
        arguments.replaceInStrings("<OUT>", path("out.dat"))
            .replaceInStrings("<IN>", path("in.dat"))
            .replaceInStrings("<DIR>", m_dir.path());

        const Run run = tq305(arguments);
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(run.verdict(),
                 complaint.replace("<XDG>", path("xdg")).replace("<DIR>", m_dir.path()));
        QVERIFY(!QFile::exists(path("out.dat")));
    }

    // A read whose file could not be kept is refused before the port opens:
    // the radio on the line hears nothing.
    void outputRefusedBeforeThePort_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "<DIR>/no-such-folder/out.dat"
                                        << "cannot be written: No such file or directory";
        QTest::newRow("a folder") << "<DIR>"
                                  << "cannot be written: Is a directory";
        QTest::newRow("a pipe") << "<DIR>/pipe.dat"
                                << "cannot be written: not a regular file";
        QTest::newRow("a device") << "/dev/null"
                                  << "cannot be written: not a regular file";
        QTest::newRow("a folder nobody can write in, root included")
            << "/proc/out.dat"
            << "cannot be written: No such file or directory";
        QTest::newRow("a read-only file") << "<DIR>/read-only.dat"
                                          << "cannot be written: Permission denied";
    }
    void outputRefusedBeforeThePort() {
        QFETCH(QString, output);
        QFETCH(QString, reason);
        output.replace("<DIR>", m_dir.path());
        QFile::remove(path("pipe.dat"));
        QCOMPARE(::mkfifo(QFile::encodeName(path("pipe.dat")), 0600), 0);
        QFile::remove(path("read-only.dat"));
        writeFile(path("read-only.dat"), "kept");
        QVERIFY(QFile::setPermissions(path("read-only.dat"), QFile::ReadOwner));
        PseudoTerminal line;
        QVERIFY(line.isValid());

        QElapsedTimer clock;
        clock.start();
        const Run run = tq305({"read", "--device", line.slavePath(), "-o", output});
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(QString::fromLocal8Bit(run.err), "tq305: " + output + ": " + reason + "\n");
        QCOMPARE(line.read(1, 100), QByteArray());
        QCOMPARE(fileBytes(path("read-only.dat")), QByteArray("kept"));
    }

    // Ended from outside mid-transfer (Ctrl+C, kill, a closed terminal, a
    // dropped remote session, Ctrl+\): the radio is told to end its clone
    // mode, so the next transfer finds it ready; a read leaves no file.
    void endingSignalTellsTheRadioToEnd_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("reading");
        QTest::newRow("SIGINT, read") << SIGINT << true;
        QTest::newRow("SIGTERM, write") << SIGTERM << false;
        QTest::newRow("SIGHUP, write") << SIGHUP << false;
        QTest::newRow("SIGHUP, read") << SIGHUP << true;
        QTest::newRow("SIGQUIT, write") << SIGQUIT << false;
    }
    void endingSignalTellsTheRadioToEnd() {
        QFETCH(int, signal);
        QFETCH(bool, reading);
        const QString out = path("signalled.dat");
        QFile::remove(out);
        writeFile(path("in.dat"), datFile(RadioBand, m_program));
        // At 9600 baud a transfer lasts seconds: time to catch it in the middle.
        VirtualRadio radio({path("program.img"), "--band", QString::number(RadioBand), "-v"},
                           environment());
        QProcess process;
        process.setProcessEnvironment(environment());
        const QStringList port{"--device", radio.slavePath()};
        process.start(TQ305_PROGRAM, (reading ? QStringList{"read", "-o", out}
                                              : QStringList{"write", path("in.dat")}) +
                                         port);
        QVERIFY(process.waitForStarted());
        const QByteArray midway = reading ? "PC:    52 01" : "PC:    57 01";
        QTRY_VERIFY_WITH_TIMEOUT(radio.standardError().contains(midway), 10000);
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        // A write stopped mid-way has left a mix: that is what its code says.
        QCOMPARE(process.exitCode(), reading ? 130 : 4);
        const QStringList err =
            QString::fromLocal8Bit(process.readAllStandardError().trimmed()).split('\n');
        const QString told = "tq305: interrupted: the radio on " + radio.slavePath() +
                             " was told to end the transfer";
        if (reading) {
            QCOMPARE(err.last(), told);
        } else {
            QCOMPARE(err.value(err.size() - 3), told);
            QVERIFY2(err.value(err.size() - 2)
                         .startsWith("tq305: partial write: the radio now holds a mix of old and "
                                     "new memory; the write reached block 0x"),
                     qPrintable(err.value(err.size() - 2)));
            QVERIFY2(
                err.last().startsWith("tq305: restore the radio from its backup: tq305 write " +
                                      path("xdg/TQ305CloneDesk/backups/")),
                qPrintable(err.last()));
        }
        QVERIFY(!QFile::exists(out));
        QTRY_VERIFY(radio.standardError().contains("PC:    45"));

        const Run next = tq305(QStringList{"read", "-o", out} + port);
        QVERIFY2(next.exitCode == 0, next.err.constData());
        QCOMPARE(fileBytes(out), datFile(RadioBand, asRead(m_program)));
    }

    // The windows program ended from outside closes its port as on quitting:
    // the lock file that keeps other programs off the radio goes with it.
    void windowsProgramEndedBySignalRemovesItsLock_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void windowsProgramEndedBySignalRemovesItsLock() {
        QFETCH(int, signal);
        // A folder of its own for the program: its port choice (port 1) is kept beside it.
        const QString program = path("program/TQ305sys");
        QDir().mkpath(path("program"));
        QFile::remove(program);
        QVERIFY(QFile::copy(TQ_GUI_PROGRAM, program));
        VirtualRadio radio({path("radio.img"), "--com", "1"}, environment());
        namespace lock = radiolink::device_lock;
        const std::string name = lock::lockFileName(
            QFile::encodeName(QFileInfo(radio.slavePath()).canonicalFilePath()).toStdString());
        const std::string folder = lock::folderForLock(name);
        if (folder.empty())
            QSKIP("no folder for serial locks can be written here");
        const QString lockFile = QFile::decodeName(QByteArray::fromStdString(folder + "/" + name));
        QProcess process;
        QProcessEnvironment env = environment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.start(program);
        QVERIFY(process.waitForStarted());
        // Its own lock, not one an ended program left.
        const auto heldByIt = [&] {
            QFile file(lockFile);
            return file.open(QIODevice::ReadOnly) &&
                   file.readLine() == QByteArray::number(process.processId()) + '\n';
        };
        QTRY_VERIFY_WITH_TIMEOUT(heldByIt(), 10000);
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitStatus(), QProcess::CrashExit); // ended by that signal
        QVERIFY(!QFile::exists(lockFile));
    }

    // The reader of the standard error gone (a pipe into a logger that
    // ended): the progress lines fail, the write still reaches its end.
    void writeOutlivesItsStandardError() {
        const QString saved = path("saved.dat");
        QFile::remove(saved);
        writeFile(path("in.dat"), datFile(RadioBand, m_program));
        VirtualRadio radio(radioArguments(saved), environment());
        QProcess process;
        process.setProcessEnvironment(environment());
        process.setChildProcessModifier([] {
            int ends[2];
            if (::pipe(ends) == 0) {
                ::dup2(ends[1], STDERR_FILENO);
                ::close(ends[0]);
            }
        });
        process.start(TQ305_PROGRAM, {"write", path("in.dat"), "--device", radio.slavePath()});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(fileBytes(saved).mid(48), overlay(m_memory, m_program, WriteSpans));
    }

    // One process per radio, whatever name each gives the device: the lock
    // is on the device, so it holds for root too.
    void deviceHeldUnderAnotherName_data() {
        QTest::addColumn<QString>("otherName");
        QTest::addColumn<QStringList>("port");
        QTest::newRow("the path spelt another way") << "<PTS>" << QStringList{"--device", "<PTS>"};
        QTest::newRow("a link to it") << "<DIR>/link" << QStringList{"--device", "<DIR>/link"};
        QTest::newRow("a port link comN to it")
            << "<DIR>/xdg/TQ305CloneDesk/ports/com5" << QStringList{"--port", "5"};
    }
    void deviceHeldUnderAnotherName() {
        QFETCH(QString, otherName);
        QFETCH(QStringList, port);
        PseudoTerminal line; // never answers: the first read waits for its watchdog
        QVERIFY(line.isValid());
        const QString respelt = QString(line.slavePath()).replace("/pts/", "/pts/../pts/");
        otherName.replace("<PTS>", respelt).replace("<DIR>", m_dir.path());
        port.replaceInStrings("<PTS>", respelt).replaceInStrings("<DIR>", m_dir.path());
        if (otherName != respelt) {
            QVERIFY(QDir().mkpath(QFileInfo(otherName).path()));
            QFile::remove(otherName);
            QVERIFY(QFile::link(line.slavePath(), otherName));
        }

        QProcess first;
        first.setProcessEnvironment(environment());
        first.start(TQ305_PROGRAM, {"read", "--device", line.slavePath(), "-o", path("first.dat")});
        QVERIFY(!line.read(7).isEmpty()); // its "PROGRAM": it holds the port
        const Run second = tq305(QStringList{"read", "-o", path("second.dat")} + port);
        first.kill();
        first.waitForFinished();

        QCOMPARE(second.exitCode, 3);
        QVERIFY2(
            second.verdict().endsWith("The device " + otherName + " is in use by another program."),
            qPrintable(second.verdict()));
        QVERIFY(!QFile::exists(path("second.dat")));
    }

    // On a terminal the bar is redrawn in place and its line ended before
    // the verdict, which stands on a line of its own.
    void progressBarOnATerminal() {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const QByteArray slave = ::ptsname(master);
        VirtualRadio radio(radioArguments(path("saved.dat")), environment());

        QProcess process;
        process.setProcessEnvironment(environment());
        process.setChildProcessModifier([slave] {
            const int fd = ::open(slave.constData(), O_RDWR | O_NOCTTY);
            ::dup2(fd, STDERR_FILENO);
        });
        QByteArray screen;
        QSocketNotifier notifier(master, QSocketNotifier::Read);
        connect(&notifier, &QSocketNotifier::activated, this, [&] {
            char buffer[4096];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0)
                screen.append(buffer, n);
        });
        process.start(TQ305_PROGRAM, {"read", "--device", radio.slavePath(), "-o", path("t.dat")});
        QVERIFY(process.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 20000);
        QTRY_VERIFY(screen.endsWith(".dat: 440-480MHz (band 6)\r\n"));
        notifier.setEnabled(false);
        ::close(master);

        QCOMPARE(process.exitCode(), 0);
        QVERIFY(screen.startsWith("\rreading ["));
        QVERIFY(screen.contains("] 100%\r\ntq305: read the radio into "));
        QVERIFY(!screen.contains("reading: "));
    }
};

TQ_REGISTER_TEST(LinkCommandTest);
#include "link_command_test.moc"
