#pragma once

#include <set>
#include <vector>

namespace editors {

// The channel rows picked in the number column: a click picks one row, a
// Shift+click extends from the row clicked before, a Ctrl+click adds or
// removes one row.
class RowSelection {
  public:
    void pick(int row);
    void extendTo(int row);
    void toggle(int row);
    void clear();
    // Picks exactly these rows, extending from the first of them.
    void setRows(const std::vector<int>& rows);
    // Moves every row, and the anchor, by `step`: the selection follows a
    // moved block.
    void shift(int step);

    bool contains(int row) const { return m_rows.contains(row); }
    bool empty() const { return m_rows.empty(); }
    // Ascending.
    std::vector<int> rows() const { return {m_rows.begin(), m_rows.end()}; }

  private:
    std::set<int> m_rows;
    int m_anchor = 0; // where a Shift+click extends from; 0: none yet
};

} // namespace editors
