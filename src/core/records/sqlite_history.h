// The history in SQLite, the embedded store: one file in the per-user data
// folder, in write-ahead-log mode so that readers go on while one program
// writes, a transaction for every record and for every radio's place in a
// job.
#pragma once

#include "records/history.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct sqlite3;

namespace records {

class SqliteHistory final : public History {
  public:
    SqliteHistory(sqlite3* db, int busyMilliseconds)
        : m_db(db), m_busyMilliseconds(busyMilliseconds) {}
    ~SqliteHistory() override;
    SqliteHistory(const SqliteHistory&) = delete;
    SqliteHistory& operator=(const SqliteHistory&) = delete;

    // Write-ahead log, foreign keys and the current schema; false (and
    // lastError()) when the file cannot have them.
    bool prepare();

    bool add(Record& record) override;
    std::optional<std::vector<Record>> givenValue(const std::string& key,
                                                  const std::string& value) const override;
    std::vector<Record> list(const Filter& filter = {}) const override;
    bool remove(std::int64_t id) override;
    std::optional<int> removeBefore(std::time_t before) override;
    std::set<std::string> backupsNamed() const override;

    std::optional<Job> job(const std::string& name) const override;
    bool keepJob(const Job& job) override;
    JobTaken takeJobRadios(const std::string& job, std::size_t count,
                           const JobRadioStart& start) override;

    std::vector<std::int64_t> orderedIds(Order order) const override;
    std::vector<Record> recordsById(std::span<const std::int64_t> ids) const override;
    std::vector<Record> recordsAfter(std::int64_t after, int count) const override;

    const std::string& lastError() const override { return m_error; }
    // The file's connection, for a benchmark that fills it fast.
    sqlite3* connection() const { return m_db; }

  private:
    bool useWriteAheadLog();
    bool migrate();
    bool exec(const char* sql);
    // The error of the last call, the transaction rolled back.
    bool failed();
    std::optional<std::int64_t> idOfToken(const std::string& token);
    bool insert(Record& record);
    bool replace(std::int64_t id, Record& record);
    bool insertValues(std::int64_t id, const std::vector<VariedValue>& values);
    // The job's place given to the record's radio, settled by its end.
    bool settleJobPlace(const Record& record);
    std::optional<std::uint64_t> freeJobPlace(std::int64_t job);

    sqlite3* m_db;
    int m_busyMilliseconds;
    mutable std::string m_error;
};

} // namespace records
