#include "records/sqlite_history.h"

#include "records/sqlite_statement.h"
#include "records/write_result.h"

#include <array>
#include <cstdio>
#include <span>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records {

namespace {

// Each entry brings the schema from its position's version to the next;
// a new version is one more entry, never an edit of one before it.
constexpr std::array Migrations = {
    "CREATE TABLE records ("
    " id INTEGER PRIMARY KEY,"
    " at INTEGER NOT NULL,"
    " action TEXT NOT NULL,"
    " port TEXT NOT NULL,"
    " device TEXT NOT NULL,"
    " file TEXT NOT NULL,"
    " sha256 TEXT NOT NULL,"
    " band INTEGER,"
    " result TEXT NOT NULL,"
    " backup TEXT NOT NULL,"
    " version TEXT NOT NULL);"
    "CREATE INDEX records_at ON records(at);"
    "CREATE TABLE record_values ("
    " record_id INTEGER NOT NULL REFERENCES records(id) ON DELETE CASCADE,"
    " position INTEGER NOT NULL,"
    " key TEXT NOT NULL,"
    " value TEXT NOT NULL);"
    "CREATE INDEX record_values_record ON record_values(record_id);"
    "CREATE INDEX record_values_value ON record_values(value);",
    "ALTER TABLE records ADD COLUMN token TEXT NOT NULL DEFAULT '';"
    "CREATE INDEX records_token ON records(token) WHERE token != '';"
    "CREATE INDEX record_values_key_value ON record_values(key, value);",
    // A job's places: each counter position once, "taken" by a radio being
    // written (or by one whose program never ended it), "given" to a radio
    // that completed, "returned" by one that failed, for the next radio.
    "ALTER TABLE records ADD COLUMN job TEXT NOT NULL DEFAULT '';"
    "CREATE INDEX records_job ON records(job) WHERE job != '';"
    "CREATE TABLE jobs ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL UNIQUE,"
    " sha256 TEXT NOT NULL,"
    " patterns TEXT NOT NULL);"
    "CREATE TABLE job_places ("
    " job_id INTEGER NOT NULL REFERENCES jobs(id) ON DELETE CASCADE,"
    " position INTEGER NOT NULL,"
    " state TEXT NOT NULL CHECK (state IN ('taken', 'given', 'returned')),"
    " token TEXT NOT NULL,"
    " PRIMARY KEY (job_id, position));"
    "CREATE INDEX job_places_token ON job_places(token);",
};

constexpr const char* RecordColumns =
    "SELECT id, at, action, port, device, file, sha256, band, result, backup, version, token, job "
    "FROM records ";

// The record of the query's row, with its values.
Record recordOf(const Statement& query, Statement& values) {
    Record record;
    record.id = query.number(0);
    record.at = std::time_t(query.number(1));
    record.action = actionNamed(query.text(2)).value_or(Action::Write);
    record.port = query.text(3);
    record.device = query.text(4);
    record.file = query.text(5);
    record.sha256 = query.text(6);
    record.band = query.optionalNumber(7);
    record.result = query.text(8);
    record.backup = query.text(9);
    record.version = query.text(10);
    record.token = query.text(11);
    record.job = query.text(12);
    values.reset();
    values.bind(1, record.id);
    while (values.step() == SQLITE_ROW)
        record.values.emplace_back(values.text(0), values.text(1));
    return record;
}

constexpr const char* ValuesOfRecord =
    "SELECT key, value FROM record_values WHERE record_id = ? ORDER BY position";

int userVersion(sqlite3* db) {
    Statement query(db, "PRAGMA user_version");
    return query.step() == SQLITE_ROW ? int(query.number(0)) : -1;
}

// SQLite gives the -wal and -shm files the database's mode when it makes
// them: made while the database was read-only, they stay read-only once the
// user makes the database writable again, and every record would then wait
// beside it for good. Ours follow the database's mode again.
void followDatabaseMode(const std::string& path) {
    struct stat database {};
    if (::stat(path.c_str(), &database) != 0)
        return;
    for (const char* suffix : {"-wal", "-shm"}) {
        const std::string file = path + suffix;
        struct stat beside {};
        if (::stat(file.c_str(), &beside) == 0 && beside.st_uid == ::geteuid() &&
            (beside.st_mode & 0777) != (database.st_mode & 0777))
            ::chmod(file.c_str(), database.st_mode & 0777);
    }
}

} // namespace

