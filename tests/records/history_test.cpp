// The record of radios programmed: what goes in comes out, filters find the
// radio asked about, programs writing at once lose nothing, the schema is
// made once and a newer one is left alone, and the backups records name
// outlive the backup limit.
// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "files/backup_store.h"
#include "records/history.h"
#include "records/pending_records.h"
#include "records/write_result.h"
// clang-format on

#include <cstdlib>
#include <sqlite3.h>
#include <thread>

namespace {

// 19:15:00 on 7 December 2026, UTC (the test's time zone).
constexpr std::time_t Taken = 1796670900;

records::Record radio(const std::string& code, std::time_t at, const std::string& file) {
    records::Record record;
    record.at = at;
    record.port = "port 2";
    record.device = "/dev/ttyUSB1";
    record.file = file;
    record.sha256 = std::string(64, 'a');
    record.band = 3;
    record.values = {{"dtmf.own_code", code}, {"dtmf.ptt_id", "9" + code}};
    record.result = "verified";
    record.backup = "/backups/" + code + ".dat";
    record.version = "1.0";
    return record;
}

std::unique_ptr<records::History> openIn(const QTemporaryDir& dir) {
    std::string error;
    auto history = records::History::open(dir.filePath("history.db").toStdString(), error);
    if (!history)
        qWarning("%s", error.c_str());
    return history;
}

QStringList codesOf(const std::vector<records::Record>& found) {
    QStringList codes;
    for (const records::Record& record : found)
        codes << QString::fromStdString(record.values.at(0).second);
    return codes;
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { ::setenv("TZ", "UTC", 1); }

    void keepsEverythingOfARecord() {
        QTemporaryDir dir;
        records::Record kept = radio("1017", Taken, "/fleet/security.dat");
        kept.band.reset();
        kept.job = "security";
        kept.action = records::Action::Restore;
        {
            auto history = openIn(dir);
            QVERIFY(history);
            QVERIFY(history->add(kept));
            QVERIFY(kept.id > 0);
        }
        auto again = openIn(dir);
        QVERIFY(again);
        const std::vector<records::Record> found = again->list();
        QCOMPARE(found.size(), std::size_t(1));
        const records::Record& back = found[0];
        QCOMPARE(back.id, kept.id);
        QCOMPARE(back.at, kept.at);
        QVERIFY(back.action == records::Action::Restore);
        QCOMPARE(back.port, kept.port);
        QCOMPARE(back.device, kept.device);
        QCOMPARE(back.file, kept.file);
        QCOMPARE(back.sha256, kept.sha256);
        QVERIFY(!back.band);
        QVERIFY(back.values == kept.values);
        QCOMPARE(back.result, kept.result);
        QCOMPARE(back.backup, kept.backup);
        QCOMPARE(back.version, kept.version);
        QCOMPARE(back.job, kept.job);
    }

    void filters_data() {
        QTest::addColumn<QString>("since");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("everything") << ""
                                    << ""
                                    << "" << QStringList{"1001", "1002", "1003"};
        QTest::newRow("a code") << ""
                                << "1002"
                                << "" << QStringList{"1002"};
        QTest::newRow("a code found in another value") << ""
                                                       << "91003"
                                                       << "" << QStringList{"1003"};
        QTest::newRow("part of a code is not the code") << ""
                                                        << "100"
                                                        << "" << QStringList{};
        QTest::newRow("since a day") << "2026-12-08"
                                     << ""
                                     << "" << QStringList{"1002", "1003"};
        QTest::newRow("since a minute") << "2026-12-09 10:30"
                                        << ""
                                        << "" << QStringList{"1003"};
        QTest::newRow("since the minute of a record") << "2026-12-07 19:15"
                                                      << ""
                                                      << "" << QStringList{"1001", "1002", "1003"};
        QTest::newRow("part of a file name") << ""
                                             << ""
                                             << "factory" << QStringList{"1001", "1003"};
        QTest::newRow("all three") << "2026-12-08"
                                   << "1003"
                                   << "factory" << QStringList{"1003"};
    }
    void filters() {
        QFETCH(QString, since);
        QFETCH(QString, code);
        QFETCH(QString, file);
        QFETCH(QStringList, codes);
        QTemporaryDir dir;
        auto history = openIn(dir);
        QVERIFY(history);
        records::Record first = radio("1001", Taken, "/fleet/factory.dat");
        records::Record second = radio("1002", Taken + 86400, "/fleet/security.dat");
        records::Record third = radio("1003", Taken + 2 * 86400 - 5 * 3600, "/fleet/factory.dat");
        for (records::Record* record : {&third, &first, &second})
            QVERIFY(history->add(*record));
        records::Filter filter;
        if (!since.isEmpty()) {
            filter.since = records::parseLocalTime(since.toStdString());
            QVERIFY(filter.since);
        }
        filter.code = code.toStdString();
        filter.file = file.toStdString();
        QCOMPARE(codesOf(history->list(filter)), codes);
    }

    void localTimes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("at"); // -1: refused
        QTest::newRow("a day") << "2026-12-07" << qint64(Taken - 19 * 3600 - 15 * 60);
        QTest::newRow("a minute") << "2026-12-07 19:15" << qint64(Taken);
        QTest::newRow("seconds") << "2026-12-07 19:15:00" << qint64(-1);
        QTest::newRow("a month past 12") << "2026-13-01" << qint64(-1);
        QTest::newRow("30 February") << "2026-02-30" << qint64(-1);
        QTest::newRow("31 April") << "2026-04-31 10:00" << qint64(-1);
        QTest::newRow("29 February of a leap year") << "2028-02-29" << qint64(1835395200);
        QTest::newRow("an hour past 23") << "2026-12-07 24:00" << qint64(-1);
        QTest::newRow("trailing text") << "2026-12-07x" << qint64(-1);
        QTest::newRow("no day") << "2026-12" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
    }
    void localTimes() {
        QFETCH(QString, text);
        QFETCH(qint64, at);
        const std::optional<std::time_t> parsed = records::parseLocalTime(text.toStdString());
        if (at < 0)
            QVERIFY(!parsed);
        else
            QCOMPARE(qint64(parsed.value_or(-1)), at);
    }

