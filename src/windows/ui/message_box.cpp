#include "words/message_box.h"

#include "words/messages.h"
#include "words/program_flags.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <array>
#include <vector>

namespace ui {

namespace {

QPointer<QWidget> g_owner;

struct ButtonCaption {
    const char* zh;
    const char* en;
};

constexpr std::array<ButtonCaption, 7> ButtonCaptions{{
    {"确定", "OK"},
    {"取消", "Cancel"},
    {"放弃", "Abort"},
    {"重试", "Retry"},
    {"忽略", "Ignore"},
    {"是", "Yes"},
    {"否", "No"},
}};

// The buttons of each button group (the low four bits of the style).
std::vector<int> buttonsOf(int style) {
    switch (style & 0xF) {
    case 1:
        return {MsgOk, MsgCancel};
    case 2:
        return {MsgAbort, MsgRetry, MsgIgnore};
    case 3:
        return {MsgYes, MsgNo, MsgCancel};
    case 4:
        return {MsgYes, MsgNo};
    case 5:
        return {MsgRetry, MsgCancel};
    default:
        return {MsgOk};
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::ButtonRole roleOf(int number) {
    switch (number) {
    case MsgOk:
    case MsgYes:
    case MsgRetry:
        return QMessageBox::AcceptRole;
    case MsgNo:
        return QMessageBox::NoRole;
    case MsgIgnore:
        return QMessageBox::ActionRole;
    default:
        return QMessageBox::RejectRole;
    }
}

// The button Escape and the close box press: Cancel where there is one,
// else the only button (OK) or No.
int escapeButtonOf(const std::vector<int>& numbers) {
    for (int wanted : {MsgCancel, MsgNo, MsgAbort})
        for (int n : numbers)
            if (n == wanted)
                return n;
    return numbers.front();
}

} // namespace

void setMessageBoxOwner(QWidget* owner) {
    g_owner = owner;
}

QString buttonCaption(int number, int language) {
    const ButtonCaption& c = ButtonCaptions.at(static_cast<size_t>(number - 1));
    return QString::fromUtf8(language == 0 ? c.zh : c.en);
}

int LocalizedMsgBox(const QString& text, int style, const QString& title,
                    const QStringList& captions) {
    if (hasMessageSink()) {
        sendToMessageSink(text, style);
        return escapeButtonOf(buttonsOf(style));
    }
    QMessageBox box(g_owner);
    box.setWindowTitle(title.isEmpty() ? QString::fromUtf8(ApplicationTitle) : title);
    box.setText(text);
    box.setIcon(iconOf(style));
    if (style & 0x1000) { // system-modal: keep it above everything of ours
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }

    const std::vector<int> numbers = buttonsOf(style);
    std::vector<QPushButton*> buttons;
    for (int n : numbers) {
        const std::size_t at = buttons.size();
        buttons.push_back(box.addButton(at < std::size_t(captions.size())
                                            ? captions[qsizetype(at)]
                                            : buttonCaption(n, UILanguage),
                                        roleOf(n)));
    }

    const size_t defaultPosition = static_cast<size_t>((style >> 8) & 0x3);
    box.setDefaultButton(buttons.at(defaultPosition < buttons.size() ? defaultPosition : 0));
    const int escapeNumber = escapeButtonOf(numbers);
    for (size_t i = 0; i < numbers.size(); ++i)
        if (numbers[i] == escapeNumber)
            box.setEscapeButton(buttons[i]);

    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return numbers[i];
    return escapeNumber;
}

int showMessage(Msg id, const QStringList& arguments) {
    return LocalizedMsgBox(messageText(id, arguments), messageStyle(id), messageTitle(id),
                           messageButtons(id));
}

} // namespace ui
