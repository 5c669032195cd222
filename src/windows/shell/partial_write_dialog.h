#pragma once

#include "words/language_table.h"

#include <QDialog>
#include <cstdint>

class QPushButton;

namespace shell {

// Why a write stopped after some of its blocks reached the radio.
enum class PartialCause { Stalled, Refused, Unexpected, Cancelled, Other };

// Where a write that stopped part-way had got to.
struct PartialWrite {
    std::uint16_t lastBlock = 0; // the address of the last block frame sent
    int blocksSent = 0;          // counted from 1, that block included
    int blockCount = 0;          // the blocks the write would have sent
    PartialCause cause = PartialCause::Other;
};

enum class PartialWriteChoice { WriteAgain, RestoreBackup, Close };

// FrmPartialWrite: tells, in the language in force, that the radio now holds
// a mix of old and new memory and which block the write reached, and offers
// to write again, to put the backup back (only when one was taken) or to
// close. Escape and the close box close.
class PartialWriteDialog : public QDialog {
  public:
    PartialWriteDialog(QWidget* parent, const PartialWrite& where, bool backupAvailable);

    PartialWriteChoice choice() const { return m_choice; }

    // Shows the dialog modally and returns the user's choice.
    static PartialWriteChoice ask(QWidget* parent, const PartialWrite& where, bool backupAvailable);

  private:
    QPushButton* addChoice(const char* name, PartialWriteChoice choice);

    PartialWriteChoice m_choice = PartialWriteChoice::Close;
};

// FrmPartialWrite's rows of the language table.
extern const ui::LanguageTable PartialWriteDialogTexts;

// The cause as the dialog words it, in the language in force.
QString partialCauseText(PartialCause cause);

} // namespace shell