int History::schemaVersion() {
    return int(Migrations.size());
}

std::unique_ptr<History> History::open(const std::string& path, std::string& error,
                                       int busyMilliseconds) {
    sqlite3* db = nullptr;
    followDatabaseMode(path);
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        error = path + ": " + (db ? sqlite3_errmsg(db) : "cannot be opened");
        sqlite3_close(db);
        return nullptr;
    }
    auto history = std::make_unique<SqliteHistory>(db, busyMilliseconds);
    if (!history->prepare()) {
        error = path + ": " + history->lastError();
        return nullptr;
    }
    return history;
}

SqliteHistory::~SqliteHistory() {
    sqlite3_close(m_db);
}

bool SqliteHistory::prepare() {
    sqlite3_busy_timeout(m_db, m_busyMilliseconds);
    // WAL lets readers go on while one program writes, and survives a
    // program that ends mid-transaction.
    return useWriteAheadLog() && exec("PRAGMA foreign_keys=ON") && migrate();
}

bool SqliteHistory::failed() {
    m_error = sqlite3_errmsg(m_db);
    exec("ROLLBACK");
    return false;
}

bool SqliteHistory::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    m_error = message ? message : sqlite3_errmsg(m_db);
    sqlite3_free(message);
    return false;
}

bool SqliteHistory::useWriteAheadLog() {
    // Two programs meeting a new file both turn it to WAL; SQLite refuses
    // one of them at once rather than wait, as waiting could deadlock.
    constexpr int RetryMilliseconds = 20;
    for (int waited = 0;; waited += RetryMilliseconds) {
        if (exec("PRAGMA journal_mode=WAL"))
            return true;
        if ((sqlite3_errcode(m_db) & 0xFF) != SQLITE_BUSY || waited >= m_busyMilliseconds)
            return false;
        sqlite3_sleep(RetryMilliseconds);
    }
}

bool SqliteHistory::migrate() {
    if (userVersion(m_db) == schemaVersion())
        return true;
    // IMMEDIATE: two programs meeting a new file migrate it once, one after
    // the other, the second finding the work done.
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    const int found = userVersion(m_db);
    if (found > schemaVersion()) {
        exec("ROLLBACK");
        m_error = "made by a newer version of the program (schema " + std::to_string(found) + ")";
        return false;
    }
    for (int version = found; version < schemaVersion(); ++version)
        if (!exec(Migrations[std::size_t(version)])) {
            const std::string why = m_error;
            exec("ROLLBACK");
            m_error = why;
            return false;
        }
    const std::string setVersion = "PRAGMA user_version=" + std::to_string(schemaVersion());
    if (!exec(setVersion.c_str()) || !exec("COMMIT")) {
        exec("ROLLBACK");
        return false;
    }
    return true;
}

bool SqliteHistory::add(Record& record) {
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    const std::optional<std::int64_t> kept =
        record.token.empty() ? std::nullopt : idOfToken(record.token);
    bool ok = true;
    if (!kept)
        ok = insert(record) && settleJobPlace(record);
    else if (isStartedResult(record.result))
        record.id = *kept; // the write's end came first: it stays
    else
        ok = replace(*kept, record) && settleJobPlace(record);
    if (!ok)
        return failed();
    if (!exec("COMMIT")) {
        exec("ROLLBACK");
        return false;
    }
    return true;
}

std::optional<std::int64_t> SqliteHistory::idOfToken(const std::string& token) {
    Statement query(m_db, "SELECT id FROM records WHERE token = ? AND token != ''");
    query.bind(1, token);
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    return query.number(0);
}

namespace {

// A record's action, port, device, file, sha256, band, result, backup and
// version, in that order from parameter `first`: the columns an insert and
// the replacement of a started write both write.
void bindWhatHappened(Statement& statement, int first, const Record& record) {
    statement.bind(first, std::string(actionName(record.action)));
    statement.bind(first + 1, record.port);
    statement.bind(first + 2, record.device);
    statement.bind(first + 3, record.file);
    statement.bind(first + 4, record.sha256);
    statement.bind(first + 5, record.band);
    statement.bind(first + 6, record.result);
    statement.bind(first + 7, record.backup);
    statement.bind(first + 8, record.version);
}

} // namespace

