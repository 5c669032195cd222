#include "words/messages.h"

#include "words/message_box.h"
#include "words/program_flags.h"

#include <QString>
#include <array>

namespace ui {

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
    MessageRow{Msg::NewConfirm, MsgStyle::OkCancelQuestion, "注意",
               "未保存的数据将会丢失，确定吗？", "Attention", "Unsaved data will be lost, sure?"},
    MessageRow{Msg::WrongFileType, MsgStyle::OkStop, "错误", "文件类型不正确！", "Mistake",
               "File type is incorrect!"},
    MessageRow{Msg::FileNotRead, MsgStyle::OkStop, "错误", "无法读取文件：\n%1\n%2", "Mistake",
               "The file cannot be read:\n%1\n%2"},
    MessageRow{Msg::FileNotSaved, MsgStyle::OkStop, "错误",
               "无法保存文件：\n%1\n%2\n原有文件未被改动。", "Mistake",
               "The file cannot be saved:\n%1\n%2\nThe existing file was left unchanged."},
    MessageRow{Msg::FileNotReadNotRegular, MsgStyle::OkStop, "错误",
               "无法读取文件：\n%1\n不是普通文件", "Mistake",
               "The file cannot be read:\n%1\nNot a regular file"},
    MessageRow{Msg::FileNotSavedNotRegular, MsgStyle::OkStop, "错误",
               "无法保存文件：\n%1\n不是普通文件\n原有文件未被改动。", "Mistake",
               "The file cannot be saved:\n%1\nNot a regular file\nThe existing file was left "
               "unchanged."},
    MessageRow{Msg::PortInvalid, MsgStyle::Ok, "", "串行端口无效", "",
               "The serial port is invalid"},
    MessageRow{Msg::ReadSucceeded, MsgStyle::OkInformation, "提示", "读频成功！", "Suggestion",
               "Reading succeeds frequently!"},
    MessageRow{Msg::WriteSucceeded, MsgStyle::OkInformation, "提示", "写频成功！", "Suggestion",
               "Writing succeeds frequently!"},
    MessageRow{Msg::CommunicationError, MsgStyle::OkStop, "错误",
               "通信出错，请检查对讲机，连线及串口选择！", "Mistake",
               "Communication error, check the line and the serial connection selection!"},
    MessageRow{Msg::NothingWrittenLinkError, MsgStyle::OkStop, "错误",
               "写频前通信出错，未写入任何数据！\n请检查对讲机，连线及串口选择。", "Mistake",
               "Communication error before writing: nothing was written!\nCheck the line and the "
               "serial connection selection."},
    MessageRow{Msg::BandRefused, MsgStyle::OkExclamation, "错误", "频段不符，不能写入！", "Mistake",
               "The frequency band is not accorded with, can't write into!"},
    MessageRow{Msg::ForceWriteQuestion, MsgStyle::OkCancelQuestion, "注意",
               "频段不符，是否强制写入？", "Be careful",
               "The frequency band is not accorded with, whether write into by force?"},
    // The fixed sentence follows the port number directly; the line below it
    // names the device and the cause.
    MessageRow{Msg::PortError, MsgStyle::OkExclamation, "错误",
               "串行端口%1无效或已被其它程序使用，请选择其他串口或关闭其程序.\n%2", "Mistake",
               "Serial port%1Invalid or has already been used by other procedures, please choose "
               "other bunches of mouths or close its procedure.\n%2"},
    MessageRow{Msg::PortBindingFailed, MsgStyle::OkExclamation, "错误",
               "端口%1的绑定未被更改。\n%2", "Mistake",
               "The binding of port %1 was not changed.\n%2"},
    MessageRow{Msg::PasteNotChannels, MsgStyle::OkExclamation, "注意",
               "剪贴板中没有可粘贴的信道。\n需要带标题行的CSV文本（Location,Name,Frequency,…）。",
               "Attention",
               "The clipboard holds no channels to paste.\nCSV text with its header row "
               "(Location,Name,Frequency,...) is needed."},
    MessageRow{Msg::InsertNoRoom, MsgStyle::OkExclamation, "注意",
               "信道99已被占用，无法插入信道。\n请先删除或移动信道99。", "Attention",
               "Channel 99 is in use, so no channel can be inserted.\nDelete or move channel 99 "
               "first."},
    MessageRow{Msg::CsvNotUsable, MsgStyle::OkStop, "错误",
               "无法导入文件：\n%1\n文件中没有含 Location 和 Frequency 两列的 CSV 表头：%2。",
               "Mistake",
               "The file cannot be imported:\n%1\nIt has no CSV header with the Location and "
               "Frequency columns: %2."},
    MessageRow{Msg::CsvTooLarge, MsgStyle::OkStop, "错误",
               "无法导入文件：\n%1\n文件大于 %2 KB，不是信道列表。", "Mistake",
               "The file cannot be imported:\n%1\nIt is larger than %2 KB, too large for a "
               "channel list."},
    MessageRow{Msg::WriteVerified, MsgStyle::OkInformation, "提示", "写频成功，校验无误！",
               "Suggestion", "Writing succeeds, and the radio was verified!"},
    MessageRow{Msg::WrittenNotVerified, MsgStyle::OkExclamation, "注意",
               "写频已完成，但读回校验未能完成，对讲机的数据未经校验。", "Be careful",
               "The radio was written, but reading it back to verify it did not complete: what "
               "the radio holds was not verified."},
    MessageRow{Msg::WrittenVerifyOff, MsgStyle::OkInformation, "提示",
               "写频成功：已写入，未校验（写频后校验已关闭）。", "Suggestion",
               "Writing succeeds: written, not verified (Verify after Writing is off)."},
    MessageRow{Msg::Restored, MsgStyle::OkInformation, "提示", "已用备份 %1 恢复对讲机，校验无误！",
               "Suggestion", "The radio was restored from the backup %1, and verified!"},
    MessageRow{Msg::RestoredUnverified, MsgStyle::OkInformation, "提示",
               "已用备份 %1 恢复对讲机：已写入，未校验。", "Suggestion",
               "The radio was restored from the backup %1: written, not verified."},
    MessageRow{Msg::OldBackupsRemoved, MsgStyle::OkInformation, "提示",
               "备份文件夹最多保留 %1 个备份，已删除以下较早的备份：\n%2", "Suggestion",
               "The backup folder keeps %1 backups; these older ones were removed:\n%2"},
    MessageRow{Msg::DeleteBackupQuery, MsgStyle::OkCancelQuestion, "注意", "删除备份 %1 吗？",
               "Be careful", "Delete the backup %1?"},
    MessageRow{Msg::BackupNotDeleted, MsgStyle::OkStop, "错误", "无法删除备份：\n%1\n%2", "Mistake",
               "The backup cannot be deleted:\n%1\n%2"},
    MessageRow{
        Msg::DeleteKeptQuery, MsgStyle::OkCancelQuestion, "注意",
        "删除备份 %1 吗？\n写频记录中的对讲机记录保留着此备份，删除后该记录将显示备份已不存在。",
        "Be careful",
        "Delete the backup %1?\nThe history keeps it as the backup of a radio programmed: "
        "that record will then show its backup as missing."},
    MessageRow{Msg::DeleteRecordsQuery, MsgStyle::OkCancelQuestion, "注意",
               "从写频记录中删除选中的 %1 "
               "条记录吗？\n它们的备份将不再被保留，可能随较早的备份一起被删除。",
               "Be careful",
               "Delete the %1 chosen records from the history?\nTheir backups are then no longer "
               "kept, and may go with the older backups."},
    MessageRow{Msg::RecordsNotDeleted, MsgStyle::OkStop, "错误", "无法修改写频记录：\n%1",
               "Mistake", "The history cannot be changed:\n%1"},
    MessageRow{Msg::VerifyFailed, MsgStyle::OkStop, "错误",
               "写频校验失败！对讲机中以下数据块与写入的不同：\n%1", "Mistake",
               "Writing verification failed! The radio holds other bytes than were written in "
               "the blocks at:\n%1"},
    MessageRow{Msg::BackupReadFailed, MsgStyle::OkStop, "错误",
               "写频前读取对讲机备份时通信出错，未写入任何数据！\n请检查对讲机，连线及串口选择。",
               "Mistake",
               "Communication error while reading the radio's backup before writing: nothing was "
               "written!\nCheck the line and the serial connection selection."},
    MessageRow{Msg::BackupNotSaved, MsgStyle::OkStop, "错误",
               "无法保存对讲机的备份：\n%1\n%2\n未写入任何数据。", "Mistake",
               "The radio's backup cannot be saved:\n%1\n%2\nNothing was written."},
    MessageRow{Msg::StopWriteQuestion, MsgStyle::OkCancelQuestion, "注意",
               "现在停止写频吗？\n对讲机中将是新旧混合的数据。", "Be careful",
               "Stop writing now?\nThe radio will hold a mix of old and new memory."},
    MessageRow{Msg::StopBatchQuestion, MsgStyle::OkCancelQuestion, "注意",
               "现在停止全部写频吗？\n正在写入的对讲机中将是新旧混合的数据。", "Be careful",
               "Stop every write now?\nA radio being written will hold a mix of old and new "
               "memory."},
    MessageRow{Msg::PartialWrite, MsgStyle::OkExclamation, "错误",
               "写频中断：%4\n对讲机中现在是新旧混合的数据。\n写入到地址 %1 的数据块（第 %2 "
               "块，共 %3 块）。",
               "Mistake",
               "The write stopped: %4\nThe radio now holds a mix of old and new memory.\nIt "
               "reached the block at %1 (block %2 of %3)."},
    MessageRow{Msg::PrintFontMissing, MsgStyle::OkStop, "错误",
               "没有已安装的字体能显示打印内容中的这些字符：\n%1\n请安装中文字体（如 "
               "fonts-wqy-microhei）后再打印。",
               "Mistake",
               "No installed font can show these characters of the printout:\n%1\nInstall a "
               "Chinese font (such as fonts-wqy-microhei) and print again."},
    MessageRow{Msg::YamlNotUsable, MsgStyle::OkStop, "错误", "无法导入文件，未作任何改动：\n%1\n%2",
               "Mistake", "The file cannot be imported; nothing was changed:\n%1\n%2"},
    MessageRow{Msg::YamlTooLarge, MsgStyle::OkStop, "错误",
               "无法导入文件：\n%1\n文件大于 %2 KB，不是对讲机的 YAML 文件。", "Mistake",
               "The file cannot be imported:\n%1\nIt is larger than %2 KB, too large for a "
               "radio's YAML file."},
    MessageRow{Msg::ExportNotes, MsgStyle::OkExclamation, "注意",
               "文件已导出：\n%1\n但以下值无法按窗口显示的原样保存：\n%2", "Be careful",
               "The file was exported:\n%1\nbut it cannot carry these values as the windows "
               "show them:\n%2"},
    MessageRow{Msg::RecordNotKept, MsgStyle::OkExclamation, "错误",
               "对讲机已写频，但写频记录无法保存（数据库及其旁的待存文件均无法写入）：\n%1\n"
               "请记下本次写频的对讲机及其数值。",
               "Mistake",
               "The radio was programmed, but its record could be kept neither in the history "
               "nor in the file beside it:\n%1\nNote down the radios and their values by hand."},
    MessageRow{Msg::ValueGivenBefore, MsgStyle::OkCancelQuestion, "注意",
               "写频记录显示 %1 已于 %3 写入 %2（%4）。\n仍要再次写入此数值吗？", "Be careful",
               "The history says %1 was given to %2 on %3 (%4).\nGive this value again?"},
};

