// A prepared SQLite statement that finalizes itself, with the few binds and
// columns the records use.
#pragma once

#include <cstdint>
#include <optional>
#include <sqlite3.h>
#include <string>

namespace records {

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

} // namespace records
