#include "shell/edit_history.h"

#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace shell {

namespace {

// Enough for a long session; each step holds two states of about 16 kB.
constexpr int StepLimit = 500;

} // namespace

// One user action: the editors' states before and after it.
class EditHistory::Step : public QUndoCommand {
  public:
    Step(EditHistory& history, State before, State after)
        : m_history(history), m_before(std::move(before)), m_after(std::move(after)) {}

    void undo() override { put(m_before); }
    void redo() override {
        // Pushing redoes the step, which has already happened.
        if (m_pushed)
            put(m_after);
        m_pushed = true;
    }

  private:
    void put(const State& state) {
        m_history.m_restore(state);
        m_history.m_recorded = state;
    }

    EditHistory& m_history;
    State m_before, m_after;
    bool m_pushed = false;
};

EditHistory::EditHistory(Take take, Restore restore, QObject* parent)
    : QObject(parent), m_take(std::move(take)), m_restore(std::move(restore)),
      m_stack(new QUndoStack(this)) {
    m_stack->setUndoLimit(StepLimit);
    m_recorded = m_take();
}

EditHistory::~EditHistory() = default;

void EditHistory::checkpoint() {
    State now = m_take();
    if (now == m_recorded)
        return;
    State before = std::exchange(m_recorded, now);
    m_stack->push(new Step(*this, std::move(before), std::move(now)));
}

void EditHistory::checkpointSoon() {
    if (m_checkpointQueued)
        return;
    m_checkpointQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_checkpointQueued = false;
        checkpoint();
    });
}

void EditHistory::startFresh() {
    m_stack->clear();
    m_recorded = m_take();
}

void EditHistory::undo() {
    checkpoint();
    m_stack->undo();
}

void EditHistory::redo() {
    // A change made after an undo ends the steps that could be redone.
    checkpoint();
    m_stack->redo();
}

} // namespace shell
