#pragma once

#include <QLineEdit>

namespace editors {

// Text1: the frequency entry box laid over a cell. It holds at most nine
// characters ("000.00000"), digits and the point only, typed or pasted.
// Enter and Escape are reported, and so is the loss of focus, which commits
// the entry.
class FrequencyBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit FrequencyBox(QWidget* parent = nullptr);

  signals:
    void enterPressed();
    void escapePressed();
    void focusLost();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace editors
