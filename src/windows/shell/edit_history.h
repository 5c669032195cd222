#pragma once

#include "image/editor_values.h"

#include <QObject>
#include <functional>

class QUndoStack;

namespace shell {

// The undo history of the editors. Every editor tells when a user action of
// its own is complete; the history then compares what the editors hold with
// what they held after the previous action, and a difference becomes one
// step holding both states. Undo and redo put a state back whole, so each
// returns the editors, and the image built from them, exactly as they were.
class EditHistory : public QObject {
    Q_OBJECT
  public:
    using State = image::EditorValues;
    using Take = std::function<State()>;
    using Restore = std::function<void(const State&)>;

    EditHistory(Take take, Restore restore, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack* stack() const { return m_stack; }

    // Records what changed since the last step, if anything, as one step.
    void checkpoint();
    // A checkpoint once the event being handled is done, so everything the
    // action does has happened when it is taken.
    void checkpointSoon();
    // Forgets every step: what the editors hold now is where history starts.
    void startFresh();
    // Records any change still unrecorded, then steps back or forward.
    void undo();
    void redo();

  private:
    class Step;

    Take m_take;
    Restore m_restore;
    QUndoStack* m_stack;
    State m_recorded; // what the editors held after the last step
    bool m_checkpointQueued = false;
};

} // namespace shell
