#include "shell/safe_write_flow.h"

#include "editors/band_selection.h"
#include "files/backup_store.h"
#include "link/protocol.h"
#include "platform/history_file.h"
#include "platform/qt_safe_write.h"
#include "platform/serial_port.h"
#include "shell/history_records.h"
#include "shell/main_window.h"
#include "shell/progress_window.h"
#include "shell/settings_store.h"
#include "shell/write_changes_dialog.h"
#include "words/message_box.h"
#include "words/messages.h"
#include "words/program_flags.h"
#include "words/save_failure.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <ctime>

namespace shell {

namespace {

using radiolink::SafeWriteOutcome;
using radiolink::SafeWriteReason;
using radiolink::SafeWriteStage;

ProgressStep stepOf(SafeWriteStage stage) {
    switch (stage) {
    case SafeWriteStage::Backup:
        return ProgressStep::Backup;
    case SafeWriteStage::Verify:
        return ProgressStep::Verify;
    default:
        return ProgressStep::Write;
    }
}

PartialCause causeOf(const radiolink::SafeWriteResult& result) {
    switch (result.reason) {
    case SafeWriteReason::Cancelled:
        return PartialCause::Cancelled;
    case SafeWriteReason::LineLost:
        return PartialCause::Stalled;
    case SafeWriteReason::LinkFailed:
        if (result.failure.reason == radiolink::StallReason::Stalled)
            return PartialCause::Stalled;
        if (result.failure.reason == radiolink::StallReason::Refused)
            return PartialCause::Refused;
        if (result.failure.reason == radiolink::StallReason::UnexpectedAnswer)
            return PartialCause::Unexpected;
        break;
    default:
        break;
    }
    return PartialCause::Other;
}

QString blockList(const std::vector<std::uint16_t>& blocks) {
    QStringList addresses;
    for (std::uint16_t block : blocks)
        addresses << ui::blockAddressText(block);
    return addresses.join(", ");
}

} // namespace

QStringList backupNotKeptTexts(const QString& folder, const files::WriteResult& result) {
    return {ui::shownFileName(folder), ui::systemReason(result.systemError)};
}

bool backupFolderUsable(const QString& folder) {
    const files::WriteResult usable =
        files::BackupStore(QFile::encodeName(folder).toStdString()).checkUsable();
    if (!usable.ok())
        ui::showMessage(ui::Msg::BackupNotSaved, backupNotKeptTexts(folder, usable));
    return usable.ok();
}

void dropLateAnswers(radiolink::SerialPort& port) {
    // Quiet this long, the line has nothing more to say; a chattering one is
    // given up on after the limit.
    constexpr int QuietMs = 150;
    constexpr int LimitMs = 1000;
    port.drainInput(QuietMs, LimitMs);
}

SafeWriteFlow::SafeWriteFlow(MainWindow& window, ProgressWindow& progress,
                             radiolink::SerialPort& port, QString backupsFolder)
    : m_window(window), m_progress(progress), m_port(port),
      m_backupsFolder(std::move(backupsFolder)),
      m_link(std::make_unique<radiolink::QtSafeWrite>(
          port, static_cast<radiolink::SafeWriteView&>(*this))) {}

SafeWriteFlow::~SafeWriteFlow() = default;

bool SafeWriteFlow::running() const {
    return m_link->safeWrite().running();
}

void SafeWriteFlow::start(const WriteOptions& options, int portNumber) {
    if (running())
        return;
    m_window.EncodeImage();
    m_restoring.clear();
    startWith(m_window.TransmitImage, m_window.bandSelection()->bandCode(), options, portNumber);
}

void SafeWriteFlow::startRestore(const image::MemoryImage& backup, int band,
                                 const QString& backupPath, const WriteOptions& options,
                                 int portNumber) {
    if (running())
        return;
    m_restoring = backupPath;
    startWith(backup, band, options, portNumber);
}

void SafeWriteFlow::startWith(const image::MemoryImage& image, int band,
                              const WriteOptions& options, int portNumber) {
    // A folder the backup cannot go to is told before the radio is read.
    if (options.backupFirst && !backupFolderUsable(m_backupsFolder))
        return;
    m_portNumber = portNumber;
    m_backup.reset();
    m_backupPath.clear();
    m_removedBackups.clear();
    // A backup holds no calibration block to write: only the editors do.
    const bool calibration = ui::DebugMode && m_restoring.isEmpty();
    run(Run::Write, image, band,
        {options.backupFirst, options.verifyAfter, {ui::ForceWriteMode, calibration}});
}

void SafeWriteFlow::run(Run what, const image::MemoryImage& image, int band,
                        const radiolink::SafeWriteOptions& options) {
    m_run = what;
    m_image = image;
    m_band = band;
    m_options = options;
    m_shownStage = SafeWriteStage::Idle;
    // Before the first block; a port that is not open reaches no radio.
    m_record = {};
    if (m_port.isOpen())
        m_record = recordWriteStarted(
            m_restoring.isEmpty() ? records::Action::Write : records::Action::Restore, m_portNumber,
            m_port.deviceName(), m_image, m_recordKept, {}, m_restoring);
    m_link->safeWrite().start(
        std::span<const std::uint8_t, image::ImageSize>(m_image.data(), image::ImageSize), band,
        options);
}

void SafeWriteFlow::cancelRequested() {
    radiolink::SafeWrite& safeWrite = m_link->safeWrite();
    if (!safeWrite.running())
        return;
    // Stopping a write leaves the radio with part of the new memory: that is
    // asked first, and nothing is sent while the question is open. Only a
    // lost line can end the write meanwhile; its end is told after the answer.
    if (safeWrite.stage() == SafeWriteStage::Write) {
        m_asking = true;
        safeWrite.hold();
        const bool stop = ui::showMessage(ui::Msg::StopWriteQuestion) == ui::MsgOk;
        m_asking = false;
        if (m_pending) {
            const radiolink::SafeWriteResult result = *m_pending;
            m_pending.reset();
            present(result);
            return;
        }
        if (!stop) {
            safeWrite.release();
            return;
        }
    }
    safeWrite.cancel();
}

void SafeWriteFlow::progressChanged(const radiolink::SafeWriteProgress& progress) {
    if (progress.stage == SafeWriteStage::Confirmation) {
        m_progress.finish();
        m_shownStage = progress.stage;
        return;
    }
    if (progress.stage != m_shownStage) {
        m_shownStage = progress.stage;
        m_progress.begin(stepOf(progress.stage), 0, 100);
    }
    m_progress.setValue(progress.overallPercent);
}

bool SafeWriteFlow::keepBackup(const image::MemoryImage& backup, std::optional<int> radioBand) {
    files::BackupStore store(QFile::encodeName(m_backupsFolder).toStdString());
    radiolink::keepRecordedBackups(store);
    const files::BackupSaved saved =
        store.add(backup, radioBand, files::portLabel(m_portNumber), std::time(nullptr));
    if (!saved.ok()) {
        m_backupNotKept = backupNotKeptTexts(m_backupsFolder, saved.result);
        return false;
    }
    m_backupPath = QFile::decodeName(saved.path.c_str());
    for (const std::string& name : saved.removed)
        m_removedBackups << QFile::decodeName(name.c_str());
    m_backup = backup;
    m_backupBand = radioBand.value_or(m_band);
    return true;
}

void SafeWriteFlow::confirmationNeeded(const radiolink::Confirmation& confirmation) {
    // Writing again or putting the backup back was the user's answer already.
    if (m_run != Run::Write) {
        m_link->safeWrite().confirm(true);
        return;
    }
    askConfirmation(confirmation);
}

void SafeWriteFlow::askConfirmation(const radiolink::Confirmation& confirmation) {
    bool write = true;
    if (confirmation.bandDiffers)
        write = ui::showMessage(ui::Msg::ForceWriteQuestion) == ui::MsgOk;
    if (write && m_backup)
        // The windows stay as they were encoded while the progress window is up.
        write = WriteChangesDialog::confirmWriteChanges(
            &m_window, *m_backup, m_image, ui::UILanguage, m_options.modes.debug,
            m_run == Run::Write ? settings::unwritableValues(m_window.editorValues())
                                : std::vector<settings::UnwritableValue>());
    m_link->safeWrite().confirm(write);
}

bool SafeWriteFlow::confirmForcedWrite() {
    return ui::showMessage(ui::Msg::ForceWriteQuestion) == ui::MsgOk;
}

void SafeWriteFlow::finished(const radiolink::SafeWriteResult& result) {
    // A backup written back is a restore, whether chosen in a window or
    // after a write that stopped part-way.
    if (!m_record.token.empty())
        m_recordKept = recordWriteEnded(m_record, result, m_backupPath) && m_recordKept;
    if (m_asking) {
        m_pending = result;
        return;
    }
    present(result);
}

void SafeWriteFlow::present(const radiolink::SafeWriteResult& result) {
    tell(result);
    // Over unless the user chose to write again: a port lent to a restore goes back.
    if (!running())
        m_window.endLentPort();
}

void SafeWriteFlow::tell(const radiolink::SafeWriteResult& result) {
    m_progress.finish();
    if (result.reason != SafeWriteReason::None)
        dropLateAnswers(m_port);
    switch (result.outcome) {
    case SafeWriteOutcome::Verified:
    case SafeWriteOutcome::Written:
        presentWritten(result);
        break;
    case SafeWriteOutcome::VerifyFailed:
        ui::showMessage(ui::Msg::VerifyFailed, {blockList(result.differingBlocks)});
        break;
    case SafeWriteOutcome::BackupFailed:
        if (result.reason == SafeWriteReason::NotKept)
            ui::showMessage(ui::Msg::BackupNotSaved, m_backupNotKept);
        else
            ui::showMessage(ui::Msg::BackupReadFailed);
        break;
    case SafeWriteOutcome::NothingWritten:
        presentNothingWritten(result);
        break;
    case SafeWriteOutcome::Partial:
        if (!m_recordKept)
            tellRecordsNotKept();
        offerAfterPartial(result);
        return;
    }
    if (!m_recordKept)
        tellRecordsNotKept();
    // Said once the write is over, not in the middle of it.
    if (!m_removedBackups.isEmpty()) {
        ui::showMessage(ui::Msg::OldBackupsRemoved,
                        {QString::number(files::DefaultBackupLimit), m_removedBackups.join('\n')});
        m_removedBackups.clear();
    }
}

void SafeWriteFlow::presentWritten(const radiolink::SafeWriteResult& result) {
    if (result.reason != SafeWriteReason::None) {
        ui::showMessage(ui::Msg::WrittenNotVerified);
        return;
    }
    const bool verified = result.outcome == SafeWriteOutcome::Verified;
    if (!m_restoring.isEmpty())
        ui::showMessage(verified ? ui::Msg::Restored : ui::Msg::RestoredUnverified,
                        {QFileInfo(m_restoring).fileName()});
    else
        ui::showMessage(verified ? ui::Msg::WriteVerified : ui::Msg::WrittenVerifyOff);
}

// A cancel, or No to a question, was the user's own doing: nothing to tell.
void SafeWriteFlow::presentNothingWritten(const radiolink::SafeWriteResult& result) {
    switch (result.reason) {
    case SafeWriteReason::PortInvalid:
        ui::showMessage(ui::Msg::PortInvalid);
        break;
    case SafeWriteReason::LinkFailed:
    case SafeWriteReason::LineLost:
        ui::showMessage(ui::Msg::NothingWrittenLinkError);
        break;
    case SafeWriteReason::BandRefused:
        ui::showMessage(ui::Msg::BandRefused);
        break;
    default:
        break;
    }
}

void SafeWriteFlow::offerAfterPartial(const radiolink::SafeWriteResult& result) {
    namespace protocol = radiolink::protocol;
    const PartialWrite where{result.lastBlockSent.value_or(0), result.blocksSent,
                             protocol::blockCount(protocol::WriteBlocks) +
                                 (m_options.modes.debug ? 1 : 0),
                             causeOf(result)};
    // The window names the backup as the one to restore from: the folder's
    // limit keeps it from now on.
    if (!m_backupPath.isEmpty())
        files::BackupStore(QFile::encodeName(m_backupsFolder).toStdString())
            .pin(QFile::encodeName(m_backupPath).toStdString());
    PartialWriteChoice choice = PartialWriteDialog::ask(&m_window, where, m_backup.has_value());
    // A lost line closed the port: it is opened again as Read and Write open
    // it. While it will not open the radio still holds the mix, so the
    // choice is offered again after the port error.
    while (choice != PartialWriteChoice::Close && !m_window.reopenLostPort())
        choice = PartialWriteDialog::ask(&m_window, where, m_backup.has_value());
    switch (choice) {
    case PartialWriteChoice::WriteAgain: {
        // The same image once more; the backup taken first stays the one to
        // restore from, so no backup of the mix is taken.
        const image::MemoryImage image = m_image;
        run(m_run == Run::Restore ? Run::Restore : Run::WriteAgain, image, m_band,
            {false, m_options.verify, m_options.modes});
        break;
    }
    case PartialWriteChoice::RestoreBackup:
        if (m_backup) {
            m_restoring = m_backupPath;
            run(Run::Restore, *m_backup, m_backupBand, {false, true, {}});
        }
        break;
    case PartialWriteChoice::Close:
        break;
    }
}

} // namespace shell
