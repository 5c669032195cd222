#include "shell/safe_write_flow.h"

#include "editors/band_selection.h"
#include "files/backup_store.h"
#include "link/protocol.h"
#include "link/qt/qt_safe_write.h"
#include "link/qt/serial_port.h"
#include "shell/main_window.h"
#include "shell/progress_window.h"
#include "shell/settings_store.h"
#include "shell/write_changes_dialog.h"
#include "ui/message_box.h"
#include "ui/messages.h"
#include "ui/program_flags.h"
#include "ui/save_failure.h"

#include <QFile>
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
        if (result.failure.reason == radiolink::StallReason::UnexpectedAnswer)
            return PartialCause::Refused;
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
    m_portNumber = portNumber;
    m_backup.reset();
    run(Run::Write, m_window.TransmitImage, m_window.bandSelection()->bandCode(),
        {options.backupFirst, options.verifyAfter, {ui::ForceWriteMode, ui::DebugMode}});
}

void SafeWriteFlow::run(Run what, const image::MemoryImage& image, int band,
                        const radiolink::SafeWriteOptions& options) {
    m_run = what;
    m_image = image;
    m_band = band;
    m_options = options;
    m_shownStage = SafeWriteStage::Idle;
    m_link->safeWrite().start(
        std::span<const std::uint8_t, image::ImageSize>(m_image.data(), image::ImageSize), band,
        options);
}

void SafeWriteFlow::cancelRequested() {
    radiolink::SafeWrite& safeWrite = m_link->safeWrite();
    if (!safeWrite.running())
        return;
    // Stopping a write leaves the radio with part of the new memory: that is
    // asked first. The write goes on meanwhile, and may end by itself.
    if (safeWrite.stage() == SafeWriteStage::Write) {
        m_asking = true;
        const bool stop = ui::showMessage(ui::Msg::StopWriteQuestion) == ui::MsgOk;
        m_asking = false;
        if (m_pending) {
            const radiolink::SafeWriteResult result = *m_pending;
            m_pending.reset();
            present(result);
            return;
        }
        // The write the question was about may be over by now: a verify read
        // that follows it is not stopped for it.
        if (!stop || safeWrite.stage() != SafeWriteStage::Write)
            return;
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
    const files::BackupSaved saved =
        store.add(backup, radioBand, files::portLabel(m_portNumber), std::time(nullptr));
    if (!saved.ok()) {
        m_backupNotKept = {ui::shownFileName(m_backupsFolder),
                           ui::systemReason(saved.result.systemError)};
        return false;
    }
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
    if (m_asking) {
        m_pending = result;
        return;
    }
    present(result);
}

void SafeWriteFlow::present(const radiolink::SafeWriteResult& result) {
    m_progress.finish();
    if (result.reason != SafeWriteReason::None)
        dropLateAnswers(m_port);
    switch (result.outcome) {
    case SafeWriteOutcome::Verified:
        ui::showMessage(ui::Msg::WriteVerified);
        break;
    case SafeWriteOutcome::Written:
        ui::showMessage(result.reason == SafeWriteReason::None ? ui::Msg::WriteSucceeded
                                                               : ui::Msg::WrittenNotVerified);
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
        offerAfterPartial(result);
        break;
    }
}

// A cancel, or No to a question, was the user's own doing: nothing to tell.
void SafeWriteFlow::presentNothingWritten(const radiolink::SafeWriteResult& result) {
    switch (result.reason) {
    case SafeWriteReason::PortInvalid:
        ui::showMessage(ui::Msg::PortInvalid);
        break;
    case SafeWriteReason::LinkFailed:
    case SafeWriteReason::LineLost:
        ui::showMessage(ui::Msg::CommunicationError);
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
    switch (PartialWriteDialog::ask(&m_window, where, m_backup.has_value())) {
    case PartialWriteChoice::WriteAgain: {
        // The same image once more; the backup taken first stays the one to
        // restore from, so no backup of the mix is taken.
        const image::MemoryImage image = m_image;
        run(m_run == Run::Restore ? Run::Restore : Run::WriteAgain, image, m_band,
            {false, m_options.verify, m_options.modes});
        break;
    }
    case PartialWriteChoice::RestoreBackup:
        if (m_backup)
            run(Run::Restore, *m_backup, m_backupBand, {false, true, {}});
        break;
    case PartialWriteChoice::Close:
        break;
    }
}

} // namespace shell
