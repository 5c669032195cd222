#pragma once

#include "image/image_layout.h"
#include "settings/unwritable_values.h"

#include <QDialog>
#include <span>

class QLabel;
class QPushButton;
class QTableWidget;

namespace shell {

// FrmWriteChanges: what a write will change in the radio, asked before the
// write starts. One row per change (place, setting, what the radio holds
// now, what it holds after the write) and a line counting them, as the
// windows name them in the language given. Write goes on: a click, or Enter
// (the default button; the table has the focus, so Enter reaches it).
// Cancel, Escape or the close box write nothing.
class WriteChangesDialog : public QDialog {
    Q_OBJECT
  public:
    // `radio`: the image the radio holds (the backup just read); `toWrite`:
    // the image about to be written. Only the bytes the write sends are
    // compared: the calibration block only `withCalibration`.
    // `unwritable`: values the windows hold that the write cannot send as
    // they are, each listed below the changes with what is sent instead.
    WriteChangesDialog(const image::MemoryImage& radio, const image::MemoryImage& toWrite,
                       int language, bool withCalibration,
                       std::span<const settings::UnwritableValue> unwritable = {},
                       QWidget* parent = nullptr);

    // Shows the dialog modally; true when the user chose Write.
    static bool confirmWriteChanges(QWidget* parent, const image::MemoryImage& radio,
                                    const image::MemoryImage& toWrite, int language,
                                    bool withCalibration,
                                    std::span<const settings::UnwritableValue> unwritable = {});

    int changeCount() const;

  protected:
    // Fitted again as it shows: only then are the texts measured in the
    // fonts of the screen it shows on, and a pixel short brings scroll bars
    // that hide rows.
    void showEvent(QShowEvent* event) override;

  private:
    void fitToContents();

    QLabel* LabelCount = nullptr;
    QLabel* LabelUnwritable = nullptr;
    QTableWidget* TableChanges = nullptr;
    QPushButton* CmdWrite = nullptr;
    QPushButton* CmdCancel = nullptr;
};

} // namespace shell