bool SqliteHistory::insert(Record& record) {
    Statement insert(m_db, "INSERT INTO records (at, action, port, device, file, sha256, band, "
                           "result, backup, version, token, job) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
    insert.bind(1, std::int64_t(record.at));
    bindWhatHappened(insert, 2, record);
    insert.bind(11, record.token);
    insert.bind(12, record.job);
    if (insert.step() != SQLITE_DONE)
        return false;
    record.id = sqlite3_last_insert_rowid(m_db);
    return insertValues(record.id, record.values);
}

// The end of a write in place of its start; the time stays the start's.
bool SqliteHistory::replace(std::int64_t id, Record& record) {
    Statement update(m_db, "UPDATE records SET action = ?, port = ?, device = ?, file = ?, "
                           "sha256 = ?, band = ?, result = ?, backup = ?, version = ? "
                           "WHERE id = ?");
    bindWhatHappened(update, 1, record);
    update.bind(10, id);
    Statement erase(m_db, "DELETE FROM record_values WHERE record_id = ?");
    erase.bind(1, id);
    if (update.step() != SQLITE_DONE || erase.step() != SQLITE_DONE)
        return false;
    record.id = id;
    return insertValues(id, record.values);
}

bool SqliteHistory::insertValues(std::int64_t id, const std::vector<VariedValue>& values) {
    Statement value(m_db,
                    "INSERT INTO record_values (record_id, position, key, value) VALUES (?,?,?,?)");
    for (std::size_t n = 0; n < values.size(); ++n) {
        value.reset();
        value.bind(1, id);
        value.bind(2, std::int64_t(n));
        value.bind(3, values[n].first);
        value.bind(4, values[n].second);
        if (value.step() != SQLITE_DONE)
            return false;
    }
    return true;
}

std::optional<std::vector<Record>> SqliteHistory::givenValue(const std::string& key,
                                                             const std::string& value) const {
    Statement query(m_db, (std::string(RecordColumns) +
                           "WHERE id IN (SELECT record_id FROM record_values WHERE key = ?1 "
                           "AND value = ?2) ORDER BY at, id")
                              .c_str());
    if (!query.ok()) {
        m_error = sqlite3_errmsg(m_db);
        return std::nullopt;
    }
    query.bind(1, key);
    query.bind(2, value);
    Statement values(m_db, ValuesOfRecord);
    std::vector<Record> found;
    int step = SQLITE_ROW;
    while ((step = query.step()) == SQLITE_ROW)
        if (Record record = recordOf(query, values); gaveValues(record))
            found.push_back(std::move(record));
    if (step != SQLITE_DONE) {
        m_error = sqlite3_errmsg(m_db);
        return std::nullopt;
    }
    return found;
}

std::vector<Record> SqliteHistory::list(const Filter& filter) const {
    Statement query(m_db, (std::string(RecordColumns) +
                           "WHERE at >= ?1"
                           " AND (?2 = '' OR id IN (SELECT record_id FROM record_values WHERE "
                           "value = ?2))"
                           " AND (?3 = '' OR instr(file, ?3) > 0)"
                           " AND (?4 = '' OR job = ?4) ORDER BY at, id")
                              .c_str());
    query.bind(1, std::int64_t(filter.since.value_or(0)));
    query.bind(2, filter.code);
    query.bind(3, filter.file);
    query.bind(4, filter.job);
    Statement values(m_db, ValuesOfRecord);
    std::vector<Record> found;
    while (query.step() == SQLITE_ROW)
        found.push_back(recordOf(query, values));
    return found;
}

bool SqliteHistory::remove(std::int64_t id) {
    Statement erase(m_db, "DELETE FROM records WHERE id = ?");
    erase.bind(1, id);
    if (erase.step() != SQLITE_DONE) {
        m_error = sqlite3_errmsg(m_db);
        return false;
    }
    return sqlite3_changes(m_db) > 0;
}

std::optional<int> SqliteHistory::removeBefore(std::time_t before) {
    Statement erase(m_db, "DELETE FROM records WHERE at < ?");
    erase.bind(1, std::int64_t(before));
    if (erase.step() != SQLITE_DONE) {
        m_error = sqlite3_errmsg(m_db);
        return std::nullopt;
    }
    return sqlite3_changes(m_db);
}

std::set<std::string> SqliteHistory::backupsNamed() const {
    Statement query(m_db, "SELECT DISTINCT backup FROM records WHERE backup != ''");
    std::set<std::string> named;
    while (query.step() == SQLITE_ROW)
        named.insert(query.text(0));
    return named;
}

} // namespace records
