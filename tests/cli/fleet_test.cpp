// A fleet programmed from the command line: each radio of a batch gets its
// own code, set after set, every one of them in the history; a value some
// radio could not hold stops the batch before any radio is touched.
#include "image/image_layout.h"
#include "support/file_contents.h"
#include "support/test_registry.h"
#include "support/virtual_radio.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <memory>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

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

    // Radios on ports 1.. of the bands given, each saving its memory.
    std::vector<std::unique_ptr<VirtualRadio>> startBands(const QList<int>& bands) const {
        std::vector<std::unique_ptr<VirtualRadio>> radios;
        for (int n = 1; n <= bands.size(); ++n)
            radios.push_back(std::make_unique<VirtualRadio>(
                QStringList{path("in.dat"), "--fast", "--com", QString::number(n), "--band",
                            QString::number(bands[n - 1]), "--save", saved(n)},
                environment()));
        return radios;
    }

    QStringList ownCodes(const QJsonArray& rows) const {
        QStringList codes;
        for (const QJsonValue& row : rows)
            codes << row["values"].toObject()["dtmf.own_code"].toString();
        return codes;
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
    void startContinuesTheCount_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("ownCode"); // of the second radio
        QTest::addColumn<QString>("pttId");
        QTest::newRow("from 17") << QStringList{"--set",   "dtmf.own_code=0001+",
                                                "--set",   "dtmf.ptt_id=A1+",
                                                "--start", "17"}
                                 << "0018"
                                 << "A18";
        QTest::newRow("a counter beginning at exactly 0")
            << QStringList{"--set", "dtmf.ptt_id=A500+", "--set", "dtmf.own_code=0100+", "--start",
                           "400"}
            << "0001"
            << "A401";
    }
    void startContinuesTheCount() {
        QFETCH(QStringList, options);
        QFETCH(QString, ownCode);
        QFETCH(QString, pttId);
        const auto radios = startRadios(2);
        const FleetRun run = tq305(writeCommand(2) + options << "--repeat", "q\n");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QJsonArray rows = history();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].toObject()["values"].toObject()["dtmf.own_code"].toString(), ownCode);
        QCOMPARE(rows[1].toObject()["values"].toObject()["dtmf.ptt_id"].toString(), pttId);
        QVERIFY(
            tq305({"dump", saved(2)}).out.contains(QString("(Text3): %1\n").arg(ownCode).toUtf8()));
    }

    // --repeat ends with a word that tells the sets written from the set not
    // touched: a counter past its digits in a later set, a signal while it
    // waits for the next radios.
    void repeatEndsSaying_data() {
        QTest::addColumn<int>("signal"); // sent once it waits; 0: none, Enter pressed
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("a counter past 8 digits in the second set")
            << 0 << 2
            << "port 1: 100000000 is refused; allowed: at most 8 of the characters 0-9, A-D, * "
               "and #; no radio of this set was written (the sets before were, as their tables "
               "say)";
        QTest::newRow("SIGTERM while waiting")
            << int(SIGTERM) << 130
            << "tq305: interrupted while waiting for the next radios: none of them was touched";
        QTest::newRow("SIGHUP while waiting")
            << int(SIGHUP) << 130
            << "tq305: interrupted while waiting for the next radios: none of them was touched";
    }
    void repeatEndsSaying() {
        QFETCH(int, signal);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        const auto radios = startRadios(2);
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(TQ305_PROGRAM, writeCommand(2) << "--set"
                                                     << "dtmf.own_code=99999998+"
                                                     << "--repeat");
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += process.readAllStandardError()).contains("press Enter"),
                                 20000);
        if (signal)
            ::kill(pid_t(process.processId()), signal);
        else
            process.write("\n");
        QVERIFY(process.waitForFinished(20000));
        err += process.readAllStandardError();
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        QVERIFY2(QString::fromLocal8Bit(err).contains(said), err.constData());
        QCOMPARE(history().size(), 2);
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
        QTest::newRow("a start given twice")
            << QStringList{"--set", "dtmf.own_code=1+", "--start", "5", "--start", "9"}
            << "tq305 write: --start is given twice";
        QTest::newRow("--keep without a backup to keep it from")
            << QStringList{"--keep", "dtmf.own_code", "--no-backup"}
            << "tq305 write: --keep takes each radio's own value from its backup";
        QTest::newRow("--keep and --set one setting")
            << QStringList{"--set", "dtmf.own_code=1001+", "--keep", "dtmf.own_code"}
            << "tq305 write: --set and --keep both give dtmf.own_code";
        QTest::newRow("a job's counter past 8 digits on the second radio")
            << QStringList{"--job", "school", "--set", "dtmf.own_code=99999999+"}
            << "tq305: --set dtmf.own_code: port 2: 100000000 is refused; allowed: at most 8 of "
               "the characters 0-9, A-D, * and #; no radio was written";
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
        QTest::newRow("a day the month lacks") << QStringList{"--since", "2026-02-30"} << 2 << -1;
        QTest::newRow("deleting only a code's records")
            << QStringList{"--delete-before", "2999-01-01", "--code", "1001"} << 2 << -1;
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
        if (exitCode != 0)
            QCOMPARE(history().size(), 2); // a refused command deleted nothing
    }

    // A counted value the history says a radio got is not given again: it
    // is named and no radio is touched, unless --again says so. A write
    // that reached no radio (another band) gave nothing, and is recorded.
    void aCodeIsGivenOnce() {
        const auto radios = startRadios(2);
        QCOMPARE(tq305(writeCommand(2) << "--set"
                                       << "dtmf.own_code=1001+")
                     .exitCode,
                 0);
        for (int n = 1; n <= 2; ++n)
            QFile::remove(saved(n));
        const FleetRun twice = tq305(writeCommand(2) << "--set"
                                                     << "dtmf.own_code=1002+");
        QCOMPARE(twice.exitCode, 2);
        QVERIFY2(twice.err.contains("tq305: --set dtmf.own_code: port 1 would get '1002', which "
                                    "port 2 got on "),
                 qPrintable(twice.err));
        QVERIFY(twice.err.contains("(verified); --again gives it all the same; no radio was "
                                   "written"));
        QVERIFY(!QFile::exists(saved(1)) && !QFile::exists(saved(2)));
        QCOMPARE(tq305(writeCommand(2) << "--set"
                                       << "dtmf.own_code=1003+")
                     .exitCode,
                 0);
        QCOMPARE(tq305(writeCommand(1) << "--set"
                                       << "dtmf.own_code=1001+"
                                       << "--again")
                     .exitCode,
                 0);
        QCOMPARE(history({"--code", "1001"}).size(), 2);
        {
            VirtualRadio other({path("in.dat"), "--fast", "--band", "2", "--com", "3"},
                               environment());
            QCOMPARE(tq305({"write", path("in.dat"), "--port", "3", "--set", "dtmf.own_code=2001+"})
                         .exitCode,
                     1);
        }
        const QJsonArray refused = history({"--code", "2001"});
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused[0].toObject()["result"].toString(), "refused: band mismatch");
        QCOMPARE(tq305(writeCommand(1) << "--set"
                                       << "dtmf.own_code=2001+")
                     .exitCode,
                 0);
    }

    // A history that cannot take a record keeps it beside itself: the
    // radio is written all the same, the user is told, and the record goes
    // into the history once it can take it. Kept nowhere, the command fails.
    void recordsWaitBesideAHistoryThatCannotTakeThem_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("locked by another program") << "locked" << 0 << "database is locked";
        QTest::newRow("read-only") << "read-only" << 0 << "readonly";
        QTest::newRow("damaged") << "damaged" << 0 << "file is not a database";
        QTest::newRow("nowhere to keep it")
            << "nowhere" << 3 << "THE RECORD OF THIS RADIO COULD NOT BE KEPT";
    }
    void recordsWaitBesideAHistoryThatCannotTakeThem() {
        QFETCH(QString, damage);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        const auto radios = startRadios(1);
        QCOMPARE(tq305(writeCommand(1)).exitCode, 0);
        const QString database = path("xdg/TQ305CloneDesk/history.db");
        sqlite3* holder = nullptr;
        // Root writes a file whatever its mode: for root the file is made
        // immutable instead, and made writable again whatever happens.
        const bool immutable = damage == "read-only" && ::geteuid() == 0;
        const auto setImmutable = [&](bool on) {
            return QProcess::execute("chattr", {on ? "+i" : "-i", database}) == 0;
        };
        struct Undo {
            std::function<void()> undo;
            ~Undo() {
                if (undo)
                    undo();
            }
        } writableAgain;
        if (immutable) {
            if (!setImmutable(true))
                QSKIP("root writes a read-only file, and this file system cannot make it "
                      "immutable");
            writableAgain.undo = [&] { setImmutable(false); };
        }
        if (damage == "locked") {
            QCOMPARE(sqlite3_open(QFile::encodeName(database).constData(), &holder), SQLITE_OK);
            QCOMPARE(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        } else if (damage == "read-only" && !immutable) {
            QVERIFY(QFile::setPermissions(database, QFile::ReadOwner));
        } else if (damage != "read-only") {
            QFile::remove(database + "-wal");
            QFile::remove(database + "-shm");
            writeFile(database, "not a database at all, but long enough to be read as one");
            if (damage == "nowhere")
                QVERIFY(QDir().mkpath(database + ".pending"));
        }
        const FleetRun run = tq305(writeCommand(1) << "--set"
                                                   << "dtmf.own_code=1001+"
                                                   << "--again");
        if (holder) {
            sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(holder);
        }
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(QFile::exists(saved(1)));
        if (damage == "nowhere")
            return;
        QVERIFY2(run.err.contains("it waits in " + database + ".pending"), qPrintable(run.err));
        QVERIFY(QFile::exists(database + ".pending"));
        if (damage == "read-only" && immutable)
            QVERIFY(setImmutable(false));
        else if (damage == "read-only")
            QVERIFY(QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner));
        if (damage == "damaged")
            QVERIFY(QFile::remove(database));
        const QJsonArray rows = history({"--code", "1001"});
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].toObject()["result"].toString(), "verified");
        QVERIFY(QFile::exists(rows[0].toObject()["backup"].toString()));
        QVERIFY(!QFile::exists(database + ".pending"));
    }

    // A write killed mid-way has its record: kept before the first block.
    void aWriteKilledMidwayIsRecordedAsStarted() {
        // At 9600 baud a write lasts seconds: time to catch it in the middle.
        VirtualRadio radio({path("in.dat"), "--com", "1", "-v"}, environment());
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(TQ305_PROGRAM, writeCommand(1) << "--set"
                                                     << "dtmf.own_code=1001+");
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(radio.standardError().contains("PC:    57 01"), 10000);
        process.kill();
        QVERIFY(process.waitForFinished(5000));
        const QJsonArray rows = history({"--code", "1001"});
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].toObject()["result"].toString(), "started, not finished");
        // The radio may hold the code: it is not given to another one.
        QCOMPARE(tq305(writeCommand(1) << "--set"
                                       << "dtmf.own_code=1001+")
                     .exitCode,
                 2);
    }

    // A data file whose name is no UTF-8 is recorded by its bytes: the path
    // the history gives exists, and the SHA-256 is the file's.
    void aNameThatIsNoUtf8IsRecordedAsItIs() {
        const auto radios = startRadios(1);
        QProcess shell;
        shell.setProcessEnvironment(environment());
        shell.start("sh", {"-c",
                           R"sh(f="$1/$(printf 'in\377.dat')"; cp "$1/in.dat" "$f" &&
                                exec "$0" write "$f" --port 1)sh",
                           TQ305_PROGRAM, m_dir.path()});
        QVERIFY(shell.waitForFinished(30000));
        QVERIFY2(shell.exitCode() == 0, shell.readAllStandardError().constData());
        sqlite3* db = nullptr;
        QCOMPARE(
            sqlite3_open(QFile::encodeName(path("xdg/TQ305CloneDesk/history.db")).constData(), &db),
            SQLITE_OK);
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(db, "SELECT file, sha256 FROM records", -1, &query, nullptr);
        QCOMPARE(sqlite3_step(query), SQLITE_ROW);
        const QByteArray file(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)),
                              sqlite3_column_bytes(query, 0));
        const int shaLength = sqlite3_column_bytes(query, 1);
        sqlite3_finalize(query);
        sqlite3_close(db);
        QCOMPARE(file, QFile::encodeName(m_dir.path()) + "/in\xFF.dat");
        QCOMPARE(::access(file.constData(), F_OK), 0);
        QCOMPARE(shaLength, 64);
        // A name Qt cannot spell would outlast the temporary folder.
        ::unlink(file.constData());
    }

    // Twenty writes at once on a data folder that has no backups/ yet:
    // each makes or finds the folders, none is refused for them.
    void twentyWritesAtOnceOnAFreshFolder() {
        constexpr int Writes = 20;
        std::vector<std::unique_ptr<VirtualRadio>> radios;
        std::vector<std::unique_ptr<QProcess>> writes;
        for (int n = 0; n < Writes; ++n)
            radios.push_back(std::make_unique<VirtualRadio>(QStringList{path("in.dat"), "--fast"},
                                                            environment()));
        for (const auto& radio : radios) {
            writes.push_back(std::make_unique<QProcess>());
            writes.back()->setProcessEnvironment(environment());
            writes.back()->start(TQ305_PROGRAM,
                                 {"write", path("in.dat"), "--device", radio->slavePath()});
        }
        for (const auto& write : writes) {
            QVERIFY(write->waitForFinished(60000));
            QVERIFY2(write->exitCode() == 0, write->readAllStandardError().constData());
        }
        QCOMPARE(QDir(path("xdg/TQ305CloneDesk/backups")).entryList({"*.dat"}).size(), Writes);
        QCOMPARE(history().size(), Writes);
    }

    // A job over several runs: each run's radios (their bands, on ports
    // 1..) take the job's next codes, a radio that was written nothing
    // leaves its code to the next radio, and the report has a row per radio
    // and the totals.
    void aJobGoesOnOverRuns_data() {
        QTest::addColumn<QList<QList<int>>>("runs");
        QTest::addColumn<QStringList>("codes"); // of every radio, in order
        QTest::addColumn<QStringList>("totals");
        QTest::newRow("the second run goes on where the first stopped")
            << QList<QList<int>>{{6, 6}, {6}} << QStringList{"1001", "1002", "1003"}
            << QStringList{"Radios,3", "Programmed,3", "Failed,0", "Not finished,0"};
        QTest::newRow("a radio of another band leaves its code to the next radio")
            << QList<QList<int>>{{2, 6}, {6, 6}} << QStringList{"1001", "1002", "1001", "1003"}
            << QStringList{"Radios,4", "Programmed,3", "Failed,1", "Not finished,0"};
    }
    void aJobGoesOnOverRuns() {
        QFETCH(QList<QList<int>>, runs);
        QFETCH(QStringList, codes);
        QFETCH(QStringList, totals);
        for (const QList<int>& bands : runs) {
            const auto radios = startBands(bands);
            tq305(writeCommand(int(bands.size())) << "--job"
                                                  << "school"
                                                  << "--set"
                                                  << "dtmf.own_code=1001+");
        }
        const QJsonArray rows = history({"--job", "school"});
        QCOMPARE(ownCodes(rows), codes);
        // The last run's radios hold the codes the history gives them.
        for (int n = 1; n <= runs.back().size(); ++n) {
            const QString code = codes[codes.size() - runs.back().size() + n - 1];
            QVERIFY(tq305({"dump", saved(n)}).out.contains(("(Text3): " + code + "\n").toUtf8()));
        }
        QCOMPARE(tq305({"history", "--job", "school", "--format", "csv", "-o", path("job.csv")})
                     .exitCode,
                 0);
        const QStringList lines =
            QString::fromUtf8(fleetFileBytes(path("job.csv"))).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + codes.size() + totals.size());
        QCOMPARE(lines.front(), "No.,Date,Port,dtmf.own_code,Result,Backup");
        for (int n = 0; n < codes.size(); ++n) {
            const QStringList cells = lines[n + 1].split(',');
            QCOMPARE(cells[0], QString::number(n + 1));
            QCOMPARE(cells[3], codes[n]);
            QCOMPARE(cells[4], rows[n]["result"].toString());
        }
        QCOMPARE(lines.mid(1 + codes.size()), totals);
    }

    // A job's second run with other values or another image is refused
    // unless --change-job; one whose values cannot be taken (the history
    // locked) writes no radio, as a job without its record is none.
    void aJobsSecondRun_data() {
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("other values")
            << QStringList{"--set", "dtmf.own_code=2001+"} << false << 2
            << "--job school was begun with dtmf.own_code=1001+, not dtmf.own_code=2001+; "
               "--change-job goes on with these";
        QTest::newRow("other values, --change-job")
            << QStringList{"--set", "dtmf.own_code=2001+", "--change-job"} << false << 0
            << "note: --job school goes on with dtmf.own_code=2001+";
        QTest::newRow("a value kept besides")
            << QStringList{"--set", "dtmf.own_code=1001+", "--keep", "dtmf.ptt_id"} << false << 2
            << "not dtmf.own_code=1001+ keep dtmf.ptt_id";
        QTest::newRow("another image") << QStringList{"--set", "dtmf.own_code=1001+", "--no-verify"}
                                       << false << 2 << "--job school was begun with another image";
        QTest::newRow("the history locked")
            << QStringList{"--set", "dtmf.own_code=1001+"} << true << 3
            << "--job school: the job's values cannot be taken (database is locked); no radio was "
               "written";
    }
    void aJobsSecondRun() {
        QFETCH(QStringList, second);
        QFETCH(bool, locked);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        const auto radios = startRadios(1);
        QCOMPARE(tq305(writeCommand(1) << "--job"
                                       << "school"
                                       << "--set"
                                       << "dtmf.own_code=1001+")
                     .exitCode,
                 0);
        QFile::remove(saved(1));
        QStringList command = writeCommand(1) << "--job"
                                              << "school";
        if (second.contains("--no-verify")) {
            // The same radio file, but for one byte.
            QByteArray other = fleetFileBytes(path("in.dat"));
            other[48 + 0x20] = char(other[48 + 0x20] ^ 1);
            writeFile(path("other.dat"), other);
            command[1] = path("other.dat");
        }
        sqlite3* holder = nullptr;
        if (locked) {
            QCOMPARE(
                sqlite3_open(QFile::encodeName(path("xdg/TQ305CloneDesk/history.db")), &holder),
                SQLITE_OK);
            QCOMPARE(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        const FleetRun run = tq305(command + second);
        if (holder) {
            sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(holder);
        }
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(QFile::exists(saved(1)), exitCode == 0);
        const QStringList codes = ownCodes(history({"--job", "school"}));
        QCOMPARE(codes, (exitCode == 0 ? QStringList{"1001", "2002"} : QStringList{"1001"}));
    }

    // Four programs on one job at once, each writing its radio three times
    // over: every write gets a code of its own, none skipped.
    void programsAtOnceOnOneJobGiveDistinctCodes() {
        const auto radios = startRadios(FleetRadios);
        std::vector<std::unique_ptr<QProcess>> writes;
        for (int n = 1; n <= FleetRadios; ++n) {
            writes.push_back(std::make_unique<QProcess>());
            writes.back()->setProcessEnvironment(environment());
            writes.back()->start(TQ305_PROGRAM,
                                 {"write", path("in.dat"), "--port", QString::number(n), "--job",
                                  "school", "--set", "dtmf.own_code=1001+", "--repeat"});
            writes.back()->write("\n\n");
            writes.back()->closeWriteChannel();
        }
        for (const auto& write : writes) {
            QVERIFY(write->waitForFinished(60000));
            QVERIFY2(write->exitCode() == 0, write->readAllStandardError().constData());
        }
        QStringList codes = ownCodes(history({"--job", "school"}));
        codes.sort();
        QStringList expected;
        for (int code = 1001; code <= 1000 + 3 * FleetRadios; ++code)
            expected << QString::number(code);
        QCOMPARE(codes, expected);
    }

    // --keep writes the shared image and leaves each radio its own code, as
    // its backup read it; the history records the code kept.
    void keepLeavesEachRadioItsCode() {
        const auto radios = startRadios(2);
        QCOMPARE(tq305(writeCommand(2) << "--set"
                                       << "dtmf.own_code=5001+")
                     .exitCode,
                 0);
        const FleetRun run = tq305(writeCommand(2) << "--job"
                                                   << "school"
                                                   << "--keep"
                                                   << "dtmf.own_code"
                                                   << "--set"
                                                   << "dtmf.ptt_id=B1+");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.err.contains("kept from the radio's own memory: dtmf.own_code=5002"),
                 qPrintable(run.err));
        for (int n = 1; n <= 2; ++n) {
            const QByteArray dump = tq305({"dump", saved(n)}).out;
            QVERIFY(dump.contains(QString("(Text3): %1\n").arg(5000 + n).toUtf8()));
            QVERIFY(dump.contains(QString("(Text2): B%1\n").arg(n).toUtf8()));
        }
        const QJsonArray rows = history({"--job", "school"});
        QCOMPARE(ownCodes(rows), (QStringList{"5001", "5002"}));
        QCOMPARE(rows[1]["values"].toObject()["dtmf.ptt_id"].toString(), "B2");
    }

    // --auto on port 1 while radios are put on its cable and taken off, as
    // the steps say: "on B ..." a new radio of band B (and the switches
    // after it) on the port's link, "interrupt" Ctrl+C to tq305, "off"
    // and "back" the last radio taken off the cable and put back, "gone" the
    // last radio ended (its link with it), "said TEXT" until tq305 has said
    // it, "calm" 1.5 s in which tq305 says nothing (no radio written twice,
    // no line per probe). The run ends with q, or with the end of the input.
    void autoProgramsEachRadioPutOn_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QByteArray>("ending");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("records");  // result and code, oldest first
        QTest::addColumn<QStringList>("memories"); // each radio's code at the end; - none saved
        QTest::addColumn<QStringList>("options");
        QTest::newRow("written once while it stays, again when swapped")
            << QStringList{"on 6", "said 1 programmed", "calm", "off", "said taken off",
                           "back", "said 2 programmed", "calm"}
            << QByteArray("q\n") << 0 << QStringList{"verified 1001", "verified 1002"}
            << QStringList{"1002"} << QStringList{};
        QTest::newRow("another band refused, the next radio programmed")
            << QStringList{"on 3", "said 1 refused", "calm", "gone", "on 6", "said 1 programmed"}
            << QByteArray() << 1 << QStringList{"refused 1001", "verified 1001"}
            << QStringList{"-", "1001"} << QStringList{};
        QTest::newRow("a port link that comes later")
            << QStringList{"said waiting until it opens", "calm", "on 6", "said 1 programmed"}
            << QByteArray("q\n") << 0 << QStringList{"verified 1001"} << QStringList{"1001"}
            << QStringList{};
        // A probe that gave up with "E" would start every handshake anew,
        // and this radio would never be found.
        QTest::newRow("a radio that answers only the repeated handshake")
            << QStringList{"on 6 --late-ack", "said 1 programmed"} << QByteArray("q\n") << 0
            << QStringList{"verified 1001"} << QStringList{"1001"} << QStringList{};
        QTest::newRow("Ctrl+C while a radio is backed up ends its transfer")
            << QStringList{"on 6 --answer-delay 10", "said backing up", "interrupt",
                           "said told to end"}
            << QByteArray() << 130 << QStringList{"nothing 1001"} << QStringList{"-"}
            << QStringList{};
        // The job hands out the codes; the one the refused radio took goes
        // to the next radio, and the radio keeps its own PTT-ID.
        QTest::newRow("a job's radios, each keeping its PTT-ID")
            << QStringList{"on 3",
                           "said 1 refused",
                           "calm",
                           "gone",
                           "on 6",
                           "said kept from the radio's own memory: dtmf.ptt_id=",
                           "said 1 programmed"}
            << QByteArray("q\n") << 1 << QStringList{"refused 1001", "verified 1001"}
            << QStringList{"-", "1001"} << QStringList{"--job", "bench", "--keep", "dtmf.ptt_id"};
    }
    void autoProgramsEachRadioPutOn() {
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, ending);
        QFETCH(int, exitCode);
        QFETCH(QStringList, records);
        QFETCH(QStringList, memories);
        QFETCH(QStringList, options);
        const auto memory = [this](int n) { return path(QString("auto%1.dat").arg(n)); };
        for (int n = 1; n <= memories.size(); ++n)
            QFile::remove(memory(n));
        QProcess run;
        run.setProcessEnvironment(environment());
        run.start(TQ305_PROGRAM, QStringList{"write", path("in.dat"), "--port", "1", "--auto",
                                             "--set", "dtmf.own_code=1001+"} +
                                     options);
        run.setReadChannel(QProcess::StandardError);
        QVERIFY(run.waitForStarted());
        QString said;
        const auto hear = [&](int milliseconds) {
            const bool more = run.waitForReadyRead(milliseconds);
            said += QString::fromUtf8(run.readAllStandardError());
            return more;
        };
        std::vector<std::unique_ptr<VirtualRadio>> radios;
        for (const QString& step : steps) {
            const QString argument = step.section(' ', 1);
            if (step.startsWith("on ")) {
                radios.push_back(std::make_unique<VirtualRadio>(
                    QStringList{path("in.dat"), "--fast", "--com", "1", "--save",
                                memory(int(radios.size()) + 1), "--band"} +
                        argument.split(' '),
                    environment()));
            } else if (step == "interrupt") {
                ::kill(pid_t(run.processId()), SIGINT);
            } else if (step == "off" || step == "back") {
                radios.back()->signal(SIGUSR1);
            } else if (step == "gone") {
                radios.back()->finish();
            } else if (step == "calm") {
                hear(0);
                const QString before = said;
                hear(1500);
                if (said != before)
                    qWarning("tq305 said while calm:\n%s", qPrintable(said.mid(before.size())));
                QVERIFY(said == before);
            } else {
                QDeadlineTimer deadline(20000);
                while (!said.contains(argument) && !deadline.hasExpired() &&
                       run.state() == QProcess::Running)
                    hear(200);
                if (!said.contains(argument))
                    qWarning("tq305 said:\n%s", qPrintable(said));
                QVERIFY2(said.contains(argument), qPrintable(step));
            }
        }
        run.write(ending);
        run.closeWriteChannel();
        QVERIFY(run.waitForFinished(20000));
        said += QString::fromUtf8(run.readAllStandardError());
        QVERIFY2(run.exitCode() == exitCode, qPrintable(said));
        QVERIFY2(said.contains("programmed, "), qPrintable(said));
        radios.clear(); // each radio checks that the probes broke no rule
        QStringList kept;
        for (const QJsonValue& row : history())
            kept << row["result"].toString().section(' ', 0, 0).section(':', 0, 0) + " " +
                        row["values"].toObject()["dtmf.own_code"].toString();
        QCOMPARE(kept, records);
        for (int n = 1; n <= memories.size(); ++n) {
            if (memories[n - 1] == "-") {
                QVERIFY(!QFile::exists(memory(n)));
                continue;
            }
            const FleetRun dump = tq305({"dump", memory(n)});
            QVERIFY2(dump.out.contains(QString("(Text3): %1\n").arg(memories[n - 1]).toUtf8()),
                     dump.out.constData());
        }
    }
};

TQ_REGISTER_TEST(FleetTest);
#include "fleet_test.moc"
