// The record of every radio programmed: each read, write, verify and restore
// with where it happened, what went and what came of it, and the jobs whose
// values the radios took. Behind this one interface: SQLite in the per-user
// data folder is the embedded store (sqlite_history.cpp), shared by the
// program and tq305; several may write at once, and each record is written
// whole or not at all. A server's database would hold the same tables
// behind the same calls (doc/guide/developing.md).
#pragma once

#include "records/history_query.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

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
    // The job whose values the radio took; empty for a write of no job.
    std::string job;
};

// An order of radios whose values are handed out by the history: each
// value once, whatever program asks.
struct Job {
    std::string name;
    std::string sha256;   // of the image file its radios are written
    std::string patterns; // "dtmf.own_code=1001+", "keep dtmf.ptt_id": a line each
    friend bool operator==(const Job&, const Job&) = default;
};

// How takeJobRadios() ended.
enum class JobTaken { Taken, Refused, Failed };

// The record a job's radio is kept as while its write starts, made for the
// radio's place in the job (its counter's position, from 0); nothing when
// the radio cannot have that place's values, which takes no radio.
using JobRadioStart =
    std::function<std::optional<Record>(std::size_t radio, std::uint64_t position)>;

// Whether the record is of a write that may have left its values in a
// radio: not one refused, nor one that wrote nothing.
bool gaveValues(const Record& record);

struct Filter {
    std::optional<std::time_t> since;
    std::string code; // a varied value equal to it
    std::string file; // the file's name or path contains it
    std::string job;  // the job's records only
};

// Another program's transaction is waited for this long before a write
// gives up (the record then waits beside the database): far longer than any
// one record takes, short enough that nobody takes the program for hung.
inline constexpr int DefaultBusyMilliseconds = 5000;

class History {
  public:
    // Opens (and makes, with its folder's parent existing) the SQLite
    // database at `path` and brings its schema to the current version,
    // waiting for other programs' transactions up to `busyMilliseconds`.
    // Nothing when it cannot: `error` says why.
    static std::unique_ptr<History> open(const std::string& path, std::string& error,
                                         int busyMilliseconds = DefaultBusyMilliseconds);
    // The version of the tables this program keeps.
    static int schemaVersion();
    virtual ~History() = default;

    // One transaction; false (and lastError()) when it could not be kept.
    // A record with the token of one already kept takes its place, unless
    // it is only the start of a write whose end is kept already. The end of
    // a job's radio settles its place in the job: given once it completed,
    // else back to the job for the next radio.
    virtual bool add(Record& record) = 0;
    // The writes that gave `value` to a radio under `key` (not those that
    // reached no radio), oldest first; nothing when they cannot be read.
    virtual std::optional<std::vector<Record>> givenValue(const std::string& key,
                                                          const std::string& value) const = 0;
    // Oldest first.
    virtual std::vector<Record> list(const Filter& filter = {}) const = 0;
    virtual bool remove(std::int64_t id) = 0;
    // Removes every record made before `before`; how many, or nothing when
    // it could not.
    virtual std::optional<int> removeBefore(std::time_t before) = 0;
    // Every backup a record names: the backup cap keeps these.
    virtual std::set<std::string> backupsNamed() const = 0;

    // The job of that name; nothing when there is none or it cannot be
    // read (lastError() then says why).
    virtual std::optional<Job> job(const std::string& name) const = 0;
    // Keeps the job under its name, in place of the one kept before.
    virtual bool keepJob(const Job& job) = 0;
    // In one transaction, `count` radios take their places in the job:
    // places its failed radios gave back first, lowest first, then the ones
    // after the last taken. Each radio is kept as `start` makes its record
    // (its token set), in the same transaction; a radio `start` refuses
    // takes nothing, nor does any other.
    virtual JobTaken takeJobRadios(const std::string& job, std::size_t count,
                                   const JobRadioStart& start) = 0;

    // What the History window shows, read as it needs it: every record's id
    // in an order (ties go by time), those records whole in the order of
    // `ids` (one no longer there left out), and up to `count` records whose
    // ids follow `after`, by id.
    virtual std::vector<std::int64_t> orderedIds(Order order) const = 0;
    virtual std::vector<Record> recordsById(std::span<const std::int64_t> ids) const = 0;
    virtual std::vector<Record> recordsAfter(std::int64_t after, int count) const = 0;

    virtual const std::string& lastError() const = 0;
};

// The local time as records show it: "2026-12-08 02:41:07".
std::string localTimeText(std::time_t at);
// "2026-12-08" or "2026-12-08 14:30" (local time) as a time; nothing for
// any other text.
std::optional<std::time_t> parseLocalTime(const std::string& text);

} // namespace records
