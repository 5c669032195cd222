#pragma once

#include "editors/row_selection.h"

#include <QTableWidget>

namespace editors {

// Grid1, numbered the way the channel table speaks of it: 100 rows by 9
// columns, where row 0 is the fixed header row and rows 1..99 are the
// channels, and column 0 holds the channel numbers.
//
// On screen row 0 is the table's horizontal header (it stays put while the
// channels scroll); grid row r (1..99) is table row r - 1. Column 0 is an
// ordinary table column whose cells cannot be selected from the keyboard.
// Cells are never typed into; a left click or Enter asks the owner to open
// an editor over the current cell. A click on a channel number picks whole
// channel rows instead (with Shift and Ctrl as usual, and Shift+Up/Down from
// the keyboard); the picked rows are highlighted.
class ChannelGrid : public QTableWidget {
    Q_OBJECT
  public:
    static constexpr int Rows = 100;
    static constexpr int Cols = 9;
    static constexpr int FirstChannelRow = 1;
    static constexpr int LastChannelRow = Rows - 1;

    explicit ChannelGrid(QWidget* parent = nullptr);

    // The text of a cell, row 0 being the header row; empty outside the grid.
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // The current cell, in grid numbering; 0 while there is none.
    int Row() const;
    int Col() const;
    void selectCell(int row, int col);

    // The channel row shown at the top, 1..99.
    int TopRow() const;
    void setTopRow(int row);

    // A cell's rectangle in the coordinates of `widget`.
    QRect cellRect(int row, int col, const QWidget* widget) const;

    // The picked channel rows, ascending; empty while none is picked.
    std::vector<int> selectedRows() const { return m_selection.rows(); }
    bool isRowSelected(int row) const { return m_selection.contains(row); }
    void setSelectedRows(const std::vector<int>& rows);
    // The picked rows and the current cell follow a block moved by `step`.
    void followMovedRows(int step);

  signals:
    // A left click picked the current cell, or Enter was pressed on it.
    void editRequested();
    // A character typed on the current cell: its edit opens with it.
    void typedOnCell(int key, Qt::KeyboardModifiers modifiers, const QString& text);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void keyboardSearch(const QString&) override {} // typing never jumps between cells

  private:
    // A cell of grid row `row` (1..99) with its text, flags and shading.
    QTableWidgetItem* newCell(int row, int col) const;
    void pickRow(int row, Qt::KeyboardModifiers modifiers);
    void clearSelectedRows();
    void extendFromCurrentRow(int row);
    // Shift+Up/Down: the picked rows reach from where they started to the
    // row `step` away from the current one.
    void extendSelectedRows(int step);
    int m_pressedRow = 0; // the channel a left press picked, until the release
    int m_wheelRemainder = 0;
    RowSelection m_selection;
};

} // namespace editors
