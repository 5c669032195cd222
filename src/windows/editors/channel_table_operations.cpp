// Whole channels copied, cut, pasted, deleted, inserted and moved in the
// channel table, from the keyboard, the context menu and the Edit menu.
// Each operation is one change of the tables: one edited() at most.
#include "editors/channel_clipboard.h"
#include "editors/channel_grid.h"
#include "editors/channel_table.h"
#include "editors/frequency_box.h"
#include "editors/import_report_view.h"
#include "exchange/channel_csv.h"
#include "exchange/channel_fields.h"
#include "image/channel_operations.h"
#include "words/messages.h"

#include <QAction>
#include <QMenu>

namespace editors {

void ChannelTable::buildOperations() {
    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName("ChannelMenu");
    auto add = [this](const char* name, QKeyCombination key, auto run) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcut(key);
        // The grid's own keys: in the entry box and in other windows Ctrl+C,
        // Del and the rest keep their usual meaning.
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, run);
        Grid1->addAction(action);
        m_contextMenu->addAction(action);
        m_operations.append(action);
    };
    add("MNCut", Qt::CTRL | Qt::Key_X, [this] { cutChannels(); });
    add("MNCopy", Qt::CTRL | Qt::Key_C, [this] { copyChannels(); });
    add("MNPaste", Qt::CTRL | Qt::Key_V, [this] { pasteChannels(); });
    add("MNDelete", QKeyCombination(Qt::Key_Delete), [this] { deleteChannels(); });
    m_contextMenu->addSeparator();
    add("MNInsert", QKeyCombination(Qt::Key_Insert), [this] { insertChannel(); });
    add("MNMoveUp", Qt::CTRL | Qt::Key_Up, [this] { moveChannels(-1); });
    add("MNMoveDown", Qt::CTRL | Qt::Key_Down, [this] { moveChannels(1); });

    Grid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Grid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        settleOverlay();
        m_contextMenu->popup(Grid1->viewport()->mapToGlobal(at));
    });
}

std::vector<int> ChannelTable::selectedChannels() const {
    std::vector<int> channels = Grid1->selectedRows();
    if (channels.empty() && isChannel(Grid1->Row()))
        channels.push_back(Grid1->Row());
    return channels;
}

void ChannelTable::settleOverlay() {
    if (m_openOverlay == Text1)
        Text1_LostFocus();
    else
        closeOverlay();
}

void ChannelTable::copyChannels() {
    settleOverlay();
    putChannelsOnClipboard(m_tables, selectedChannels());
}

void ChannelTable::cutChannels() {
    settleOverlay();
    const std::vector<int> channels = selectedChannels();
    putChannelsOnClipboard(m_tables, channels);
    image::ChannelTableValues values = m_tables;
    image::clearChannels(values, channels);
    replaceChannels(values);
}

void ChannelTable::deleteChannels() {
    settleOverlay();
    image::ChannelTableValues values = m_tables;
    image::clearChannels(values, selectedChannels());
    replaceChannels(values);
}

// The clipboard's rows go onto the first picked channel and on, in their
// order, under the rules of an import.
void ChannelTable::pasteChannels() {
    settleOverlay();
    const std::vector<int> target = selectedChannels();
    if (target.empty())
        return;
    const ClipboardChannels pasted = channelsOnClipboard();
    image::ChannelTableValues values = m_tables;
    exchange::ImportReport report = exchange::importChannels(
        pasted.csv, m_band, {.renumber = true, .firstChannel = target.front()}, values);
    if (!report.usable) {
        ui::showMessage(ui::Msg::PasteNotChannels);
        return;
    }
    // Rows copied here carry their channel lock beside the CSV, and nothing
    // the radio cannot keep: the note on left-out columns does not apply.
    const bool withLocks = pasted.locks.size() == report.rows.size();
    if (withLocks)
        report.columnsDropped = false;
    std::vector<int> placed;
    bool asCopied = !report.columnsDropped;
    for (std::size_t i = 0; i < report.rows.size(); ++i) {
        const exchange::RowReport& row = report.rows[i];
        asCopied = asCopied && row.outcome == exchange::RowReport::Outcome::Imported;
        if (row.channel == 0)
            continue;
        placed.push_back(row.channel);
        if (withLocks)
            values.row(row.channel).listIndex[exchange::LockIndex] = pasted.locks[i];
    }
    replaceChannels(values);
    if (!placed.empty())
        Grid1->setSelectedRows(placed);
    if (!asCopied)
        showImportReport(this, report);
}

void ChannelTable::insertChannel() {
    settleOverlay();
    const std::vector<int> channels = selectedChannels();
    if (channels.empty())
        return;
    image::ChannelTableValues values = m_tables;
    if (!image::insertChannel(values, channels.front())) {
        ui::showMessage(ui::Msg::InsertNoRoom);
        return;
    }
    replaceChannels(values);
}

void ChannelTable::moveChannels(int step) {
    settleOverlay();
    image::ChannelTableValues values = m_tables;
    if (!image::moveChannels(values, selectedChannels(), step))
        return;
    replaceChannels(values);
    Grid1->followMovedRows(step);
}

} // namespace editors
