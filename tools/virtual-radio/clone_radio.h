// The radio's side of the clone protocol: what a TQ-305 answers to each frame
// from the PC, with the faults that tests and demonstrations switch on. It
// decides only; sending, pacing and saving are the caller's.
#pragma once

#include "frame_reader.h"
#include "image/image_layout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace radio {

using ProductName = std::array<std::uint8_t, 6>;
inline constexpr ProductName TQ305 = {'T', 'Q', '-', '3', '0', '5'};

// K counts the block frames (read requests, write blocks) of a transfer from
// 1; a read fault is in the radio's answer to the K-th request.
struct Faults {
    bool silent = false;           // answers nothing at all
    bool lateAck = false;          // lets the first "PROGRAM" of a transfer pass unanswered
    ProductName product = TQ305;   // the name in the ident
    std::uint8_t identHigh = 0;    // the high four bits of ident byte 7
    std::uint8_t identTail = 0xFF; // ident byte 8
    std::optional<int> stallAt;    // the K-th block frame of a transfer and all after go unanswered
    std::optional<int> hangUpAt;   // the K-th block frame of a transfer pulls the cable
    std::optional<int> nakAt;      // the K-th block frame is answered with 0x15 alone
    std::optional<int> corruptBlock; // the K-th block read starts with 0x58, not 'W'
    std::optional<int> shortBlock;   // the K-th block read lacks its last byte
    std::optional<int> longBlock;    // the K-th block read has a byte too many
    std::optional<int> wrongAddress; // the K-th block read is the next block of the map
    std::optional<int> changeBlock;  // the K-th block written is stored with one bit flipped
    bool strayBytes = false;         // noise ahead of the acknowledgements, see Reply
    bool doubleAck = false;          // every 0x06 goes out twice
    bool ackStray = false;           // every 0x06 is followed by the noise bytes
    bool noIdentAck = false;         // the PC's 0x06 after the ident goes unanswered
    bool noEndAck = false;           // "E" goes unanswered
    // The block-frame faults strike only in this transfer of the radio's run
    // (from 1): a write between a backup read and a verify read is the 2nd.
    std::optional<int> inTransfer;
};

// The two noise bytes of strayBytes and ackStray. Written as text they read
// "1065", which holds "06" across the byte boundary although neither byte is
// 0x06.
inline constexpr std::array<std::uint8_t, 2> StrayBytes = {0x10, 0x65};

// Bytes to send in answer to a frame.
struct Reply {
    std::vector<std::uint8_t> bytes;
    // The last `extra` bytes are no part of the answer (a second 0x06, noise,
    // a byte past the block): the PC may go on before they come.
    std::size_t extra = 0;
    // Sent only after the radio's busy pause: with strayBytes the noise goes
    // out at once and the real 0x06 after the pause, so a frame the PC
    // sends on the noise alone comes before the answer and is lost.
    bool afterBusyPause = false;
};

enum class RadioEvent {
    None,
    TransferEnded, // "E" ended a transfer
    HangUp,        // hangUpAt was reached: close the line
};

struct Reaction {
    std::vector<Reply> replies;
    RadioEvent event = RadioEvent::None;
    std::string violation; // how the frame broke the protocol; empty when it did not
};

// A radio follows one transfer at a time through the clone protocol's steps
// and answers only the frame each step expects: anything else is refused
// as a violation, unanswered and with nothing stored.
class CloneRadio {
  public:
    // The band travels in the low four bits of ident byte 7: 0..15.
    CloneRadio(const image::MemoryImage& memory, std::uint8_t band, const Faults& faults,
               bool calibrationMode = false);

    Reaction onFrame(const Frame& frame);

    // Frames a PC may send before the radio has answered the one before:
    // "PROGRAM" again while the handshake is unanswered or just answered
    // (the PC repeats it when the answer was late), and "E" at any point.
    bool mayInterrupt(const Frame& frame) const;

    // Between "PROGRAM" and "E".
    bool inTransfer() const { return m_step != Step::Idle; }
    // Blocks written since the memory was last saved.
    bool hasUnsavedWrites() const { return m_unsaved; }
    void markSaved() { m_unsaved = false; }
    // Off the cable a transfer cannot go on: the radio leaves clone mode,
    // keeping what it stored.
    void takenOff() { m_step = Step::Idle; }

    const image::MemoryImage& memory() const { return m_memory; }
    std::uint8_t band() const { return m_band; }
    std::vector<std::uint8_t> ident() const;

  private:
    enum class Step {
        Idle,       // only "PROGRAM" starts a transfer
        Called,     // "PROGRAM" went unanswered (--late-ack, --silent)
        Greeted,    // "PROGRAM" acknowledged: waits for 0x02
        Identified, // ident sent: waits for the PC's 0x06
        Ready,      // ident exchange done: waits for a block frame
        BlockSent,  // a read block sent: waits for the PC's 0x06
    };
    enum class Direction { Open, Read, Write }; // of the transfer's block frames

    Reaction onProgram(const Frame& frame);
    Reaction onIdentRequest(const Frame& frame);
    Reaction onAcknowledge(const Frame& frame);
    Reaction onBlockFrame(const Frame& frame);
    Reaction onReadRequest(const Frame& request);
    Reaction onWriteBlock(const Frame& block);
    Reaction onEnd();
    Reaction outOfStep(const Frame& frame) const;
    std::string awaited() const;
    bool stalled() const;
    bool faultHere(const std::optional<int>& k) const {
        return k && *k == m_blockFrames && faultyTransfer();
    }
    bool faultyTransfer() const {
        return !m_faults.inTransfer || *m_faults.inTransfer == m_transfers;
    }
    Reaction answer(std::vector<std::uint8_t> bytes, std::size_t extra = 0) const;
    Reaction acknowledge(bool withStrayBytes) const;
    // Moves on to `next` when the radio answered at all.
    Reaction answered(Reaction reaction, Step next);

    image::MemoryImage m_memory;
    std::uint8_t m_band;
    Faults m_faults;
    bool m_calibrationMode;
    Step m_step = Step::Idle;
    Direction m_direction = Direction::Open;
    bool m_unsaved = false;
    int m_transfers = 0;        // begun since the radio started
    int m_blockFrames = 0;      // in this transfer
    bool m_wroteBlocks = false; // in this transfer
    std::size_t m_blockSent = 0;
};

} // namespace radio
