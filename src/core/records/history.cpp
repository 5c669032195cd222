#include "records/history.h"

#include "records/write_result.h"

#include <array>
#include <cstdio>
#include <span>
#include <sqlite3.h>

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
};

constexpr const char* RecordColumns =
    "SELECT id, at, action, port, device, file, sha256, band, result, backup, version, token "
    "FROM records ";

constexpr std::array ActionNames = {"read", "write", "verify", "restore"};

class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_statement != nullptr; }
    void bind(int n, const std::string& text) {
        sqlite3_bind_text(m_statement, n, text.data(), int(text.size()), SQLITE_TRANSIENT);
    }
    void bind(int n, std::int64_t number) { sqlite3_bind_int64(m_statement, n, number); }
    void bind(int n, std::optional<int> number) {
        if (number)
            sqlite3_bind_int(m_statement, n, *number);
        else
            sqlite3_bind_null(m_statement, n);
    }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int step() { return m_statement ? sqlite3_step(m_statement) : SQLITE_ERROR; }
    void reset() {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    std::string text(int column) const {
        const auto* bytes = sqlite3_column_text(m_statement, column);
        return bytes ? std::string(reinterpret_cast<const char*>(bytes),
                                   std::size_t(sqlite3_column_bytes(m_statement, column)))
                     : std::string();
    }
    std::int64_t number(int column) const { return sqlite3_column_int64(m_statement, column); }
    std::optional<int> optionalNumber(int column) const {
        if (sqlite3_column_type(m_statement, column) == SQLITE_NULL)
            return std::nullopt;
        return sqlite3_column_int(m_statement, column);
    }

  private:
    sqlite3_stmt* m_statement = nullptr;
};

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

} // namespace

const char* actionName(Action action) {
    return ActionNames[std::size_t(action)];
}

bool gaveValues(const Record& record) {
    return (record.action == Action::Write || record.action == Action::Restore) &&
           valuesReachedRadio(record.result);
}

std::optional<Action> actionNamed(const std::string& name) {
    for (std::size_t n = 0; n < ActionNames.size(); ++n)
        if (name == ActionNames[n])
            return Action(n);
    return std::nullopt;
}

int History::schemaVersion() {
    return int(Migrations.size());
}

std::unique_ptr<History> History::open(const std::string& path, std::string& error,
                                       int busyMilliseconds) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        error = path + ": " + (db ? sqlite3_errmsg(db) : "cannot be opened");
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<History> history(new History(db, busyMilliseconds));
    sqlite3_busy_timeout(db, busyMilliseconds);
    // WAL lets readers go on while one program writes, and survives a
    // program that ends mid-transaction.
    if (!history->useWriteAheadLog() || !history->exec("PRAGMA foreign_keys=ON") ||
        !history->migrate()) {
        error = path + ": " + history->m_error;
        return nullptr;
    }
    return history;
}

History::~History() {
    sqlite3_close(m_db);
}

bool History::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    m_error = message ? message : sqlite3_errmsg(m_db);
    sqlite3_free(message);
    return false;
}

