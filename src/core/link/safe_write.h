// A write that keeps what the radio held and checks what arrived: over one
// link engine it reads the radio (the backup), lets the caller confirm with
// the backup in hand, writes, and reads again (the verify), comparing every
// byte written with what came back. Each SafeWrite owns its engine and
// state, so several run side by side in one event loop, one per port.
#pragma once

#include "link/link_engine.h"
#include "link/safe_write_result.h"

#include <optional>
#include <span>
#include <vector>

namespace radiolink {

struct SafeWriteOptions {
    bool backup = true; // read the radio first; its band is checked before anything is written
    bool verify = true; // read the radio again and compare
    // forceWrite: a radio of another band asks (through the confirmation, or
    // the view's question when there is no backup) instead of refusing.
    // debug: the calibration block is written, and verified, too.
    WriteModes modes;
};

// What the caller decides on before the write begins.
struct Confirmation {
    // The radio's memory as the backup read found it, valid until the next
    // start(); none without a backup.
    const image::MemoryImage* backup = nullptr;
    std::optional<int> radioBand; // from the backup's ident
    int fileBand = -1;
    // Only in force mode: the radio is set to another band than the file's.
    bool bandDiffers = false;
};

// The caller's side. Every call comes from inside a SafeWrite call (a start,
// confirm, bytes, a tick, cancel) and returns at once, but for
// confirmForcedWrite, which may wait for the user in a modal box.
class SafeWriteView {
  public:
    virtual ~SafeWriteView() = default;
    virtual void progressChanged(const SafeWriteProgress& progress) = 0;
    // The backup read is complete: keep it (a file in the backup folder).
    // False when it could not be kept: nothing is written then.
    virtual bool keepBackup(const image::MemoryImage& backup, std::optional<int> radioBand) = 0;
    // Answer with SafeWrite::confirm(), at once or later; cancel() also ends
    // the wait.
    virtual void confirmationNeeded(const Confirmation& confirmation) = 0;
    // Without a backup the radio's band shows only in the write itself: in
    // force mode the question is asked there and answered at once.
    virtual bool confirmForcedWrite() = 0;
    virtual void finished(const SafeWriteResult& result) = 0;
};

class SafeWrite : private TransferView {
  public:
    // The engine runs on these; between the backup and the write TimerW also
    // bounds the wait for the radio's answer to "E".
    SafeWrite(Port& port, Timer& timerW, Timer& timerMeg, SafeWriteView& view);

    // Writes `image` (bytes 0..2047) for a radio set to `fileBand`. Ignored
    // while a sequence runs.
    void start(std::span<const std::uint8_t, image::ImageSize> image, int fileBand,
               const SafeWriteOptions& options);
    void confirm(bool write);
    // While the confirmation is asked: the image to write in place of the
    // one start() took, made from what the backup found.
    void replaceImage(std::span<const std::uint8_t, image::ImageSize> image);
    // The user's Cancel or a signal: the running transfer ends with "E".
    void cancel();
    // The line went away: what runs ends as a cancel does, told as LineLost.
    void lineLost();
    // While the caller asks whether to stop, nothing goes to the radio: the
    // ticks are not counted and the bytes that come wait for release(). A
    // cancel or a lost line still ends the transfer.
    void hold();
    void release();
    bool held() const { return m_held; }

    // The port's receive event and the two timers' ticks.
    void bytesReceived(std::span<const std::uint8_t> bytes);
    void timerWTick();
    void timerMegTick();

    bool running() const { return m_stage != SafeWriteStage::Idle; }
    SafeWriteStage stage() const { return m_stage; }
    const LinkEngine& engine() const { return m_engine; }

  private:
    void startStage(SafeWriteStage stage);
    // After every call that may have ended the engine's transfer.
    void settle();
    void transferEnded();
    void backupEnded();
    // The radio's answer to the backup read's "E" is in (or overdue).
    void backupSettled();
    void writeEnded();
    void verifyEnded();
    void askConfirmation();
    void stop(SafeWriteResult result);
    SafeWriteResult resultOf(SafeWriteOutcome outcome, SafeWriteReason reason) const;
    // Why the transfer that just ended did not complete.
    SafeWriteReason endReason() const;
    int overallPercent(int stagePercent) const;
    // The write's own band check: the radio's band, from the ident still in RxHex.
    void takeIdentBand();

    // The engine's view: nothing reaches the windows; the ends are settled
    // once the engine is idle again.
    void commitPendingEntry() override {}
    void showProgress(TransferKind kind, int minimum, int maximum) override;
    void setProgress(int value) override;
    void closeProgress() override {}
    void showMessage(LinkMessage message) override;
    bool confirmForcedWrite() override;
    int selectedBand() const override { return m_fileBand; }
    void selectBandFromRadio(int band) override { m_radioBand = band; }
    void encodeImage() override;
    void decodeImage() override {}

    SafeWriteView& m_view;
    Timer& m_timerW;
    image::MemoryImage m_receiveImage{};
    image::MemoryImage m_transmitImage{};
    LinkEngine m_engine;

    SafeWriteOptions m_options;
    image::MemoryImage m_image{}; // the image to write; 2048 unused
    int m_fileBand = -1;
    SafeWriteStage m_stage = SafeWriteStage::Idle;
    bool m_transferRunning = false;
    std::optional<LinkMessage> m_message;
    std::optional<int> m_radioBand;
    std::optional<image::MemoryImage> m_backup;
    // The band was found to differ and the user chose to write anyway.
    bool m_forceAccepted = false;
    std::optional<SafeWriteReason> m_cancelReason;
    // The backup read is over, its "E" not answered yet: a handshake sent now
    // would take that answer for its own.
    bool m_endPending = false;
    bool m_held = false;
    std::vector<std::uint8_t> m_heldBytes;
    int m_progressMinimum = 0;
    int m_progressMaximum = 1;
    SafeWriteProgress m_shown{SafeWriteStage::Idle, -1, -1};
};

} // namespace radiolink
