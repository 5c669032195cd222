// Editing a cell of the channel table: the overlay that opens over it and
// how its value is committed.
#include "editors/channel_grid.h"
#include "editors/channel_table.h"
#include "editors/frequency_box.h"
#include "editors/overlay_list.h"
#include "image/decimal_text.h"
#include "image/frequency_codes.h"
#include "words/messages.h"

#include <algorithm>

namespace editors {

void ChannelTable::Grid1_Click() {
    if (!GridClickArmed)
        return;
    const int row = Grid1->Row();
    // An empty channel can only be started through its receive frequency.
    if (Grid1->TextMatrix(row, RxCol).isEmpty())
        Grid1->selectCell(row, RxCol);
    EditRow = Grid1->Row();
    EditCol = Grid1->Col();
    openOverlay();
    GridClickArmed = false;
}

void ChannelTable::openOverlay() {
    if (!isChannel(EditRow))
        return;
    Grid1->scrollToItem(Grid1->item(EditRow - 1, EditCol));
    const QRect cell = Grid1->cellRect(EditRow, EditCol, picClient);
    if (EditCol == RxCol || EditCol == TxCol) {
        Text1->setGeometry(cell);
        Text1->setText(Grid1->TextMatrix(EditRow, EditCol));
        Text1->selectAll(); // typing replaces the old value
        m_openOverlay = Text1;
        Text1->show();
        Text1->raise();
        Text1->setFocus();
        return;
    }
    OverlayList* list = listFor(EditCol);
    if (!list)
        return;
    // A list wider than its cell covers part of the next one rather than
    // cutting its entries ("High" in the narrow power column).
    const QSize wanted = list->sizeHint();
    list->setGeometry(cell.x(), cell.y(), std::max(cell.width(), wanted.width()), wanted.height());
    list->setCurrentIndex(m_tables.ChannelListIndex(EditRow, EditCol));
    m_openOverlay = list;
    list->show();
    list->raise();
    list->setFocus();
    list->showPopup();
}

// Hides the open overlay without a change and hands the focus to the grid.
void ChannelTable::closeOverlay() {
    QWidget* overlay = m_openOverlay;
    m_openOverlay = nullptr;
    if (!overlay)
        return;
    if (overlay->hasFocus())
        Grid1->setFocus();
    overlay->hide();
}

void ChannelTable::onListChosen(OverlayList* list, int position) {
    // Only a shown list commits; positions set from code write nothing.
    if (m_openOverlay != list || position < 0)
        return;
    const QString entry = list->itemText(position);
    Grid1->setTextMatrix(EditRow, EditCol, entry);
    m_tables.ChannelListIndex(EditRow, EditCol) = position;
    if (list == Combo1)
        m_tables.ChannelToneText(EditRow, EditCol) = entry.toStdString();
    closeOverlay();
    emit edited();
}

void ChannelTable::Text1_LostFocus() {
    if (m_openOverlay != Text1)
        return;
    const QString text = Text1->text();
    if (text.isEmpty()) {
        // Erasing the receive frequency deletes the channel; an erased
        // transmit frequency keeps its old value.
        if (EditCol == RxCol)
            ClearNO(EditRow);
        closeOverlay();
        emit edited();
        return;
    }
    const auto value = image::Decimal::parse(text.toStdString());
    if (!value) { // such as 1.2.3: dropped without a word
        closeOverlay();
        return;
    }
    if (!image::isInBand(*value, m_band)) {
        m_openOverlay = nullptr; // settled: the message box must not re-enter it
        ui::showMessage(ui::Msg::BeyondBand);
        Grid1->setFocus();
        Text1->hide();
        return;
    }
    commitFrequency(text);
    closeOverlay();
    emit edited();
}

void ChannelTable::commitFrequency(const QString& text) {
    // Five decimals, then onto the channel raster.
    const auto snapped = image::snapFrequencyText(text.toStdString());
    if (!snapped)
        return;
    const QString freq = QString::fromStdString(*snapped);
    setFreq(EditRow, EditCol, freq);
    if (EditCol == RxCol && Grid1->TextMatrix(EditRow, RxToneCol).isEmpty())
        completeNewChannel(EditRow, freq);
}

// A new channel transmits on its receive frequency, without tones, at high
// power, without channel lock, in the scan list, wide band.
void ChannelTable::completeNewChannel(int n, const QString& freq) {
    setFreq(n, TxCol, freq);
    setListCell(n, RxToneCol, 0);
    setListCell(n, TxToneCol, 0);
    for (int col = FirstFlagCol; col <= LastFlagCol; ++col)
        setListCell(n, col, 1);
}

} // namespace editors
