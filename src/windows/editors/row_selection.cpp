#include "editors/row_selection.h"

#include <algorithm>
#include <utility>

namespace editors {

void RowSelection::pick(int row) {
    m_rows = {row};
    m_anchor = row;
}

void RowSelection::extendTo(int row) {
    if (m_anchor == 0) {
        pick(row);
        return;
    }
    m_rows.clear();
    for (int r = std::min(m_anchor, row); r <= std::max(m_anchor, row); ++r)
        m_rows.insert(r);
}

void RowSelection::toggle(int row) {
    if (!m_rows.erase(row))
        m_rows.insert(row);
    m_anchor = row;
}

void RowSelection::clear() {
    m_rows.clear();
    m_anchor = 0;
}

void RowSelection::setRows(const std::vector<int>& rows) {
    m_rows = {rows.begin(), rows.end()};
    m_anchor = m_rows.empty() ? 0 : *m_rows.begin();
}

void RowSelection::shift(int step) {
    std::set<int> moved;
    for (int row : m_rows)
        moved.insert(row + step);
    m_rows = std::move(moved);
    if (m_anchor != 0)
        m_anchor += step;
}

} // namespace editors
