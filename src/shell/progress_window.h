#pragma once

#include "link/link_engine.h"
#include "ui/language_table.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace shell {

// FrmWriting: the progress window of a transfer, with a caption, Label1
// and ProgressBar1. It has no behaviour of its own: the transfer sets its
// texts and range, shows it, moves the bar and closes it. It is modal
// without a nested event loop, so the port's bytes and the timers' ticks
// go on while it is shown. The user cannot close it (no close box, Escape
// does nothing): a transfer always ends by itself, at the latest when its
// watchdog gives up on a silent radio, and closing it early would free the
// menus over a running transfer.
class ProgressWindow : public QDialog {
  public:
    explicit ProgressWindow(QWidget* parent);

    // The texts and range of `kind` in the language in force, then shown;
    // returns at once.
    void begin(radiolink::TransferKind kind, int minimum, int maximum);
    // A value outside the range leaves the bar as it was.
    void setValue(int value);
    void finish();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    QLabel* Label1;
    QProgressBar* ProgressBar1;
};

// FrmWriting's rows of the language table.
extern const ui::LanguageTable ProgressWindowTexts;

} // namespace shell
