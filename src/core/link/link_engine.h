// The clone protocol's two transfers, reading the radio's memory and writing
// it back, as one state machine. It is driven by three calls (bytes
// received, a TimerW tick, a TimerMeg tick) and acts only through the small
// interfaces below, so the windows, the command line and the tests each give
// it their own port, timers and view.
#pragma once

#include "image/image_layout.h"
#include "link/transfer_failure.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace radiolink {

// What a transfer needs of the serial port.
class Port {
  public:
    virtual ~Port() = default;
    virtual bool isOpen() const = 0;
    // All bytes at once.
    virtual void send(std::span<const std::uint8_t> bytes) = 0;
    // The number of waiting bytes (1 or 20) that raises a receive event.
    virtual void setReceiveThreshold(int bytes) = 0;
    // The bytes waiting below the threshold, which raised no receive event:
    // asked for when a transfer gives up, to tell what the radio last said.
    virtual std::vector<std::uint8_t> takeWaiting() = 0;
};

// TimerW (watchdog) or TimerMeg (handshake repeat): 500 ms ticks while running.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
};

enum class TransferKind { Read, Write };

// The messages a transfer shows; the view turns them into localized texts.
enum class LinkMessage {
    PortInvalid,        // the port is not open; nothing was sent
    ReadSucceeded,      // shown before the image is decoded
    WriteSucceeded,     //
    CommunicationError, // the watchdog ended a silent transfer
    BandRefused,        // the radio's band is not the chosen one; only "E" was sent
};

// The windows' side of a transfer. Every call returns at once except the
// message and the question, which may wait for the user (a modal box keeps
// delivering receive events and ticks meanwhile).
class TransferView {
  public:
    virtual ~TransferView() = default;
    // Text1_LostFocus of the channel table when its entry box is visible.
    virtual void commitPendingEntry() = 0;
    // FrmWriting: its texts for the kind, the bar's range, shown modally.
    virtual void showProgress(TransferKind kind, int minimum, int maximum) = 0;
    // A value above the maximum leaves the bar as it was.
    virtual void setProgress(int value) = 0;
    virtual void closeProgress() = 0;
    virtual void showMessage(LinkMessage message) = 0;
    // The ForceWriteMode question; true for OK.
    virtual bool confirmForcedWrite() = 0;
    // The band list's selection index, for the write's band check.
    virtual int selectedBand() const = 0;
    // The band from the radio's ident, without a question, once a read has
    // succeeded (just before its message); a code the band list lacks (8 to
    // 15) changes nothing.
    virtual void selectBandFromRadio(int band) = 0;
    // EncodeImage: fills TransmitImage from the editors.
    virtual void encodeImage() = 0;
    // DecodeImage: shows ReceiveImage in the editors.
    virtual void decodeImage() = 0;
};

// The modes a write runs in (the hidden service modes of the main window).
struct WriteModes {
    bool forceWrite = false; // ForceWriteMode: a band mismatch asks instead of refusing
    bool debug = false;      // DebugMode: the calibration block 0x7F0 is written too
};

class LinkEngine {
  public:
    LinkEngine(Port& port, Timer& timerW, Timer& timerMeg, TransferView& view,
               image::MemoryImage& receiveImage, image::MemoryImage& transmitImage);

    // MNRead / MNWrite. With the port closed only PortInvalid is shown: nothing
    // is sent or encoded. A start while a transfer runs is ignored.
    void startRead();
    void startWrite(WriteModes modes);

    // The port's receive event: the bytes are appended to RxHex, then the
    // write step runs if Writing, then the read step if Reading. No bytes,
    // no event: nothing happens; bytes while no transfer runs are dropped,
    // and each transfer starts with an empty RxHex.
    void bytesReceived(std::span<const std::uint8_t> bytes);
    void timerWTick();
    void timerMegTick();

    // Ends the running transfer from our side (the user's Cancel, a signal,
    // a lost line): "E" goes to the radio, both timers stop and the progress
    // closes; nothing is decoded and no message is shown. failure() then says
    // Cancelled. Nothing happens while no transfer runs.
    void cancel();

    bool busy() const { return Reading || Writing; }
    // Set when a transfer ends with the communication error or is cancelled,
    // until the next start.
    const TransferFailure& failure() const { return m_failure; }
    // Block frames the current (or last) write sent, the calibration block
    // included, and the address of the last of them: a write that stops with
    // blocksSent() above 0 has left the radio with part of the new image.
    int blocksSent() const { return m_blocksSent; }
    std::optional<std::uint16_t> lastBlockSent() const { return m_lastBlockSent; }
    // Blocks the current (or last) read took whole, the first of its map:
    // what a read that broke off holds of the radio.
    int blocksReceived() const;

    // The transfer state, named as the program has always named it.
    bool Reading = false;
    bool Writing = false;
    int ReadStage = 1;
    int WriteStage = 1;
    std::string RxHex;
    int IdleTicks = 0;
    bool RadioAnswered = false;
    int HandshakeTicks = 0;

  private:
    // Start steps both transfers share, up to the handshake; false when the
    // transfer does not start.
    bool beginTransfer(bool& running, int& stage);
    void sendByte(std::uint8_t byte);
    // The watchdog's end, and the end for a fault seen at once.
    void abortTransfer();
    void failTransfer(const TransferFailure& failure);
    // Sends "E" and stops the transfer, recording why; the view is told nothing.
    void endTransfer(const TransferFailure& failure);
    TransferFailure stalledWhere() const;
    TransferFailure stalledInRead() const;
    TransferFailure stalledInWrite() const;
    StallReason stalledOrAnswered() const;

    // The read transfer (read_transfer.cpp).
    void readStep();
    void readIdentStep();
    void readBlockStep();
    std::uint16_t requestedAddress() const;
    void takeBlock();
    void storeBlock(std::uint16_t address);
    void acknowledgeBlock();
    void requestNextBlock();
    void finishRead();

    // The write transfer (write_transfer.cpp).
    void writeStep();
    void advanceWrite();
    void checkBand();
    void acceptBand();
    void refuseBand();
    void cancelForcedWrite();
    void sendBlock(std::uint16_t address);
    void finishWrite();

    Port& m_port;
    Timer& m_timerW;
    Timer& m_timerMeg;
    TransferView& m_view;
    image::MemoryImage& m_receiveImage;
    image::MemoryImage& m_transmitImage;
    WriteModes m_modes;
    TransferFailure m_failure;
    // The band of the ident a read took; applied only once the read succeeds,
    // so a failed read leaves the band list as it was. None before an ident.
    std::optional<int> m_radioBand;
    // The read stage's block was stored and acknowledged.
    bool m_blockTaken = false;
    int m_blocksSent = 0;
    std::optional<std::uint16_t> m_lastBlockSent;
};

} // namespace radiolink
