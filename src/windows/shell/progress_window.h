#pragma once

#include "words/language_table.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace shell {

// What the progress window is showing: a read, or one step of a write (the
// backup read before it, the write, the read that checks it).
enum class ProgressStep { Read, Backup, Write, Verify };

// FrmWriting: the progress window of a transfer, with a caption, Label1,
// ProgressBar1 and a Cancel button. The transfer sets its texts and range,
// shows it, moves the bar and closes it. It is modal without a nested event
// loop, so the port's bytes and the timers' ticks go on while it is shown.
// The close box is not offered: Cancel (or Escape) only asks its owner to end
// the transfer, which decides how (a write asks first) and closes the window
// when the transfer has ended.
class ProgressWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ProgressWindow(QWidget* parent);

    // The texts and range of `step` in the language in force, then shown
    // (and brought to the front unless it was shown already); returns at
    // once.
    void begin(ProgressStep step, int minimum, int maximum);
    // A value outside the range leaves the bar as it was.
    void setValue(int value);
    void finish();

  signals:
    void cancelRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QPushButton* CancelButton;
};

// FrmWriting's rows of the language table.
extern const ui::LanguageTable ProgressWindowTexts;

} // namespace shell
