// The History window's queries, in SQLite's SQL.
#include "records/sqlite_history.h"

#include <array>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <unordered_map>

namespace records {

namespace {

struct Finalize {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Query = std::unique_ptr<sqlite3_stmt, Finalize>;

Query prepareQuery(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement, nullptr);
    return Query(statement);
}

std::string column(sqlite3_stmt* query, int n) {
    const auto* bytes = sqlite3_column_text(query, n);
    return bytes ? std::string(reinterpret_cast<const char*>(bytes),
                               std::size_t(sqlite3_column_bytes(query, n)))
                 : std::string();
}

std::string idList(std::span<const std::int64_t> ids) {
    std::string list;
    for (std::int64_t id : ids)
        list += (list.empty() ? "" : ",") + std::to_string(id);
    return list;
}

// Each column's order; ties go by time.
constexpr std::array SortExpressions = {
    "at",
    "action",
    "port || device",
    "band",
    "(SELECT group_concat(key || '=' || value, ' ') FROM record_values"
    " WHERE record_id = records.id)",
    "result",
    "file",
    "backup",
};

// The records `selection` picks (the end of a SELECT from records), in the
// order found, with their values. A slice of every record between its
// first id and its last takes the values by a range of the index rather
// than a list of a thousand ids.
std::vector<Record> readRecords(sqlite3* db, const std::string& selection, bool slice) {
    const Query query = prepareQuery(db, "SELECT id, at, action, port, device, file, sha256, band, "
                                         "result, backup, version, token, job FROM records " +
                                             selection);
    std::vector<Record> found;
    while (query && sqlite3_step(query.get()) == SQLITE_ROW) {
        sqlite3_stmt* row = query.get();
        Record& record = found.emplace_back();
        record.id = sqlite3_column_int64(row, 0);
        record.at = std::time_t(sqlite3_column_int64(row, 1));
        record.action = actionNamed(column(row, 2)).value_or(Action::Write);
        record.port = column(row, 3);
        record.device = column(row, 4);
        record.file = column(row, 5);
        record.sha256 = column(row, 6);
        if (sqlite3_column_type(row, 7) != SQLITE_NULL)
            record.band = sqlite3_column_int(row, 7);
        record.result = column(row, 8);
        record.backup = column(row, 9);
        record.version = column(row, 10);
        record.token = column(row, 11);
        record.job = column(row, 12);
    }
    if (found.empty())
        return found;
    std::unordered_map<std::int64_t, Record*> byId;
    std::vector<std::int64_t> ids;
    for (Record& record : found) {
        byId.emplace(record.id, &record);
        ids.push_back(record.id);
    }
    const std::string valuesOf =
        slice ? "BETWEEN " + std::to_string(ids.front()) + " AND " + std::to_string(ids.back())
              : "IN (" + idList(ids) + ")";
    const Query values =
        prepareQuery(db, "SELECT record_id, key, value FROM record_values WHERE record_id " +
                             valuesOf + " ORDER BY record_id, position");
    while (values && sqlite3_step(values.get()) == SQLITE_ROW)
        if (const auto record = byId.find(sqlite3_column_int64(values.get(), 0));
            record != byId.end())
            record->second->values.emplace_back(column(values.get(), 1), column(values.get(), 2));
    return found;
}

} // namespace

std::vector<std::int64_t> SqliteHistory::orderedIds(Order order) const {
    const char* direction = order.descending ? " DESC" : "";
    const Query query = prepareQuery(m_db, std::string("SELECT id FROM records ORDER BY ") +
                                               SortExpressions[std::size_t(order.column)] +
                                               direction + ", at" + direction + ", id" + direction);
    std::vector<std::int64_t> ids;
    while (query && sqlite3_step(query.get()) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(query.get(), 0));
    return ids;
}

std::vector<Record> SqliteHistory::recordsById(std::span<const std::int64_t> ids) const {
    if (ids.empty())
        return {};
    std::vector<Record> found = readRecords(m_db, "WHERE id IN (" + idList(ids) + ")", false);
    std::unordered_map<std::int64_t, Record*> byId;
    for (Record& record : found)
        byId.emplace(record.id, &record);
    std::vector<Record> ordered;
    ordered.reserve(found.size());
    for (std::int64_t id : ids)
        if (const auto record = byId.find(id); record != byId.end())
            ordered.push_back(std::move(*record->second));
    return ordered;
}

std::vector<Record> SqliteHistory::recordsAfter(std::int64_t after, int count) const {
    return readRecords(
        m_db, "WHERE id > " + std::to_string(after) + " ORDER BY id LIMIT " + std::to_string(count),
        true);
}

} // namespace records
