#include "editors/channel_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace editors {

namespace {

// Rows 2, 4, ..., 98 are shaded, the channel number included.
const QColor EvenRowColour(192, 192, 255);
constexpr int WheelNotch = 120;

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

void ChannelGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    m_pressedRow = 0;
    if (event->button() != Qt::LeftButton)
        return; // other buttons only give the grid the focus
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    // A press on a channel number picks that channel's first cell, as the
    // fixed column of a flex grid does.
    m_pressedRow = index.row() + 1;
    selectCell(m_pressedRow, std::max(index.column(), 1));
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
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit editRequested();
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

bool ChannelGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

} // namespace editors
