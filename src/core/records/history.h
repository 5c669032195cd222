// The record of every radio programmed: each read, write, verify and restore
// with where it happened, what went and what came of it. One SQLite file in
// the per-user data folder, shared by the program and tq305: several may
// write at once, and each record is written whole or not at all.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace records {

// "read", "write", "verify", "restore": as stored and as --json shows them.
enum class Action { Read, Write, Verify, Restore };
const char* actionName(Action action);
std::optional<Action> actionNamed(const std::string& name);

// A value varied for one radio: the setting's key and its value text.
using VariedValue = std::pair<std::string, std::string>;

struct Record {
    std::int64_t id = 0; // given by add()
    std::time_t at = 0;
    Action action = Action::Write;
    std::string port;   // "port 3"; empty for a device named directly
    std::string device; // "/dev/ttyUSB2"
    std::string file;   // the data file written to the radio or from it
    std::string sha256; // of that file's bytes, hex
    std::optional<int> band;
    std::vector<VariedValue> values;
    std::string result; // "verified", "written", "partial at block 12", "refused: ..."
    std::string backup; // the backup file taken first, when one was
    std::string version;
    // One write's mark, the same in the record kept as it starts and in the
    // one kept as it ends: the second takes the first's place.
    std::string token;
};

// Whether the record is of a write that may have left its values in a
// radio: not one refused, nor one that wrote nothing.
bool gaveValues(const Record& record);

struct Filter {
    std::optional<std::time_t> since;
    std::string code; // a varied value equal to it
    std::string file; // the file's name or path contains it
};

// Another program's transaction is waited for this long before a write
// gives up (the record then waits beside the database): far longer than any
// one record takes, short enough that nobody takes the program for hung.
inline constexpr int DefaultBusyMilliseconds = 5000;

class History {
  public:
    // Opens (and makes, with its folder's parent existing) the database at
    // `path` and brings its schema to the current version, waiting for
    // other programs' transactions up to `busyMilliseconds`. Nothing when it
    // cannot: `error` says why.
    static std::unique_ptr<History> open(const std::string& path, std::string& error,
                                         int busyMilliseconds = DefaultBusyMilliseconds);
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // One transaction; false (and lastError()) when it could not be kept.
    // A record with the token of one already kept takes its place, unless
    // it is only the start of a write whose end is kept already.
    bool add(Record& record);
    // The writes that gave `value` to a radio under `key` (not those that
    // reached no radio), oldest first; nothing when they cannot be read.
    std::optional<std::vector<Record>> givenValue(const std::string& key,
                                                  const std::string& value) const;
    // Oldest first.
    std::vector<Record> list(const Filter& filter = {}) const;
    bool remove(std::int64_t id);
    // Removes every record made before `before`; how many, or nothing when
    // it could not.
    std::optional<int> removeBefore(std::time_t before);
    // Every backup a record names: the backup cap keeps these.
    std::set<std::string> backupsNamed() const;

    const std::string& lastError() const { return m_error; }
    static int schemaVersion();
    // The connection, for the window's queries (history_query.h).
    sqlite3* connection() const { return m_db; }

  private:
    History(sqlite3* db, int busyMilliseconds) : m_db(db), m_busyMilliseconds(busyMilliseconds) {}
    bool useWriteAheadLog();
    bool migrate();
    bool exec(const char* sql);
    std::optional<std::int64_t> idOfToken(const std::string& token);
    bool insert(Record& record);
    bool replace(std::int64_t id, Record& record);
    bool insertValues(std::int64_t id, const std::vector<VariedValue>& values);

    sqlite3* m_db;
    int m_busyMilliseconds;
    mutable std::string m_error;
};

// The local time as records show it: "2026-12-08 02:41:07".
std::string localTimeText(std::time_t at);
// "2026-12-08" or "2026-12-08 14:30" (local time) as a time; nothing for
// any other text.
std::optional<std::time_t> parseLocalTime(const std::string& text);

} // namespace records