bool History::useWriteAheadLog() {
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

bool History::migrate() {
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

bool History::add(Record& record) {
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    const std::optional<std::int64_t> kept =
        record.token.empty() ? std::nullopt : idOfToken(record.token);
    bool ok = true;
    if (!kept)
        ok = insert(record);
    else if (isStartedResult(record.result))
        record.id = *kept; // the write's end came first: it stays
    else
        ok = replace(*kept, record);
    if (!ok) {
        m_error = sqlite3_errmsg(m_db);
        exec("ROLLBACK");
        return false;
    }
    if (!exec("COMMIT")) {
        exec("ROLLBACK");
        return false;
    }
    return true;
}

std::optional<std::int64_t> History::idOfToken(const std::string& token) {
    Statement query(m_db, "SELECT id FROM records WHERE token = ? AND token != ''");
    query.bind(1, token);
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    return query.number(0);
}

bool History::insert(Record& record) {
    Statement insert(m_db, "INSERT INTO records (at, action, port, device, file, sha256, band, "
                           "result, backup, version, token) VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    insert.bind(1, std::int64_t(record.at));
    insert.bind(2, std::string(actionName(record.action)));
    insert.bind(3, record.port);
    insert.bind(4, record.device);
    insert.bind(5, record.file);
    insert.bind(6, record.sha256);
    insert.bind(7, record.band);
    insert.bind(8, record.result);
    insert.bind(9, record.backup);
    insert.bind(10, record.version);
    insert.bind(11, record.token);
    if (insert.step() != SQLITE_DONE)
        return false;
    record.id = sqlite3_last_insert_rowid(m_db);
    return insertValues(record.id, record.values);
}

// The end of a write in place of its start; the time stays the start's.
bool History::replace(std::int64_t id, Record& record) {
    Statement update(m_db, "UPDATE records SET action = ?, port = ?, device = ?, file = ?, "
                           "sha256 = ?, band = ?, result = ?, backup = ?, version = ? "
                           "WHERE id = ?");
    update.bind(1, std::string(actionName(record.action)));
    update.bind(2, record.port);
    update.bind(3, record.device);
    update.bind(4, record.file);
    update.bind(5, record.sha256);
    update.bind(6, record.band);
    update.bind(7, record.result);
    update.bind(8, record.backup);
    update.bind(9, record.version);
    update.bind(10, id);
    Statement erase(m_db, "DELETE FROM record_values WHERE record_id = ?");
    erase.bind(1, id);
    if (update.step() != SQLITE_DONE || erase.step() != SQLITE_DONE)
        return false;
    record.id = id;
    return insertValues(id, record.values);
}

bool History::insertValues(std::int64_t id, const std::vector<VariedValue>& values) {
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

std::optional<std::vector<Record>> History::givenValue(const std::string& key,
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

std::vector<Record> History::list(const Filter& filter) const {
    Statement query(m_db, (std::string(RecordColumns) +
                           "WHERE at >= ?1"
                           " AND (?2 = '' OR id IN (SELECT record_id FROM record_values WHERE "
                           "value = ?2))"
                           " AND (?3 = '' OR instr(file, ?3) > 0) ORDER BY at, id")
                              .c_str());
    query.bind(1, std::int64_t(filter.since.value_or(0)));
    query.bind(2, filter.code);
    query.bind(3, filter.file);
    Statement values(m_db, ValuesOfRecord);
    std::vector<Record> found;
    while (query.step() == SQLITE_ROW)
        found.push_back(recordOf(query, values));
    return found;
}

bool History::remove(std::int64_t id) {
    Statement erase(m_db, "DELETE FROM records WHERE id = ?");
    erase.bind(1, id);
    if (erase.step() != SQLITE_DONE) {
        m_error = sqlite3_errmsg(m_db);
        return false;
    }
    return sqlite3_changes(m_db) > 0;
}

std::optional<int> History::removeBefore(std::time_t before) {
    Statement erase(m_db, "DELETE FROM records WHERE at < ?");
    erase.bind(1, std::int64_t(before));
    if (erase.step() != SQLITE_DONE) {
        m_error = sqlite3_errmsg(m_db);
        return std::nullopt;
    }
    return sqlite3_changes(m_db);
}

std::set<std::string> History::backupsNamed() const {
    Statement query(m_db, "SELECT DISTINCT backup FROM records WHERE backup != ''");
    std::set<std::string> named;
    while (query.step() == SQLITE_ROW)
        named.insert(query.text(0));
    return named;
}

std::string localTimeText(std::time_t at) {
    std::tm local{};
    localtime_r(&at, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::optional<std::time_t> parseLocalTime(const std::string& text) {
    std::tm local{};
    int used = 0;
    const int fields =
        std::sscanf(text.c_str(), "%4d-%2d-%2d%n %2d:%2d%n", &local.tm_year, &local.tm_mon,
                    &local.tm_mday, &used, &local.tm_hour, &local.tm_min, &used);
    if ((fields != 3 && fields != 5) || std::size_t(used) != text.size() || local.tm_mon < 1 ||
        local.tm_mon > 12 || local.tm_mday < 1 || local.tm_mday > 31 || local.tm_hour < 0 ||
        local.tm_hour > 23 || local.tm_min < 0 || local.tm_min > 59)
        return std::nullopt;
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    const std::tm asked = local;
    const std::time_t at = std::mktime(&local);
    // mktime rolls 30 February over into March: a day the month lacks is
    // no date.
    if (at == std::time_t(-1) || local.tm_mday != asked.tm_mday || local.tm_mon != asked.tm_mon ||
        local.tm_year != asked.tm_year)
        return std::nullopt;
    return at;
}

} // namespace records
