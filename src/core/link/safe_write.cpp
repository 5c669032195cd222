#include "link/safe_write.h"

#include "link/protocol.h"
#include "link/receive_text.h"
#include "link/written_blocks.h"

#include <algorithm>
#include <utility>

namespace radiolink {

namespace {

// Bytes each transfer moves on the line, both ways: the weights of the
// stages on the one bar.
constexpr int ReadBytes = 2594;
constexpr int WriteBytes = 2058;

bool holdsAcknowledge(std::span<const std::uint8_t> bytes) {
    return std::ranges::find(bytes, protocol::Acknowledge) != bytes.end();
}

// A radio that never identified itself holds what it held, with or without
// a backup.
bool radioNeverAnswered(const TransferFailure& failure) {
    return failure.reason == StallReason::NoAnswer ||
           failure.reason == StallReason::HandshakeRefused ||
           failure.reason == StallReason::NoIdent || failure.reason == StallReason::WrongProduct;
}

} // namespace

SafeWrite::SafeWrite(Port& port, Timer& timerW, Timer& timerMeg, SafeWriteView& view)
    : m_view(view), m_timerW(timerW),
      m_engine(port, timerW, timerMeg, *this, m_receiveImage, m_transmitImage) {}

void SafeWrite::start(std::span<const std::uint8_t, image::ImageSize> image, int fileBand,
                      const SafeWriteOptions& options) {
    if (running())
        return;
    m_options = options;
    std::ranges::copy(image, m_image.begin());
    m_fileBand = fileBand;
    m_radioBand.reset();
    m_backup.reset();
    m_forceAccepted = false;
    m_cancelReason.reset();
    m_held = false;
    m_heldBytes.clear();
    m_shown = {SafeWriteStage::Idle, -1, -1};
    if (options.backup)
        startStage(SafeWriteStage::Backup);
    else
        askConfirmation();
}

void SafeWrite::replaceImage(std::span<const std::uint8_t, image::ImageSize> image) {
    if (m_stage == SafeWriteStage::Confirmation)
        std::ranges::copy(image, m_image.begin());
}

void SafeWrite::startStage(SafeWriteStage stage) {
    m_stage = stage;
    m_message.reset();
    m_transferRunning = true;
    m_progressMinimum = 0;
    m_progressMaximum = 1;
    setProgress(0);
    if (stage == SafeWriteStage::Write) {
        m_engine.startWrite(m_options.modes);
    } else {
        // Offsets a read does not fetch stay 0xFF, in the backup as in a file read.
        m_receiveImage.fill(0xFF);
        m_engine.startRead();
    }
    settle();
}

void SafeWrite::confirm(bool write) {
    if (m_stage != SafeWriteStage::Confirmation)
        return;
    if (!write) {
        stop(resultOf(SafeWriteOutcome::NothingWritten, SafeWriteReason::Declined));
        return;
    }
    m_forceAccepted = m_radioBand && *m_radioBand != m_fileBand;
    startStage(SafeWriteStage::Write);
}

void SafeWrite::cancel() {
    if (!running())
        return;
    m_held = false;
    m_heldBytes.clear();
    if (m_stage == SafeWriteStage::Confirmation || m_endPending) {
        m_endPending = false;
        m_timerW.stop();
        stop(resultOf(SafeWriteOutcome::NothingWritten,
                      m_cancelReason.value_or(SafeWriteReason::Cancelled)));
        return;
    }
    m_cancelReason = m_cancelReason.value_or(SafeWriteReason::Cancelled);
    m_engine.cancel();
    settle();
}

void SafeWrite::lineLost() {
    if (!running())
        return;
    m_cancelReason = SafeWriteReason::LineLost;
    cancel();
}

void SafeWrite::hold() {
    m_held = running();
}

void SafeWrite::release() {
    if (!m_held)
        return;
    m_held = false;
    const std::vector<std::uint8_t> waiting = std::exchange(m_heldBytes, {});
    if (!waiting.empty())
        bytesReceived(waiting);
}

void SafeWrite::bytesReceived(std::span<const std::uint8_t> bytes) {
    if (m_held) {
        m_heldBytes.insert(m_heldBytes.end(), bytes.begin(), bytes.end());
        return;
    }
    if (m_endPending) {
        if (holdsAcknowledge(bytes))
            backupSettled();
        return;
    }
    m_engine.bytesReceived(bytes);
    settle();
}

void SafeWrite::timerWTick() {
    if (m_held)
        return;
    if (m_endPending) {
        backupSettled();
        return;
    }
    m_engine.timerWTick();
    settle();
}

void SafeWrite::timerMegTick() {
    if (m_held)
        return;
    m_engine.timerMegTick();
    settle();
}

void SafeWrite::settle() {
    if (!m_transferRunning || m_engine.busy())
        return;
    m_transferRunning = false;
    switch (m_stage) {
    case SafeWriteStage::Backup:
        backupEnded();
        break;
    case SafeWriteStage::Write:
        writeEnded();
        break;
    case SafeWriteStage::Verify:
        verifyEnded();
        break;
    case SafeWriteStage::Idle:
    case SafeWriteStage::Confirmation:
        break;
    }
}

void SafeWrite::backupEnded() {
    if (m_message != LinkMessage::ReadSucceeded) {
        const SafeWriteReason reason = endReason();
        const bool broke =
            reason == SafeWriteReason::LinkFailed && !radioNeverAnswered(m_engine.failure());
        stop(resultOf(broke ? SafeWriteOutcome::BackupFailed : SafeWriteOutcome::NothingWritten,
                      reason));
        return;
    }
    m_backup = m_receiveImage;
    m_endPending = true;
    m_timerW.start();
}

void SafeWrite::backupSettled() {
    m_endPending = false;
    m_timerW.stop();
    if (!m_view.keepBackup(*m_backup, m_radioBand)) {
        stop(resultOf(SafeWriteOutcome::BackupFailed, SafeWriteReason::NotKept));
        return;
    }
    if (m_radioBand != m_fileBand && !m_options.modes.forceWrite) {
        stop(resultOf(SafeWriteOutcome::NothingWritten, SafeWriteReason::BandRefused));
        return;
    }
    askConfirmation();
}

void SafeWrite::askConfirmation() {
    m_stage = SafeWriteStage::Confirmation;
    m_view.progressChanged({m_stage, 0, overallPercent(0)});
    Confirmation confirmation;
    confirmation.backup = m_backup ? &*m_backup : nullptr;
    confirmation.radioBand = m_radioBand;
    confirmation.fileBand = m_fileBand;
    confirmation.bandDiffers = m_backup && m_radioBand != m_fileBand;
    // Last: the answer may come at once, from inside this call.
    m_view.confirmationNeeded(confirmation);
}

void SafeWrite::writeEnded() {
    if (m_message == LinkMessage::WriteSucceeded) {
        if (m_options.verify)
            startStage(SafeWriteStage::Verify);
        else
            stop(resultOf(SafeWriteOutcome::Written, SafeWriteReason::None));
        return;
    }
    const SafeWriteReason reason = endReason();
    if (m_engine.blocksSent() == 0) {
        stop(resultOf(SafeWriteOutcome::NothingWritten, reason));
        return;
    }
    // Every block was acknowledged, only the end was not: a read tells
    // whether the radio holds the image.
    const bool everyBlock = reason == SafeWriteReason::LinkFailed &&
                            m_engine.failure().reason == StallReason::AfterLastBlock;
    if (everyBlock && m_options.verify)
        startStage(SafeWriteStage::Verify);
    else
        stop(resultOf(everyBlock ? SafeWriteOutcome::Written : SafeWriteOutcome::Partial, reason));
}

void SafeWrite::verifyEnded() {
    if (m_message != LinkMessage::ReadSucceeded) {
        // What the read took before it broke off is told all the same: a
        // block the radio did not store shows there.
        SafeWriteResult result = resultOf(SafeWriteOutcome::Written, endReason());
        result.blocksReadBack = m_engine.blocksReceived();
        result.differingBlocks = differingBlocks(m_transmitImage, m_receiveImage,
                                                 m_options.modes.debug, result.blocksReadBack);
        stop(std::move(result));
        return;
    }
    SafeWriteResult result = resultOf(SafeWriteOutcome::Verified, SafeWriteReason::None);
    result.blocksReadBack = m_engine.blocksReceived();
    result.differingBlocks =
        differingBlocks(m_transmitImage, m_receiveImage, m_options.modes.debug);
    if (!result.differingBlocks.empty())
        result.outcome = SafeWriteOutcome::VerifyFailed;
    stop(std::move(result));
}

SafeWriteReason SafeWrite::endReason() const {
    if (m_cancelReason)
        return *m_cancelReason;
    switch (m_message.value_or(LinkMessage::WriteSucceeded)) {
    case LinkMessage::PortInvalid:
        return SafeWriteReason::PortInvalid;
    case LinkMessage::BandRefused:
        return SafeWriteReason::BandRefused;
    case LinkMessage::CommunicationError:
        return SafeWriteReason::LinkFailed;
    case LinkMessage::ReadSucceeded:
    case LinkMessage::WriteSucceeded:
        break;
    }
    // The write's own band question answered with Cancel ends without a message.
    return SafeWriteReason::Declined;
}

SafeWriteResult SafeWrite::resultOf(SafeWriteOutcome outcome, SafeWriteReason reason) const {
    SafeWriteResult result;
    result.outcome = outcome;
    result.reason = reason;
    result.stage = m_stage;
    if (reason == SafeWriteReason::LinkFailed)
        result.failure = m_engine.failure();
    if (m_stage == SafeWriteStage::Write || m_stage == SafeWriteStage::Verify) {
        result.blocksSent = m_engine.blocksSent();
        result.lastBlockSent = m_engine.lastBlockSent();
    }
    result.backup = m_backup;
    result.radioBand = m_radioBand;
    return result;
}

void SafeWrite::stop(SafeWriteResult result) {
    m_stage = SafeWriteStage::Idle;
    m_transferRunning = false;
    // Last: the caller may start the next write from inside.
    m_view.finished(result);
}

int SafeWrite::overallPercent(int stagePercent) const {
    const int backup = m_options.backup ? ReadBytes : 0;
    const int verify = m_options.verify ? ReadBytes : 0;
    const int total = backup + WriteBytes + verify;
    int done = 0;
    int weight = 0;
    switch (m_stage) {
    case SafeWriteStage::Backup:
        weight = ReadBytes;
        break;
    case SafeWriteStage::Idle:
    case SafeWriteStage::Confirmation:
        done = backup;
        break;
    case SafeWriteStage::Write:
        done = backup;
        weight = WriteBytes;
        break;
    case SafeWriteStage::Verify:
        done = backup + WriteBytes;
        weight = ReadBytes;
        break;
    }
    return (done * 100 + weight * stagePercent) / total;
}

void SafeWrite::showProgress(TransferKind, int minimum, int maximum) {
    m_progressMinimum = minimum;
    m_progressMaximum = std::max(maximum, minimum + 1);
}

void SafeWrite::setProgress(int value) {
    const int clamped = std::clamp(value, m_progressMinimum, m_progressMaximum);
    const int percent =
        (clamped - m_progressMinimum) * 100 / (m_progressMaximum - m_progressMinimum);
    const SafeWriteProgress progress{m_stage, percent, overallPercent(percent)};
    if (progress.stagePercent == m_shown.stagePercent && progress.stage == m_shown.stage &&
        progress.overallPercent == m_shown.overallPercent)
        return;
    m_shown = progress;
    m_view.progressChanged(progress);
}

void SafeWrite::showMessage(LinkMessage message) {
    m_message = message;
    if (message == LinkMessage::BandRefused)
        takeIdentBand();
}

bool SafeWrite::confirmForcedWrite() {
    takeIdentBand();
    return m_forceAccepted || m_view.confirmForcedWrite();
}

void SafeWrite::takeIdentBand() {
    if (receive_text::isIdent(m_engine.RxHex))
        m_radioBand = receive_text::identBand(m_engine.RxHex);
}

void SafeWrite::encodeImage() {
    m_transmitImage = m_image;
}

} // namespace radiolink
