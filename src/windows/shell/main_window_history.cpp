// Undo and redo over every editor: the history hears of each completed user
// action and offers MNUndo and MNRedo at the top of the Edit menu.
#include "editors/band_selection.h"
#include "editors/channel_table.h"
#include "editors/dtmf_editor.h"
#include "editors/fm_presets_editor.h"
#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "shell/edit_history.h"
#include "shell/main_window.h"

#include <QAction>
#include <QMenu>
#include <QUndoStack>

namespace shell {

void MainWindow::createHistory() {
    m_history = new EditHistory(
        [this] { return editorValues(); },
        [this](const image::EditorValues& values) { showEditorValues(values); }, this);
    const auto record = [this] { m_history->checkpointSoon(); };
    connect(Form1, &editors::ChannelTable::edited, this, record);
    connect(Form2, &editors::DtmfEditor::edited, this, record);
    connect(Form3, &editors::OptionalFeatures::edited, this, record);
    connect(Form4, &editors::PowerLevels::edited, this, record);
    connect(Form5, &editors::FmPresetsEditor::edited, this, record);
    connect(m_bandSelection, &editors::BandSelection::edited, this, record);

    auto* edit = findChild<QMenu*>("MNEdit");
    QAction* first = edit->actions().value(0);
    auto* undo = new QAction(QString::fromUtf8("撤销(&U)"), this);
    undo->setObjectName("MNUndo");
    undo->setShortcut(QKeySequence::Undo);
    auto* redo = new QAction(QString::fromUtf8("重做(&R)"), this);
    redo->setObjectName("MNRedo");
    redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    edit->insertActions(first, {undo, redo});
    edit->insertSeparator(first)->setObjectName("MNLineUndo");

    // An entry still open is settled first, so it is part of what is undone.
    const auto settle = [this] {
        Form1->Text1_LostFocus();
        Form3->commitPendingEntry();
    };
    connect(undo, &QAction::triggered, this, [this, settle] {
        settle();
        m_history->undo();
    });
    connect(redo, &QAction::triggered, this, [this, settle] {
        settle();
        m_history->redo();
    });
    QUndoStack* stack = m_history->stack();
    undo->setEnabled(stack->canUndo());
    redo->setEnabled(stack->canRedo());
    connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
}

} // namespace shell
