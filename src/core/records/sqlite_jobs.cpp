#include "records/sqlite_history.h"
#include "records/sqlite_statement.h"
#include "records/write_result.h"

namespace records {

std::optional<Job> SqliteHistory::job(const std::string& name) const {
    Statement query(m_db, "SELECT name, sha256, patterns FROM jobs WHERE name = ?");
    query.bind(1, name);
    const int step = query.step();
    if (step == SQLITE_ROW)
        return Job{query.text(0), query.text(1), query.text(2)};
    m_error = step == SQLITE_DONE ? std::string() : sqlite3_errmsg(m_db);
    return std::nullopt;
}

bool SqliteHistory::keepJob(const Job& job) {
    Statement keep(m_db, "INSERT INTO jobs (name, sha256, patterns) VALUES (?1, ?2, ?3) "
                         "ON CONFLICT (name) DO UPDATE SET sha256 = ?2, patterns = ?3");
    keep.bind(1, job.name);
    keep.bind(2, job.sha256);
    keep.bind(3, job.patterns);
    if (keep.step() == SQLITE_DONE)
        return true;
    m_error = sqlite3_errmsg(m_db);
    return false;
}

// The lowest place a failed radio gave back, else the one after the last.
std::optional<std::uint64_t> SqliteHistory::freeJobPlace(std::int64_t job) {
    Statement query(m_db, "SELECT coalesce((SELECT min(position) FROM job_places WHERE job_id = ?1 "
                          "AND state = 'returned'), (SELECT max(position) + 1 FROM job_places "
                          "WHERE job_id = ?1), 0)");
    query.bind(1, job);
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    return std::uint64_t(query.number(0));
}

JobTaken SqliteHistory::takeJobRadios(const std::string& job, std::size_t count,
                                      const JobRadioStart& start) {
    // IMMEDIATE: the places are read and taken under one write lock, so
    // two programs on one job never take the same.
    if (!exec("BEGIN IMMEDIATE"))
        return JobTaken::Failed;
    Statement id(m_db, "SELECT id FROM jobs WHERE name = ?");
    id.bind(1, job);
    if (id.step() != SQLITE_ROW) {
        failed();
        m_error = "the job " + job + " is not in the history";
        return JobTaken::Failed;
    }
    const std::int64_t jobId = id.number(0);
    id.reset(); // no read left open for the rollback or commit below
    Statement take(m_db, "INSERT OR REPLACE INTO job_places (job_id, position, state, token) "
                         "VALUES (?, ?, 'taken', ?)");
    for (std::size_t radio = 0; radio < count; ++radio) {
        const std::optional<std::uint64_t> place = freeJobPlace(jobId);
        if (!place)
            return failed(), JobTaken::Failed;
        std::optional<Record> record = start(radio, *place);
        if (!record) {
            exec("ROLLBACK");
            return JobTaken::Refused;
        }
        record->job = job;
        take.reset();
        take.bind(1, jobId);
        take.bind(2, std::int64_t(*place));
        take.bind(3, record->token);
        if (!insert(*record) || take.step() != SQLITE_DONE)
            return failed(), JobTaken::Failed;
    }
    if (!exec("COMMIT")) {
        exec("ROLLBACK");
        return JobTaken::Failed;
    }
    return JobTaken::Taken;
}

// Only a place its radio still holds: a place given back and taken by
// another radio is that radio's.
bool SqliteHistory::settleJobPlace(const Record& record) {
    if (record.job.empty() || isStartedResult(record.result))
        return true;
    Statement settle(m_db, "UPDATE job_places SET state = ? WHERE token = ? AND state = 'taken'");
    settle.bind(1, std::string(completedResult(record.result) ? "given" : "returned"));
    settle.bind(2, record.token);
    return settle.step() == SQLITE_DONE;
}

} // namespace records