    // The program and a CLI batch (here two connections on two threads, as
    // two programs are) each keep every record they write, whole.
    void twoWritersAtOnceLoseNothing() {
        QTemporaryDir dir;
        constexpr int Each = 150;
        std::atomic<int> failed = 0;
        const auto writer = [&](int first) {
            auto history = openIn(dir);
            if (!history) {
                ++failed;
                return;
            }
            for (int n = 0; n < Each; ++n) {
                records::Record record = radio(std::to_string(first + n), Taken + n, "a.dat");
                if (!history->add(record))
                    ++failed;
            }
        };
        std::thread one(writer, 10000);
        std::thread two(writer, 20000);
        one.join();
        two.join();
        QCOMPARE(failed.load(), 0);
        auto history = openIn(dir);
        QVERIFY(history);
        const std::vector<records::Record> found = history->list();
        QCOMPARE(found.size(), std::size_t(2 * Each));
        QSet<QString> codes;
        for (const records::Record& record : found) {
            QCOMPARE(record.values.size(), std::size_t(2));
            QCOMPARE(record.values[1].second, "9" + record.values[0].second);
            codes.insert(QString::fromStdString(record.values[0].second));
        }
        QCOMPARE(codes.size(), 2 * Each);
    }

    // A job hands out its places: each once, a failed radio's back to the
    // next radio (the lowest first), a write never ended keeps its own, and
    // a set refused takes none. Each step takes a set of radios and ends
    // them with the results given ("-" a radio the start refuses).
    void jobPlaces_data() {
        QTest::addColumn<QList<QStringList>>("sets");
        QTest::addColumn<QList<int>>("places"); // of every radio kept, in order
        QTest::addColumn<int>("next");          // the place the next radio takes
        QTest::newRow("each radio the next place")
            << QList<QStringList>{{"verified", "verified"}, {"written, not verified"}}
            << QList<int>{0, 1, 2} << 3;
        QTest::newRow("a failed radio's place is the next radio's")
            << QList<QStringList>{{"refused: band mismatch", "verified"}, {"verified"}}
            << QList<int>{0, 1, 0} << 2;
        QTest::newRow("places given back, the lowest first")
            << QList<QStringList>{{"partial at block 0x310", "verify failed: 0x400", "verified"},
                                  {"verified"}}
            << QList<int>{0, 1, 2, 0} << 1;
        QTest::newRow("a write never ended keeps its place")
            << QList<QStringList>{{"started, not finished"}, {"verified"}} << QList<int>{0, 1} << 2;
        QTest::newRow("a set with a refused radio takes no place")
            << QList<QStringList>{{"verified", "-"}, {"verified"}} << QList<int>{0} << 1;
    }
    void jobPlaces() {
        QFETCH(QList<QStringList>, sets);
        QFETCH(QList<int>, places);
        QFETCH(int, next);
        QTemporaryDir dir;
        auto history = openIn(dir);
        QVERIFY(history);
        const records::Job job{"school", std::string(64, 'a'), "dtmf.own_code=1001+\n"};
        QVERIFY(history->keepJob(job));
        QList<int> taken;
        int token = 0;
        const auto takeSet = [&](const QStringList& results) {
            std::vector<records::Record> started;
            const records::JobTaken result = history->takeJobRadios(
                "school", std::size_t(results.size()),
                [&](std::size_t n, std::uint64_t place) -> std::optional<records::Record> {
                    if (results[int(n)] == "-")
                        return std::nullopt;
                    records::Record record =
                        radio(std::to_string(1001 + place), Taken, "school.dat");
                    record.result = records::startedResultText();
                    record.token = "write-" + std::to_string(++token);
                    started.push_back(record);
                    started.back().job = "school";
                    return record;
                });
            if (result != records::JobTaken::Taken)
                return result;
            for (std::size_t n = 0; n < started.size(); ++n) {
                taken << std::stoi(started[n].values[0].second) - 1001;
                started[n].result = results[int(n)].toStdString();
                if (!history->add(started[n]))
                    return records::JobTaken::Failed;
            }
            return result;
        };
        for (const QStringList& set : sets)
            QVERIFY(takeSet(set) != records::JobTaken::Failed);
        QCOMPARE(taken, places);
        taken.clear();
        QVERIFY(takeSet({"verified"}) == records::JobTaken::Taken);
        QCOMPARE(taken.front(), next);
        records::Filter filter;
        filter.job = "school";
        QCOMPARE(int(history->list(filter).size()), places.size() + 1);
        QVERIFY(history->job("school") == job);
    }

