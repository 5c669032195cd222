#include "editors/channel_grid.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <algorithm>

namespace editors {

namespace {

// Rows 2, 4, ..., 98 are shaded, the channel number included.
const QColor EvenRowColour(192, 192, 255);
constexpr int WheelNotch = 120;

// Paints every cell of a picked channel row, its number included, in the
// highlight colours.
class PickedRowDelegate : public QStyledItemDelegate {
  public:
    explicit PickedRowDelegate(ChannelGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_grid->isRowSelected(index.row() + 1))
            return;
        const QPalette& colours = m_grid->palette();
        option->backgroundBrush = colours.brush(QPalette::Active, QPalette::Highlight);
        option->palette.setBrush(QPalette::Text,
                                 colours.brush(QPalette::Active, QPalette::HighlightedText));
    }

  private:
    const ChannelGrid* m_grid;
};

bool movesCurrentCell(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

ChannelGrid::ChannelGrid(QWidget* parent) : QTableWidget(Rows - 1, Cols, parent) {
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerItem);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setItemDelegate(new PickedRowDelegate(this));
    // The scroll bar is part of the grid: the wheel over it steps one row too.
    verticalScrollBar()->installEventFilter(this);

    for (int col = 0; col < Cols; ++col)
        setHorizontalHeaderItem(col, new QTableWidgetItem);
    // Each cell is complete before it enters the table: every later change
    // to an item that is in the table is one more round of change signals.
    for (int row = FirstChannelRow; row <= LastChannelRow; ++row)
        for (int col = 0; col < Cols; ++col)
            setItem(row - 1, col, newCell(row, col));
}

QTableWidgetItem* ChannelGrid::newCell(int row, int col) const {
    // A blank cell holds an empty text, so blanking it again changes nothing.
    auto* cell = new QTableWidgetItem(col == 0 ? QString::number(row) : QString());
    cell->setTextAlignment(Qt::AlignCenter);
    if (col == 0) {
        // Column 0 looks like the fixed column it stands for; its cells are
        // disabled only to keep the current cell out of it.
        cell->setFlags(Qt::NoItemFlags);
        cell->setForeground(palette().windowText());
        cell->setBackground(palette().button());
    } else {
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    if (row % 2 == 0)
        cell->setBackground(EvenRowColour);
    return cell;
}

QString ChannelGrid::TextMatrix(int row, int col) const {
    if (col < 0 || col >= Cols)
        return {};
    if (row == 0)
        return horizontalHeaderItem(col)->text();
    const QTableWidgetItem* cell = item(row - 1, col);
    return cell ? cell->text() : QString();
}

void ChannelGrid::setTextMatrix(int row, int col, const QString& text) {
    if (row == 0 && col >= 0 && col < Cols)
        horizontalHeaderItem(col)->setText(text);
    else if (QTableWidgetItem* cell = item(row - 1, col))
        cell->setText(text);
}

int ChannelGrid::Row() const {
    return currentRow() + 1;
}

int ChannelGrid::Col() const {
    return std::max(currentColumn(), 0);
}

void ChannelGrid::selectCell(int row, int col) {
    setCurrentCell(row - 1, col);
}

int ChannelGrid::TopRow() const {
    return verticalScrollBar()->value() + 1;
}

void ChannelGrid::setTopRow(int row) {
    verticalScrollBar()->setValue(std::clamp(row, FirstChannelRow, LastChannelRow) - 1);
}

QRect ChannelGrid::cellRect(int row, int col, const QWidget* widget) const {
    const QRect r = visualRect(model()->index(row - 1, col));
    return {widget->mapFromGlobal(viewport()->mapToGlobal(r.topLeft())), r.size()};
}

void ChannelGrid::setSelectedRows(const std::vector<int>& rows) {
    m_selection.setRows(rows);
    viewport()->update();
}

void ChannelGrid::followMovedRows(int step) {
    const bool currentMoves = m_selection.empty() || m_selection.contains(Row());
    m_selection.shift(step);
    if (currentMoves && Row() >= FirstChannelRow)
        selectCell(std::clamp(Row() + step, FirstChannelRow, LastChannelRow), std::max(Col(), 1));
    viewport()->update();
}

void ChannelGrid::clearSelectedRows() {
    if (m_selection.empty())
        return;
    m_selection.clear();
    viewport()->update();
}

void ChannelGrid::pickRow(int row, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ControlModifier)
        m_selection.toggle(row);
    else if (modifiers & Qt::ShiftModifier)
        extendFromCurrentRow(row);
    else
        m_selection.pick(row);
    // The current cell goes along, so the keyboard carries on from there.
    selectCell(row, std::max(Col(), 1));
    viewport()->update();
}

void ChannelGrid::extendFromCurrentRow(int row) {
    // With no row picked yet, the range starts at the current cell's row.
    if (m_selection.empty() && Row() >= FirstChannelRow)
        m_selection.pick(Row());
    m_selection.extendTo(row);
}

void ChannelGrid::extendSelectedRows(int step) {
    if (Row() < FirstChannelRow)
        return;
    const int to = std::clamp(Row() + step, FirstChannelRow, LastChannelRow);
    extendFromCurrentRow(to);
    selectCell(to, std::max(Col(), 1));
    viewport()->update();
}

void ChannelGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    m_pressedRow = 0;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || event->button() == Qt::MiddleButton)
        return; // other buttons only give the grid the focus
    const int row = index.row() + 1;
    if (event->button() == Qt::RightButton) {
        // The context menu acts on what is under the mouse: the picked rows
        // if it is one of them, else that channel.
        if (isRowSelected(row))
            return;
        if (index.column() == 0) {
            pickRow(row, Qt::NoModifier);
        } else {
            clearSelectedRows();
            selectCell(row, index.column());
        }
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (index.column() == 0) {
        pickRow(row, event->modifiers());
        return;
    }
    clearSelectedRows();
    m_pressedRow = row;
    selectCell(row, index.column());
}

