// The orders the History window lists records in: History::orderedIds()
// takes one. At 100,000 records the window opens without reading them all.
#pragma once

namespace records {

// The window's columns, in its order.
enum class Column { At, Action, Port, Band, Values, Result, File, Backup };

struct Order {
    Column column = Column::At;
    bool descending = true;
};

} // namespace records
