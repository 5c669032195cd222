#include "shell/messages.h"

#include "shell/message_box.h"
#include "shell/program_flags.h"

#include <QString>
#include <array>

namespace shell {

namespace {

struct MessageRow {
    Msg id;
    int style;
    const char* zhTitle;
    const char* zhText;
    const char* enTitle;
    const char* enText;
};

constexpr std::array MessageTable{
    MessageRow{Msg::QuitConfirm, MsgStyle::OkCancelQuestion, "注意",
               "确定退出本程序？\r\n未保存的更改将全部丢失！", "Be careful",
               "Confirm that withdraws from a procedure?\r\nLose all in change not kept!"},
    MessageRow{Msg::BandChangeConfirm, MsgStyle::OkCancelQuestion, "注意！",
               "改变频段将清除频道列表，确定吗？", "Be careful!",
               "Changing the frequency band will remove the channel tabulation, confirm?"},
    // No title: the box shows the program's title.
    MessageRow{Msg::BeyondBand, MsgStyle::Ok, "", "超出频段范围", "",
               "Beyond the scope of frequency band"},
};

const MessageRow& rowOf(Msg id) {
    for (const MessageRow& row : MessageTable)
        if (row.id == id)
            return row;
    return MessageTable.front();
}

} // namespace

int showMessage(Msg id) {
    const MessageRow& row = rowOf(id);
    const bool zh = isChinese();
    return LocalizedMsgBox(QString::fromUtf8(zh ? row.zhText : row.enText), row.style,
                           QString::fromUtf8(zh ? row.zhTitle : row.enTitle));
}

} // namespace shell
