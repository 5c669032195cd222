#pragma once

#include <QComboBox>

namespace editors {

// A drop-down list laid over a cell of the channel table (Combo1 and the
// Combo5 members). It reports a choice the user makes (`activated`, also
// Enter on the closed list), Escape on the closed list, and the loss of
// focus; opening its own list is not a loss of focus.
class OverlayList : public QComboBox {
    Q_OBJECT
  public:
    explicit OverlayList(QWidget* parent = nullptr);

  signals:
    void escapePressed();
    void focusLost();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace editors
