#include "frame_reader.h"

#include <algorithm>
#include <string_view>

namespace radio {

namespace {

constexpr std::string_view Handshake = "PROGRAM";

// The length of the frame a byte starts; 0 for a byte that starts none.
std::size_t frameLength(std::uint8_t first) {
    switch (first) {
    case 'P':
        return Handshake.size();
    case 0x02:
    case 0x06:
    case 'E':
        return 1;
    case 'R':
        return ReadRequestSize;
    case 'W':
        return WriteBlockSize;
    default:
        return 0;
    }
}

FrameKind kindOf(std::uint8_t first) {
    switch (first) {
    case 'P':
        return FrameKind::Program;
    case 0x02:
        return FrameKind::IdentRequest;
    case 0x06:
        return FrameKind::Acknowledge;
    case 'R':
        return FrameKind::ReadRequest;
    case 'W':
        return FrameKind::WriteBlock;
    case 'E':
        return FrameKind::End;
    default:
        return FrameKind::Noise;
    }
}

bool startsHandshake(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() <= Handshake.size() &&
           std::equal(bytes.begin(), bytes.end(), Handshake.begin());
}

} // namespace

std::vector<Frame> FrameReader::push(std::uint8_t byte) {
    std::vector<Frame> frames;
    m_pending.push_back(byte);
    while (!m_pending.empty()) {
        const std::uint8_t first = m_pending.front();
        const bool listened = !m_handshakeOnly || first == 'P' || first == 'E';
        const std::size_t length = listened ? frameLength(first) : 0;
        // A broken "PROGRAM" gives up its first byte and the rest is read again.
        if (length == 0 || (first == 'P' && !startsHandshake(m_pending))) {
            frames.push_back({FrameKind::Noise, {first}});
            m_pending.erase(m_pending.begin());
            continue;
        }
        if (m_pending.size() < length)
            break;
        frames.push_back({kindOf(first), m_pending});
        m_pending.clear();
    }
    return frames;
}

} // namespace radio
