// Records the history could not take when they were made (a database locked
// too long, read-only or damaged): one line each in a file beside it, added
// to the database by the next program that finds it usable. Several
// programs may append and add at once; a line is taken away only once its
// record is in the database.
#pragma once

#include "records/history.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

class PendingRecords {
  public:
    explicit PendingRecords(std::string path) : m_path(std::move(path)) {}

    // False, with errno set, when the file cannot take it either.
    bool append(const Record& record) const;
    // Hands each waiting record to `add` (oldest first) up to the first it
    // refuses, which stays in the file with all after it; how many were
    // added. A record handed again
    // after a crash is the same record: the history keeps it once by its
    // token.
    int addTo(const std::function<bool(Record&)>& add) const;
    // The records waiting, oldest first, left in the file.
    std::vector<Record> waiting() const;

    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};

// A record as one line of the file (no line feed) and back; nothing for a
// line that holds no record.
std::string pendingLine(const Record& record);
std::optional<Record> pendingRecord(std::string_view line);

} // namespace records
