// Splits the bytes from the PC into clone protocol frames. A frame is known by
// its first byte and has a fixed length, so the 16 data bytes of a write block
// (any values at all) are never taken for frames of their own.
#pragma once

#include <cstdint>
#include <vector>

namespace radio {

enum class FrameKind {
    Program,      // "PROGRAM", the handshake
    IdentRequest, // 0x02
    Acknowledge,  // 0x06
    ReadRequest,  // 'R', address high, address low, length
    WriteBlock,   // 'W', address high, address low, length, 16 data bytes
    End,          // 'E'
    Noise,        // a byte that starts no frame
};

struct Frame {
    FrameKind kind;
    std::vector<std::uint8_t> bytes;
};

inline constexpr std::size_t BlockSize = 16;
inline constexpr std::size_t ReadRequestSize = 4;
inline constexpr std::size_t WriteBlockSize = 4 + BlockSize;

class FrameReader {
  public:
    // Outside a transfer the radio listens for the handshake (and for an
    // "E" that ends a transfer twice) only: every other byte is noise.
    void setHandshakeOnly(bool on) { m_handshakeOnly = on; }
    // Forgets a frame begun, and listens for the handshake only.
    void reset() {
        m_pending.clear();
        m_handshakeOnly = true;
    }

    // The frames this byte completes, in order (none while a frame is
    // still incomplete).
    std::vector<Frame> push(std::uint8_t byte);

  private:
    bool m_handshakeOnly = true;
    std::vector<std::uint8_t> m_pending;
};

} // namespace radio
