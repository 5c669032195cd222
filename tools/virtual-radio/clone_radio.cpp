#include "clone_radio.h"

#include <algorithm>

namespace radio {

namespace {

constexpr std::uint8_t Ack = 0x06;
constexpr std::uint8_t BlockLength = 0x10;

// The address of a block frame when the frame asks for a whole block
// inside the memory; a real radio ignores anything else, and so do we.
std::optional<std::size_t> blockAddress(const Frame& frame) {
    const std::size_t address = std::size_t(frame.bytes[1]) << 8 | frame.bytes[2];
    if (frame.bytes[3] != BlockLength || address + BlockSize > image::ImageSize)
        return std::nullopt;
    return address;
}

} // namespace

CloneRadio::CloneRadio(const image::MemoryImage& memory, std::uint8_t band, const Faults& faults)
    : m_memory(memory), m_band(band & 0x0F), m_faults(faults) {}

std::vector<std::uint8_t> CloneRadio::ident() const {
    std::vector<std::uint8_t> bytes(m_faults.product.begin(), m_faults.product.end());
    bytes.push_back(m_band); // high four bits 0
    bytes.push_back(0xFF);
    return bytes;
}

Reaction CloneRadio::onFrame(const Frame& frame) {
    switch (frame.kind) {
    case FrameKind::Program:
        return onProgram();
    case FrameKind::IdentRequest:
        return answer(ident());
    case FrameKind::Acknowledge:
        return acknowledge(false);
    case FrameKind::ReadRequest:
    case FrameKind::WriteBlock:
        return onBlockFrame(frame);
    case FrameKind::End:
        return onEnd();
    case FrameKind::Noise:
        break;
    }
    return {};
}

Reaction CloneRadio::onProgram() {
    if (!m_inTransfer && m_faults.lateAck && m_handshakesIgnored == 0) {
        ++m_handshakesIgnored;
        return {};
    }
    // A handshake within a transfer starts it over.
    m_inTransfer = true;
    m_blockFrames = 0;
    m_wroteBlocks = false;
    return acknowledge(true);
}

Reaction CloneRadio::onBlockFrame(const Frame& frame) {
    ++m_blockFrames;
    if (m_faults.hangUpAt && m_blockFrames == *m_faults.hangUpAt)
        return {{}, RadioEvent::HangUp};
    if (stalled())
        return {};
    const std::optional<std::size_t> address = blockAddress(frame);
    if (!address)
        return {};
    const auto block = m_memory.begin() + std::ptrdiff_t(*address);
    if (frame.kind == FrameKind::ReadRequest) {
        std::vector<std::uint8_t> bytes(frame.bytes.begin(), frame.bytes.begin() + 4);
        bytes[0] = 'W';
        bytes.insert(bytes.end(), block, block + BlockSize);
        return answer(std::move(bytes));
    }
    std::copy(frame.bytes.begin() + 4, frame.bytes.end(), block);
    m_unsaved = true;
    m_wroteBlocks = true;
    return acknowledge(true);
}

Reaction CloneRadio::onEnd() {
    Reaction reaction = acknowledge(m_wroteBlocks);
    reaction.event = RadioEvent::TransferEnded;
    m_inTransfer = false;
    m_handshakesIgnored = 0;
    return reaction;
}

bool CloneRadio::stalled() const {
    return m_faults.stallAt && m_blockFrames >= *m_faults.stallAt;
}

Reaction CloneRadio::answer(std::vector<std::uint8_t> bytes) const {
    if (m_faults.silent || stalled())
        return {};
    return {{Reply{std::move(bytes)}}};
}

// The PC reads an acknowledgement with a text search at the handshake, after
// each write block and after the "E" of a write; only there does noise ahead
// of the 0x06 leave a careful PC working. The acknowledgement of the ident and
// of read blocks must be a lone 0x06, so it never gets noise.
Reaction CloneRadio::acknowledge(bool withStrayBytes) const {
    Reaction reaction = answer({Ack});
    if (withStrayBytes && m_faults.strayBytes && !reaction.replies.empty()) {
        reaction.replies.front().afterBusyPause = true;
        reaction.replies.insert(reaction.replies.begin(),
                                Reply{{StrayBytes.begin(), StrayBytes.end()}});
    }
    return reaction;
}

} // namespace radio
