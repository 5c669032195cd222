#pragma once

#include <QString>

class QWidget;

namespace ui {

// Style values the callers pass (the classic message box style bits).
namespace MsgStyle {
inline constexpr int Ok = 0;
inline constexpr int OkStop = 16;
inline constexpr int OkExclamation = 48;
inline constexpr int OkInformation = 64;
inline constexpr int OkCancelQuestion = 4385; // second button default, system-modal
} // namespace MsgStyle

// Button numbers returned by LocalizedMsgBox.
enum MsgButton { MsgOk = 1, MsgCancel, MsgAbort, MsgRetry, MsgIgnore, MsgYes, MsgNo };

inline constexpr const char* ApplicationTitle = "TQ-305 CloneDesk";

// The window message boxes belong to (the main window once it exists).
void setMessageBoxOwner(QWidget* owner);

// Shows a message box whose buttons carry the captions of the language in
// force, whatever the system's language, and returns the pressed button's
// number. An empty title is replaced by the application's title.
int LocalizedMsgBox(const QString& text, int style, const QString& title);

// The caption of button `number` (1..7) in `language` (0 Chinese, 1 English).
QString buttonCaption(int number, int language);

} // namespace ui
