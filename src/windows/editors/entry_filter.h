#pragma once

#include "editors/character_filter.h"

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QLineEdit;
class QWidget;

namespace editors {

// A numeric entry box's rules: what the user types, pastes or drops passes
// the box's character filter (characters `take` refuses are discarded, the
// box holds at most `maxLength` characters, 0: no limit), and Enter or losing
// the focus rewrites the text through `leaveCheck`. Enter itself is
// discarded. A text the program shows through `showText` is kept whole, even
// when it is longer than the limit or holds other characters (an image's
// offset of 100 MHz, the hexadecimal digits of an erased frequency); typing
// into a box that is full is refused rather than cutting it.
class EntryFilter : public QObject {
    Q_OBJECT
  public:
    using Check = std::function<std::string(std::string_view)>;

    EntryFilter(QLineEdit* box, CharacterFilter::Take take, Check leaveCheck, int maxLength = 0);

    // Runs the leave check now, as leaving the box would.
    void runLeaveCheck();

    // Shows a text of the program's own, unfiltered.
    void showText(const QString& text);
    // No more leave checks: the box is going away with its window.
    void stop();

  signals:
    // The leave check has run: the box holds its settled text.
    void settled();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool isFull() const;

    QLineEdit* m_box;
    CharacterFilter* m_characters;
    Check m_leaveCheck;
    int m_maxLength;
};

// For the destructor of a window with entry boxes: its controls lose the
// focus as it goes, after its own destructor has run, and neither a leave
// check nor a signal of theirs may reach it half-destroyed.
void detachControls(QWidget& window);

} // namespace editors