void ChannelGrid::mouseMoveEvent(QMouseEvent* event) {
    // No range of cells is dragged out while the button is down.
    if (event->buttons() == Qt::NoButton)
        QTableWidget::mouseMoveEvent(event);
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent* event) {
    // The editor opens once the button is up, so that a list dropped down
    // over the cell is not closed again by this very release.
    if (event->button() == Qt::LeftButton && m_pressedRow != 0 && Row() == m_pressedRow)
        emit editRequested();
    m_pressedRow = 0;
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit editRequested();
        return;
    }
    if (event->modifiers() == Qt::ShiftModifier && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        extendSelectedRows(key == Qt::Key_Up ? -1 : 1);
        return;
    }
    if (key == Qt::Key_Escape && !m_selection.empty()) {
        clearSelectedRows();
        return;
    }
    if (movesCurrentCell(key))
        clearSelectedRows();
    // A frequency is typed at once, as into a spreadsheet's cell.
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && text.at(0) != ' ' &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        emit typedOnCell(key, event->modifiers(), text);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ChannelGrid::wheelEvent(QWheelEvent* event) {
    // One channel row per notch; towards the user scrolls down.
    m_wheelRemainder += event->angleDelta().y();
    while (m_wheelRemainder <= -WheelNotch) {
        m_wheelRemainder += WheelNotch;
        setTopRow(std::min(TopRow() + 1, LastChannelRow));
    }
    while (m_wheelRemainder >= WheelNotch) {
        m_wheelRemainder -= WheelNotch;
        setTopRow(std::max(TopRow() - 1, FirstChannelRow));
    }
    event->accept();
}

bool ChannelGrid::event(QEvent* event) {
    // The menu key opens the context menu under the current cell, not in
    // the middle of the grid; the place is given in viewport coordinates,
    // as a right click gives it.
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard &&
        Row() >= FirstChannelRow) {
        scrollToItem(currentItem());
        emit customContextMenuRequested(cellRect(Row(), Col(), viewport()).bottomLeft());
        return true;
    }
    return QTableWidget::event(event);
}

bool ChannelGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

} // namespace editors
