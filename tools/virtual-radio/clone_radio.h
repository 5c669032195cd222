// The radio's side of the clone protocol: what a TQ-305 answers to each frame
// from the PC, with the faults that tests and demonstrations switch on. It
// decides only; sending, pacing and saving are the caller's.
#pragma once

#include "frame_reader.h"
#include "image/image_layout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace radio {

using ProductName = std::array<std::uint8_t, 6>;
inline constexpr ProductName TQ305 = {'T', 'Q', '-', '3', '0', '5'};

struct Faults {
    bool silent = false;         // answers nothing at all
    bool lateAck = false;        // lets the first "PROGRAM" of a transfer pass unanswered
    ProductName product = TQ305; // the name in the ident
    std::optional<int> stallAt;  // the K-th block frame of a transfer and all after go unanswered
    std::optional<int> hangUpAt; // the K-th block frame of a transfer pulls the cable
    bool strayBytes = false;     // noise ahead of the acknowledgements, see Reply
};

// The two noise bytes of strayBytes. Written as text they read "1065", which
// holds "06" across the byte boundary although neither byte is 0x06.
inline constexpr std::array<std::uint8_t, 2> StrayBytes = {0x10, 0x65};

// Bytes to send in answer to a frame.
struct Reply {
    std::vector<std::uint8_t> bytes;
    // Sent only after the radio's busy pause, during which it hears nothing:
    // with strayBytes the noise goes out at once and the real 0x06 after
    // the pause, so a frame the PC sends on the noise alone is lost.
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
};

class CloneRadio {
  public:
    // The band travels in the low four bits of ident byte 7: 0..15.
    CloneRadio(const image::MemoryImage& memory, std::uint8_t band, const Faults& faults);

    Reaction onFrame(const Frame& frame);

    // Between an answered "PROGRAM" and "E".
    bool inTransfer() const { return m_inTransfer; }
    // Blocks written since the memory was last saved.
    bool hasUnsavedWrites() const { return m_unsaved; }
    void markSaved() { m_unsaved = false; }

    const image::MemoryImage& memory() const { return m_memory; }
    std::uint8_t band() const { return m_band; }
    std::vector<std::uint8_t> ident() const;

  private:
    Reaction onProgram();
    Reaction onBlockFrame(const Frame& frame);
    Reaction onEnd();
    bool stalled() const;
    Reaction answer(std::vector<std::uint8_t> bytes) const;
    Reaction acknowledge(bool withStrayBytes) const;

    image::MemoryImage m_memory;
    std::uint8_t m_band;
    Faults m_faults;
    bool m_inTransfer = false;
    bool m_unsaved = false;
    int m_handshakesIgnored = 0;
    int m_blockFrames = 0;      // in this transfer
    bool m_wroteBlocks = false; // in this transfer
};

} // namespace radio
