// What the History window shows, asked of the database as it needs it: the
// order of every record by a column, the records of the rows in view, and
// the whole history a slice at a time. At 100,000 records the window opens
// without reading them all.
#pragma once

#include "records/history.h"

#include <cstdint>
#include <span>
#include <vector>

namespace records {

// The window's columns, in its order.
enum class Column { At, Action, Port, Band, Values, Result, File, Backup };

struct Order {
    Column column = Column::At;
    bool descending = true;
};

// Every record's id in that order; ties go by time.
std::vector<std::int64_t> orderedIds(const History& history, Order order);

// Those records whole, in the order of `ids`; one no longer there is left out.
std::vector<Record> recordsById(const History& history, std::span<const std::int64_t> ids);

// Up to `count` records whose ids follow `after`, by id.
std::vector<Record> recordsAfter(const History& history, std::int64_t after, int count);

} // namespace records