// Questions whose OK and Cancel would not say which way they go.
struct ButtonRow {
    Msg id;
    std::array<const char*, 2> zh; // by button: OK's, then Cancel's
    std::array<const char*, 2> en;
};

constexpr std::array ButtonTable{
    ButtonRow{Msg::StopWriteQuestion, {"停止写频", "继续写频"}, {"Stop Writing", "Go On Writing"}},
    ButtonRow{Msg::StopBatchQuestion, {"全部停止", "继续写频"}, {"Stop All", "Go On Writing"}},
};

const MessageRow& rowOf(Msg id) {
    for (const MessageRow& row : MessageTable)
        if (row.id == id)
            return row;
    return MessageTable.front();
}

// A sink's line is read in a terminal or a log: always English.
bool inChinese() {
    return isChinese() && !hasMessageSink();
}

} // namespace

QStringList messageButtons(Msg id) {
    QStringList captions;
    for (const ButtonRow& row : ButtonTable)
        if (row.id == id)
            for (const char* caption : inChinese() ? row.zh : row.en)
                captions << QString::fromUtf8(caption);
    return captions;
}

QString messageText(Msg id, const QStringList& arguments) {
    const MessageRow& row = rowOf(id);
    QString text = QString::fromUtf8(inChinese() ? row.zhText : row.enText);
    // All at once, so that a %n inside an argument (a file name) stays as it is.
    switch (arguments.size()) {
    case 0:
        break;
    case 1:
        text = text.arg(arguments[0]);
        break;
    case 2:
        text = text.arg(arguments[0], arguments[1]);
        break;
    case 3:
        text = text.arg(arguments[0], arguments[1], arguments[2]);
        break;
    default:
        text = text.arg(arguments[0], arguments[1], arguments[2], arguments[3]);
        break;
    }
    return text.trimmed();
}

QString messageTitle(Msg id) {
    const MessageRow& row = rowOf(id);
    return QString::fromUtf8(inChinese() ? row.zhTitle : row.enTitle);
}

QString blockAddressText(int address) {
    return "0x" + QString("%1").arg(address, 3, 16, QChar('0')).toUpper();
}

int messageStyle(Msg id) {
    return rowOf(id).style;
}

} // namespace ui
