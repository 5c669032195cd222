#pragma once

#include <QString>
#include <QStringList>
#include <functional>

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

// Where messages go instead of a box, for windows nobody looks at (the
// command line builds the program's windows off screen): a box there would
// wait for ever for a click. The sink gets the text and the style; the
// message is then taken as answered with the button Escape presses (Cancel,
// No, or the only OK). An empty sink brings the boxes back.
using MessageSink = std::function<void(const QString& text, int style)>;
void setMessageSink(MessageSink sink);
bool hasMessageSink();
void sendToMessageSink(const QString& text, int style);

// Shows a message box whose buttons carry the captions of the language in
// force, whatever the system's language, and returns the pressed button's
// number. An empty title is replaced by the application's title; captions
// given replace the buttons' usual ones, in order.
int LocalizedMsgBox(const QString& text, int style, const QString& title,
                    const QStringList& captions = {});

// The caption of button `number` (1..7) in `language` (0 Chinese, 1 English).
QString buttonCaption(int number, int language);

} // namespace ui
