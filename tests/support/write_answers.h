// Answers for the windows the program's write opens besides message boxes.
#pragma once

#include "support/scripted_answers.h"

#include <QPushButton>

// The next window is the write's "what will change" question: Write, or
// Cancel.
inline ScriptedAnswers& answerChanges(ScriptedAnswers& answers, bool write = true) {
    return answers.onDialog("FrmWriteChanges", [write](QDialog* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(write ? "CmdWrite" : "CmdCancel"),
                          Qt::LeftButton);
    });
}
