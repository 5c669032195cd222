// A fleet programmed from the command line: each radio of a batch gets its
// own code, set after set, every one of them in the history; a value some
// radio could not hold stops the batch before any radio is touched.
#include "image/image_layout.h"
#include "support/test_registry.h"
#include "support/virtual_radio.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int FleetBand = 6;
constexpr int FleetRadios = 4;

QByteArray fleetFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct FleetRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

} // namespace

class FleetTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", path("xdg"));
        env.insert("HOME", path("home"));
        return env;
    }

    FleetRun tq305(const QStringList& arguments, const QByteArray& input = {}) const {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(TQ305_PROGRAM, arguments);
        process.write(input);
        process.closeWriteChannel();
        FleetRun run;
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput();
        run.err = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }

    // FleetRadios on ports 1..count, each saving its memory after a write.
    std::vector<std::unique_ptr<VirtualRadio>> startRadios(int count) const {
        std::vector<std::unique_ptr<VirtualRadio>> radios;
        for (int n = 1; n <= count; ++n)
            radios.push_back(
                std::make_unique<VirtualRadio>(QStringList{path("in.dat"), "--fast", "--com",
                                                           QString::number(n), "--save", saved(n)},
                                               environment()));
        return radios;
    }
    QString saved(int port) const { return path(QString("radio%1.dat").arg(port)); }

    QStringList writeCommand(int count) const {
        QStringList command{"write", path("in.dat")};
        for (int n = 1; n <= count; ++n)
            command << "--port" << QString::number(n);
        return command;
    }

    QJsonArray history(const QStringList& filter = {}) const {
        const FleetRun run = tq305(QStringList{"history", "--json"} + filter);
        if (run.exitCode != 0)
            qWarning("%s", qPrintable(run.err));
        return QJsonDocument::fromJson(run.out).array();
    }

    void reset() {
        QDir(path("xdg")).removeRecursively();
        for (int n = 1; n <= FleetRadios; ++n)
            QFile::remove(saved(n));
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QByteArray file = fleetFileBytes(TQ_TEST_DATA "/full_image_band0.dat");
        QVERIFY(file.size() > 48);
        file[7] = char(FleetBand);
        file[48 + 0x716] = char(FleetBand);
        QFile in(path("in.dat"));
        QVERIFY(in.open(QIODevice::WriteOnly));
        in.write(file);
    }
    void init() { reset(); }

    // Four radios, then with one Enter the next four on the same ports: the
    // codes go on from 1005, each radio's memory holds its own and nothing
    // else differs, and the history names all eight with their backups.
    void batchesGiveEachRadioItsCode() {
        const auto radios = startRadios(FleetRadios);
        const FleetRun run = tq305(writeCommand(FleetRadios) << "--set"
                                                             << "dtmf.own_code=1001+"
                                                             << "--repeat",
                                   "\n");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.err.count("put in the next 4 radios and press Enter"), 2);
        const QByteArray sent = fleetFileBytes(path("in.dat")).mid(48);
        for (int n = 1; n <= FleetRadios; ++n) {
            QVERIFY2(run.err.contains(QString("port %1 (").arg(n)), qPrintable(run.err));
            const QByteArray memory = fleetFileBytes(saved(n)).mid(48);
            QCOMPARE(memory.size(), int(image::ImageSize));
            const FleetRun dump = tq305({"dump", saved(n)});
            QVERIFY2(dump.out.contains(QString("(Text3): %1\n").arg(1004 + n).toUtf8()),
                     dump.out.constData());
            // Only the own code's bytes are the radio's own.
            for (int offset : {0x000, 0x400, 0x700})
                QCOMPARE(memory.mid(offset, 0x50), sent.mid(offset, 0x50));
            QCOMPARE(memory.mid(image::offsets::DtmfOwnCode + 8, 0x20),
                     sent.mid(image::offsets::DtmfOwnCode + 8, 0x20));
        }
        const QJsonArray rows = history();
        QCOMPARE(rows.size(), 2 * FleetRadios);
        for (int n = 0; n < rows.size(); ++n) {
            const QJsonObject row = rows[n].toObject();
            QCOMPARE(row["action"].toString(), "write");
            QCOMPARE(row["port"].toString(), QString("port %1").arg(n % FleetRadios + 1));
            QCOMPARE(row["values"].toObject()["dtmf.own_code"].toString(),
                     QString::number(1001 + n));
            QCOMPARE(row["result"].toString(), "verified");
            QCOMPARE(row["band"].toInt(), FleetBand);
            QCOMPARE(row["sha256"].toString().size(), 64);
            QVERIFY(QFile::exists(row["backup"].toString()));
        }
        QCOMPARE(history({"--code", "1006"}).size(), 1);
        QCOMPARE(history({"--code", "1006"})[0].toObject()["port"].toString(), "port 2");
    }

    // --start continues where an earlier batch stopped, a second counter
    // keeping its distance; q ends --repeat.
    void startContinuesTheCount() {
        const auto radios = startRadios(2);
        const FleetRun run = tq305(writeCommand(2) << "--set"
                                                   << "dtmf.own_code=0001+"
                                                   << "--set"
                                                   << "dtmf.ptt_id=A1+"
                                                   << "--start"
                                                   << "17"
                                                   << "--repeat",
                                   "q\n");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QJsonArray rows = history();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].toObject()["values"].toObject(),
                 QJsonObject({{"dtmf.own_code", "0018"}, {"dtmf.ptt_id", "A18"}}));
        QVERIFY(tq305({"dump", saved(2)}).out.contains("(Text3): 0018\n"));
    }

    // Wrong values are refused before a port is opened: no backup, no
    // record, nothing saved by any radio.
    void refusedValuesTouchNoRadio_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("a counter past 8 digits on the second radio")
            << QStringList{"--set", "dtmf.own_code=99999999+"}
            << "tq305: --set dtmf.own_code: port 2: 100000000 is refused; allowed: at most 8 of "
               "the characters 0-9, A-D, * and #; no radio was written";
        QTest::newRow("a character DTMF lacks")
            << QStringList{"--set", "dtmf.own_code=12E4"}
            << "tq305: --set dtmf.own_code: port 1: 12E4 is refused; allowed: at most 8 of the "
               "characters 0-9, A-D, * and #";
        QTest::newRow("a list entry the list lacks") << QStringList{"--set", "features.squelch=11"}
                                                     << "port 1: 11 is refused; allowed: one of";
        QTest::newRow("a frequency outside the file's band")
            << QStringList{"--set", "channels[1].rx_frequency=99.00000"}
            << "tq305: --set channels[1].rx_frequency: port 1: 99.00000 is refused; allowed: a "
               "frequency from 440 MHz to 480 MHz";
        QTest::newRow("a key given twice with two values")
            << QStringList{"--set", "features.squelch=3", "--set", "features.squelch=5"}
            << "tq305 write: --set features.squelch is given twice";
        QTest::newRow("the band") << QStringList{"--set", "band=136-174MHz"}
                                  << "tq305 write: --set band: every radio gets the file's band";
        QTest::newRow("a key no setting has")
            << QStringList{"--set", "dtmf.own=1"}
            << "tq305 write: --set dtmf.own: no setting has this key";
        QTest::newRow("no value") << QStringList{"--set", "dtmf.own_code"}
                                  << "tq305 write: --set dtmf.own_code: not KEY=VALUE";
        QTest::newRow("a counter without digits")
            << QStringList{"--set", "dtmf.own_code=A+"}
            << "tq305 write: --set dtmf.own_code=A+: a counter ends in 1 to 18 digits before the +";
        QTest::newRow("a start that is no number")
            << QStringList{"--start", "x"} << "tq305 write: --start takes a whole number";
        QTest::newRow("a start that goes below 0")
            << QStringList{"--set", "dtmf.ptt_id=500+", "--set", "dtmf.own_code=50+", "--start",
                           "400"}
            << "tq305: --start 400: a counter would begin below 0";
    }
    void refusedValuesTouchNoRadio() {
        QFETCH(QStringList, options);
        QFETCH(QString, complaint);
        const auto radios = startRadios(2);
        const FleetRun run = tq305(writeCommand(2) + options);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
        QVERIFY(!run.err.contains("backing up"));
        QVERIFY(!QFile::exists(saved(1)) && !QFile::exists(saved(2)));
        QVERIFY(!QDir(path("xdg/TQ305CloneDesk/backups")).exists());
        QCOMPARE(history().size(), 0);
    }

    void historyFilters_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("rows"); // -1: not JSON
        QTest::newRow("everything") << QStringList{"--json"} << 0 << 2;
        QTest::newRow("a file") << QStringList{"--json", "--file", "in.dat"} << 0 << 1;
        QTest::newRow("another file") << QStringList{"--json", "--file", "other.dat"} << 0 << 0;
        QTest::newRow("since long ago") << QStringList{"--json", "--since", "2000-01-01"} << 0 << 2;
        QTest::newRow("since a day to come")
            << QStringList{"--json", "--since", "2999-01-01 10:00"} << 0 << 0;
        QTest::newRow("a date that is none") << QStringList{"--since", "2026-02-30x"} << 2 << -1;
        QTest::newRow("an unknown option") << QStringList{"--all"} << 2 << -1;
        QTest::newRow("a code without a value") << QStringList{"--code"} << 2 << -1;
        QTest::newRow("deleting what came before a day to come")
            << QStringList{"--json", "--delete-before", "2999-01-01"} << 0 << 0;
        QTest::newRow("deleting what came before long ago")
            << QStringList{"--json", "--delete-before", "2000-01-01"} << 0 << 2;
    }
    void historyFilters() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(int, rows);
        {
            const auto radios = startRadios(1);
            QCOMPARE(tq305(writeCommand(1) << "--no-verify").exitCode, 0);
            QCOMPARE(tq305({"read", "--port", "1", "-o", path("read.dat")}).exitCode, 0);
        }
        const FleetRun run = tq305(QStringList{"history"} + arguments);
        QCOMPARE(run.exitCode, exitCode);
        if (rows >= 0)
            QCOMPARE(QJsonDocument::fromJson(run.out).array().size(), rows);
        else
            QVERIFY(run.err.contains("usage: tq305 history"));
    }
};

TQ_REGISTER_TEST(FleetTest);
#include "fleet_test.moc"