    // A database a newer program made is refused and left as it was, not
    // migrated backwards or emptied.
    void refusesANewerSchema() {
        QTemporaryDir dir;
        {
            auto history = openIn(dir);
            QVERIFY(history);
            records::Record record = radio("1001", Taken, "a.dat");
            QVERIFY(history->add(record));
        }
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(dir.filePath("history.db").toUtf8().constData(), &db), SQLITE_OK);
        const std::string newer =
            "PRAGMA user_version=" + std::to_string(records::History::schemaVersion() + 1);
        QCOMPARE(sqlite3_exec(db, newer.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        std::string error;
        QVERIFY(!records::History::open(dir.filePath("history.db").toStdString(), error));
        QVERIFY2(error.find("newer version") != std::string::npos, error.c_str());
    }

    // A write is kept as it starts and again as it ends, by its token: one
    // record, the end's, whichever reaches the history first (the start may
    // have waited beside a locked history).
    void aWriteKeptTwiceIsOneRecord_data() {
        QTest::addColumn<bool>("endFirst");
        QTest::newRow("start, then end") << false;
        QTest::newRow("end, then the start that waited") << true;
    }
    void aWriteKeptTwiceIsOneRecord() {
        QFETCH(bool, endFirst);
        QTemporaryDir dir;
        auto history = openIn(dir);
        QVERIFY(history);
        records::Record started = radio("1001", Taken, "a.dat");
        started.token = "write-1";
        started.result = records::startedResultText();
        started.backup.clear();
        records::Record ended = radio("1001", Taken + 9, "a.dat");
        ended.token = "write-1";
        ended.values.pop_back();
        QVERIFY(history->add(endFirst ? ended : started));
        QVERIFY(history->add(endFirst ? started : ended));
        const std::vector<records::Record> found = history->list();
        QCOMPARE(found.size(), std::size_t(1));
        QCOMPARE(found[0].result, "verified");
        QCOMPARE(found[0].backup, ended.backup);
        QVERIFY(found[0].values == ended.values);
        QCOMPARE(found[0].id, started.id);
    }

    // The values a later write must not give again: those of writes that
    // may have reached a radio, a write never finished among them.
    void valuesGivenBefore() {
        QTemporaryDir dir;
        auto history = openIn(dir);
        QVERIFY(history);
        const std::vector<std::pair<std::string, std::string>> kept = {
            {"1001", "verified"},
            {"1002", "refused: band mismatch"},
            {"1003", "nothing written: the line was lost"},
            {"1004", records::startedResultText()},
            {"1005", "partial at block 0x310: the line was lost"},
        };
        for (const auto& [code, result] : kept) {
            records::Record record = radio(code, Taken, "a.dat");
            record.result = result;
            QVERIFY(history->add(record));
        }
        records::Record read = radio("1006", Taken, "a.dat");
        read.action = records::Action::Read;
        QVERIFY(history->add(read));
        QStringList given;
        for (int code = 1001; code <= 1006; ++code)
            if (!history->givenValue("dtmf.own_code", std::to_string(code)).value().empty())
                given << QString::number(code);
        QCOMPARE(given, QStringList({"1001", "1004", "1005"}));
        QVERIFY(history->givenValue("dtmf.ptt_id", "1001").value().empty());
    }

    // A record waiting beside the history keeps every byte: tabs, line
    // feeds, backslashes and names that are no UTF-8.
    void pendingRecordsKeepEveryByte() {
        QTemporaryDir dir;
        const records::PendingRecords pending(dir.filePath("history.db.pending").toStdString());
        records::Record odd = radio("10\t01", Taken, "/fleet/a\tb\nc\\d\377\376.dat");
        odd.token = "write-1";
        odd.band.reset();
        odd.values.emplace_back("dtmf.ptt_id", "");
        odd.job = "school\tnorth";
        records::Record plain = radio("1002", Taken + 1, "b.dat");
        plain.token = "write-2";
        QVERIFY(pending.append(odd));
        QVERIFY(pending.append(plain));
        QCOMPARE(pending.waiting().size(), std::size_t(2));
        // A history that refuses the second keeps it waiting.
        std::vector<records::Record> added;
        QCOMPARE(pending.addTo([&](records::Record& record) {
            added.push_back(record);
            return added.size() == 1;
        }),
                 1);
        const records::Record& back = added.front();
        QCOMPARE(back.file, odd.file);
        QVERIFY(back.values == odd.values);
        QVERIFY(!back.band);
        QCOMPARE(back.at, odd.at);
        QCOMPARE(back.token, odd.token);
        QCOMPARE(back.result, odd.result);
        QCOMPARE(back.job, odd.job);
        // A line an earlier program left, before jobs, is still read.
        const std::optional<records::Record> older = records::pendingRecord(
            "1\tw-0\t1796670900\twrite\tport 1\t/dev/ttyUSB0\ta.dat\t\t3\tverified\t\t1.0"
            "\tdtmf.own_code\t1001");
        QVERIFY(older);
        QCOMPARE(older->values.size(), std::size_t(1));
        QCOMPARE(older->values[0].second, "1001");
        QVERIFY(older->job.empty());
        const std::vector<records::Record> left = pending.waiting();
        QCOMPARE(left.size(), std::size_t(1));
        QCOMPARE(left[0].token, "write-2");
        QCOMPARE(pending.addTo([](records::Record&) { return true; }), 1);
        QVERIFY(!QFile::exists(dir.filePath("history.db.pending")));
    }

    // A database of the first schema opens, is brought to the current one,
    // and keeps its records.
    void anOldDatabaseIsMigrated() {
        QTemporaryDir dir;
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(dir.filePath("history.db").toUtf8().constData(), &db), SQLITE_OK);
        const char* first =
            "CREATE TABLE records (id INTEGER PRIMARY KEY, at INTEGER NOT NULL, action TEXT NOT "
            "NULL, port TEXT NOT NULL, device TEXT NOT NULL, file TEXT NOT NULL, sha256 TEXT NOT "
            "NULL, band INTEGER, result TEXT NOT NULL, backup TEXT NOT NULL, version TEXT NOT "
            "NULL);"
            "CREATE INDEX records_at ON records(at);"
            "CREATE TABLE record_values (record_id INTEGER NOT NULL REFERENCES records(id) ON "
            "DELETE CASCADE, position INTEGER NOT NULL, key TEXT NOT NULL, value TEXT NOT NULL);"
            "CREATE INDEX record_values_record ON record_values(record_id);"
            "CREATE INDEX record_values_value ON record_values(value);"
            "INSERT INTO records VALUES (1, 1796670900, 'write', 'port 1', '/dev/ttyUSB0', "
            "'a.dat', '', 3, 'verified', '', '1.0');"
            "INSERT INTO record_values VALUES (1, 0, 'dtmf.own_code', '1001');"
            "PRAGMA user_version=1;";
        QCOMPARE(sqlite3_exec(db, first, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        auto history = openIn(dir);
        QVERIFY(history);
        QCOMPARE(history->givenValue("dtmf.own_code", "1001").value().size(), std::size_t(1));
        records::Record record = radio("1002", Taken, "b.dat");
        record.token = "write-2";
        QVERIFY(history->add(record));
        QCOMPARE(history->list().size(), std::size_t(2));
    }

    void aFolderThatIsMissingIsAnError() {
        QTemporaryDir dir;
        std::string error;
        QVERIFY(!records::History::open(dir.filePath("none/history.db").toStdString(), error));
        QVERIFY(!error.empty());
    }

    // Past the limit, the oldest backups go; those a record names are
    // neither counted nor removed until their record is deleted.
    void backupsRecordsNameOutliveTheLimit() {
        QTemporaryDir dir;
        QTemporaryDir folder;
        auto history = openIn(dir);
        QVERIFY(history);
        files::BackupStore store(folder.path().toStdString(), 2);
        store.keepNamed([&] { return std::optional(history->backupsNamed()); });
        image::MemoryImage memory{};
        const files::BackupSaved oldest = store.add(memory, 3, "port1", Taken);
        QVERIFY(oldest.ok());
        records::Record record = radio("1001", Taken, "a.dat");
        record.backup = oldest.path;
        QVERIFY(history->add(record));
        for (int n = 1; n <= 3; ++n)
            QVERIFY(store.add(memory, 3, "port1", Taken + n).ok());
        // The named one and the limit's two newest.
        std::vector<files::BackupEntry> kept = store.list();
        QCOMPARE(kept.size(), std::size_t(3));
        QCOMPARE(kept.back().path, oldest.path);
        QVERIFY(history->remove(record.id));
        QVERIFY(history->list().empty());
        QVERIFY(store.add(memory, 3, "port1", Taken + 9).ok());
        kept = store.list(); // the limit's two
        QCOMPARE(kept.size(), std::size_t(2));
        for (const files::BackupEntry& entry : kept)
            QVERIFY(entry.path != oldest.path);
    }
};

QTEST_GUILESS_MAIN(HistoryTest)
#include "history_test.moc"
