// tq305 read and tq305 write end to end: the real command against the real
// tq305-radio on its pseudo-terminal, as a user runs them.
#include "support/virtual_radio.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
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

QByteArray flipped(QByteArray image) {
    for (char& byte : image)
        byte = char(byte ^ 0x5A);
    return image;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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

    Run tq305(const QStringList& arguments) const {
        QProcess process;
        process.setProcessEnvironment(environment());
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

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeFile(path("radio.img"), m_memory));
    }

    void readThenWriteBack_data() {
        QTest::addColumn<bool>("byPortNumber");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("calibration");
        QTest::newRow("its own bytes back, --device") << false << false << false;
        QTest::newRow("its own bytes back, --port") << true << false << false;
        QTest::newRow("an edited image") << false << true << false;
        QTest::newRow("an edited image --calibration") << false << true << true;
    }
    void readThenWriteBack() {
        QFETCH(bool, byPortNumber);
        QFETCH(bool, edited);
        QFETCH(bool, calibration);
        const QString saved = path("saved.dat"), out = path("out.dat"), in = path("in.dat");
        for (const QString& file : {saved, out, in})
            QFile::remove(file);
        // A radio takes the calibration block only in its service mode.
        VirtualRadio radio(radioArguments(saved) +
                               (byPortNumber ? QStringList{"--com", "3"} : QStringList{}) +
                               (calibration ? QStringList{"--calibration-mode"} : QStringList{}),
                           environment());
        QVERIFY(!radio.slavePath().isEmpty());
        const QStringList port =
            byPortNumber ? QStringList{"--port", "3"} : QStringList{"--device", radio.slavePath()};

        const Run read = tq305(QStringList{"read", "-o", out} + port);
        QCOMPARE(read.exitCode, 0);
        QCOMPARE(read.verdict(), "tq305: read the radio into " + out + ": 440-480MHz (band 6)");
        QCOMPARE(fileBytes(out), datFile(RadioBand, asRead(m_memory)));

        const QByteArray image = edited ? flipped(asRead(m_memory)) : asRead(m_memory);
        QVERIFY(writeFile(in, datFile(RadioBand, image)));
        const Run write = tq305(QStringList{"write", in} + port +
                                (calibration ? QStringList{"--calibration"} : QStringList{}));
        QCOMPARE(write.exitCode, 0);
        QVERIFY(write.out.isEmpty());

        // Written offsets hold the file's bytes; the rest of the radio is untouched.
        const QList<Span> written = WriteSpans + (calibration ? QList{Calibration} : QList<Span>{});
        QCOMPARE(fileBytes(saved), datFile(RadioBand, overlay(m_memory, image, written)));
    }

    void eachFaultEndsInItsExitCode_data() {
        QTest::addColumn<QStringList>("radio");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("verdict");
        const QStringList read{"read", "-o", "<OUT>"}, write{"write", "<IN>"};
        const QString wrote = "tq305: wrote <IN> to the radio";
        const QString lost =
            "tq305: the line was lost: <DEVICE> hung up (cable pulled, radio switched off?)";

        QTest::newRow("silent") << QStringList{"--silent"} << read << 1
                                << "tq305: no answer from the radio on <DEVICE> (is it switched "
                                   "on and connected?)";
        QTest::newRow("late acknowledge") << QStringList{"--late-ack"} << write << 0 << wrote;
        QTest::newRow("other product")
            << QStringList{"--product", "XY-999"} << write << 1
            << "tq305: the radio on <DEVICE> is not a TQ-305 (it calls itself \"XY-999\")";
        QTest::newRow("other band: read takes it")
            << QStringList{"--band", "2"} << read << 0
            << "tq305: read the radio into <OUT>: 350-390MHz (band 2)";
        QTest::newRow("other band: write refused")
            << QStringList{"--band", "2"} << write << 1
            << "tq305: band mismatch: the radio is set to 350-390MHz (band 2), the file is for "
               "440-480MHz (band 6); --force-band writes anyway";
        QTest::newRow("band letter: read names no band")
            << QStringList{"--band", "12"} << read << 0
            << "tq305: read the radio into <OUT>: band code 12";
        QTest::newRow("band letter: write refused")
            << QStringList{"--band", "12"} << write << 1
            << "tq305: band mismatch: the radio is set to band code 12, the file is for "
               "440-480MHz (band 6); --force-band writes anyway";
        QTest::newRow("other band: --force-band writes")
            << QStringList{"--band", "2"} << write + QStringList{"--force-band"} << 0 << wrote;
        QTest::newRow("stall in a read")
            << QStringList{"--stall-at", "10"} << read << 1
            << "tq305: the radio stopped answering at block 0x090 (line fault?)";
        QTest::newRow("stray bytes: read")
            << QStringList{"--stray-bytes"} << read << 0
            << "tq305: read the radio into <OUT>: 440-480MHz (band 6)";
        QTest::newRow("stray bytes: write loses no block")
            << QStringList{"--stray-bytes"} << write << 0 << wrote;
        QTest::newRow("hang-up in a read")
            << QStringList{"--hang-up-at", "40"} << read << 1 << lost;
        QTest::newRow("hang-up in a write")
            << QStringList{"--hang-up-at", "40"} << write << 1 << lost;
    }
    void eachFaultEndsInItsExitCode() {
        QFETCH(QStringList, radio);
        QFETCH(QStringList, command);
        QFETCH(int, exitCode);
        QFETCH(QString, verdict);
        const QString saved = path("saved.dat"), in = path("in.dat");
        const QString out = path(QString("out-%1.dat").arg(QTest::currentDataTag()));
        QFile::remove(saved);
        // A silent radio's read must leave no file; the stalled and the cut
        // reads find an OUT.dat already there, which they must leave alone.
        const bool existing = exitCode != 0 && !radio.contains("--silent");
        const QByteArray before = "an earlier file";
        if (existing)
            QVERIFY(writeFile(out, before));
        const QByteArray image = flipped(m_memory);
        QVERIFY(writeFile(in, datFile(RadioBand, image)));

        VirtualRadio virtualRadio(radioArguments(saved) + radio, environment());
        QVERIFY(!virtualRadio.slavePath().isEmpty());
        command.replaceInStrings("<OUT>", out).replaceInStrings("<IN>", in);
        const Run run = tq305(command + QStringList{"--device", virtualRadio.slavePath()});

        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.verdict(), verdict.replace("<DEVICE>", virtualRadio.slavePath())
                                    .replace("<OUT>", out)
                                    .replace("<IN>", in));
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
        if (!reading && exitCode == 0)
            QCOMPARE(fileBytes(saved).mid(48), overlay(m_memory, image, WriteSpans));
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
        QTest::newRow("not a data file")
            << QStringList{"write", "<DIR>/radio.img", "--device", "/dev/null"}
            << "tq305: <DIR>/radio.img: not a TQ-305 data file (wrong header, or shorter than "
               "2096 bytes)";
    }
    void cannotOpen() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, complaint);
        QVERIFY(writeFile(path("in.dat"), datFile(RadioBand, m_memory)));
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

    // The read itself succeeds; the file it goes to cannot be written.
    void unwritableOutput() {
        VirtualRadio radio(radioArguments(path("saved.dat")), environment());
        const QString out = path("no-such-folder/out.dat");
        const Run run = tq305({"read", "--device", radio.slavePath(), "-o", out});
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(run.verdict(), "tq305: " + out + ": cannot be written: No such file or directory");
    }

    // Ended by the user mid-transfer: the radio is told to end its clone
    // mode, and a read leaves no file.
    void interruptTellsTheRadioToEnd() {
        QStringList arguments = radioArguments(path("saved.dat"));
        arguments << "--stall-at"
                  << "5"
                  << "-v";
        VirtualRadio radio(arguments, environment());
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(TQ305_PROGRAM, {"read", "--device", radio.slavePath(), "-o", path("i.dat")});
        QVERIFY(process.waitForStarted());
        QTest::qWait(1000); // stalled at block 5, well before the watchdog
        process.terminate();
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitCode(), 130);
        QVERIFY(process.readAllStandardError().trimmed().endsWith("was told to end the transfer"));
        QVERIFY(!QFile::exists(path("i.dat")));
        QByteArray log;
        QTRY_VERIFY((log += radio.standardError()).contains("PC:    45"));
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

QTEST_GUILESS_MAIN(LinkCommandTest)
#include "link_command_test.moc"
