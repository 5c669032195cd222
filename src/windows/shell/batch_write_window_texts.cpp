#include "files/backup_store.h"
#include "shell/batch_write_window.h"
#include "words/messages.h"
#include "words/program_flags.h"

namespace shell {

namespace {

using enum ui::TextTarget;
using radiolink::SafeWriteOutcome;
using radiolink::SafeWriteReason;
using radiolink::SafeWriteStage;

constexpr ui::LanguageRow BatchWriteWindowRows[] = {
    {"FrmBatchWrite", "", Caption, 0, "批量写频", "Batch Write"},
    {"FrmBatchWrite", "Label1", Caption, 0, "勾选要写入的串口，每个串口连接一台对讲机：",
     "Check the ports to write to, one radio on each:"},
    {"FrmBatchWrite", "LabelValues", Caption, 0, "每台的数值(&V)：", "&Values for each radio:"},
    {"FrmBatchWrite", "ComboSettings", ListEntry, 0, "添加设置……", "Add a setting..."},
    {"FrmBatchWrite", "Grid1", HeaderCell, 0, "串口", "Port"},
    {"FrmBatchWrite", "Grid1", HeaderCell, 1, "频段", "Band"},
    {"FrmBatchWrite", "Grid1", HeaderCell, 2, "进度", "Progress"},
    {"FrmBatchWrite", "Grid1", HeaderCell, 3, "结果", "Result"},
    {"FrmBatchWrite", "Grid1", HeaderCell, 4, "用时", "Time"},
    {"FrmBatchWrite", "Grid1", HeaderCell, 5, "设备", "Device"},
    {"FrmBatchWrite", "WriteButton", Caption, 0, "写频(&W)", "Write(&W)"},
    {"FrmBatchWrite", "NextButton", Caption, 0, "写下一批对讲机(&N)", "Program the next radios"},
    {"FrmBatchWrite", "RetryButton", Caption, 0, "重写失败的对讲机(&R)",
     "Write the failed radios again(&R)"},
    {"FrmBatchWrite", "CancelButton", Caption, 0, "取消", "Cancel"},
    {"FrmBatchWrite", "CloseButton", Caption, 0, "关闭(&C)", "Close(&C)"},
};

QString tr(const char* zh, const char* en) {
    return QString::fromUtf8(ui::isChinese() ? zh : en);
}

QString runningText(SafeWriteStage stage) {
    switch (stage) {
    case SafeWriteStage::Backup:
        return tr("正在备份……", "backing up…");
    case SafeWriteStage::Write:
        return tr("正在写入……", "writing…");
    case SafeWriteStage::Verify:
        return tr("正在校验……", "verifying…");
    default:
        return tr("正在连接……", "starting…");
    }
}

QString nothingWrittenText(const radiolink::SafeWriteResult& result) {
    switch (result.reason) {
    case SafeWriteReason::BandRefused:
        return tr("拒绝：频段不符", "refused: band mismatch");
    case SafeWriteReason::Cancelled:
        return tr("已取消，未写入", "cancelled, nothing written");
    case SafeWriteReason::LineLost:
        return tr("连线断开，未写入", "line lost, nothing written");
    default:
        return tr("通信出错，未写入", "communication error, nothing written");
    }
}

QString endedText(const radiolink::SafeWriteResult& result) {
    switch (result.outcome) {
    case SafeWriteOutcome::Verified:
        return tr("已校验", "verified");
    case SafeWriteOutcome::Written:
        return result.reason == SafeWriteReason::None
                   ? tr("已写入，未校验", "written, not verified")
                   : tr("已写入，校验读取失败", "written, verify read failed");
    case SafeWriteOutcome::VerifyFailed: {
        QStringList blocks;
        for (std::uint16_t block : result.differingBlocks)
            blocks << ui::blockAddressText(block);
        return tr("校验失败：", "verify failed: ") + blocks.join(", ");
    }
    case SafeWriteOutcome::Partial:
        return tr("部分写入（新旧混合）：到 ", "PARTIAL (a mix of old and new) at block ") +
               ui::blockAddressText(result.lastBlockSent.value_or(0));
    case SafeWriteOutcome::BackupFailed:
        return tr("备份失败，未写入", "nothing written: backup failed");
    case SafeWriteOutcome::NothingWritten:
        return nothingWrittenText(result);
    }
    return {};
}

} // namespace

const ui::LanguageTable BatchWriteWindowTexts{BatchWriteWindowRows};

QString batchStatusText(const BatchRadio& radio) {
    if (!radio.portError().isEmpty())
        return tr("串口无法打开：", "port not opened: ") + radio.portError();
    if (radio.result())
        return endedText(*radio.result());
    return runningText(radio.progress().stage);
}

QString batchSummaryText(int verified, int radios) {
    return ui::isChinese() ? QString("%1 台中 %2 台已校验").arg(radios).arg(verified)
                           : QString("%1 of %2 radios verified").arg(verified).arg(radios);
}

QString batchRemovedBackupsText(int removed) {
    return ui::isChinese()
               ? QString("备份文件夹最多保留 %1 个备份：已删除 %2 个较早的备份")
                     .arg(files::DefaultBackupLimit)
                     .arg(removed)
               : QString("the backup folder keeps %1 backups: %2 older ones were removed")
                     .arg(files::DefaultBackupLimit)
                     .arg(removed);
}

QString batchTimeText(qint64 milliseconds) {
    return QString::number(double(milliseconds) / 1000.0, 'f', 1) + tr(" 秒", " s");
}

} // namespace shell
