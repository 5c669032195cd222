#include "clone_radio.h"

#include "frame_log.h"
#include "memory_map.h"

#include <algorithm>

namespace radio {

namespace {

constexpr std::uint8_t Ack = 0x06;
constexpr std::uint8_t Nak = 0x15;
constexpr std::uint8_t CorruptFirstByte = 0x58; // 'X', one past 'W'
constexpr std::uint8_t ByteTooMany = 0xFF;

} // namespace

CloneRadio::CloneRadio(const image::MemoryImage& memory, std::uint8_t band, const Faults& faults,
                       bool calibrationMode)
    : m_memory(memory), m_band(band & 0x0F), m_faults(faults), m_calibrationMode(calibrationMode) {}

std::vector<std::uint8_t> CloneRadio::ident() const {
    std::vector<std::uint8_t> bytes(m_faults.product.begin(), m_faults.product.end());
    bytes.push_back(std::uint8_t(m_faults.identHigh << 4 | m_band));
    bytes.push_back(m_faults.identTail);
    return bytes;
}

Reaction CloneRadio::onFrame(const Frame& frame) {
    switch (frame.kind) {
    case FrameKind::Program:
        return onProgram(frame);
    case FrameKind::IdentRequest:
        return onIdentRequest(frame);
    case FrameKind::Acknowledge:
        return onAcknowledge(frame);
    case FrameKind::ReadRequest:
    case FrameKind::WriteBlock:
        return onBlockFrame(frame);
    case FrameKind::End:
        return onEnd();
    case FrameKind::Noise:
        break;
    }
    Reaction noise;
    noise.violation =
        describeFrame(frame) + (m_step == Step::Idle ? " outside a transfer, where only "
                                                       "PROGRAM is heard"
                                                     : " starts no frame");
    return noise;
}

bool CloneRadio::mayInterrupt(const Frame& frame) const {
    const bool atHandshake =
        m_step == Step::Idle || m_step == Step::Called || m_step == Step::Greeted;
    return frame.kind == FrameKind::End || (frame.kind == FrameKind::Program && atHandshake);
}

Reaction CloneRadio::onProgram(const Frame& frame) {
    if (m_step == Step::Idle) {
        ++m_transfers;
        m_blockFrames = 0;
        m_wroteBlocks = false;
        m_direction = Direction::Open;
        m_step = Step::Called;
        if (m_faults.lateAck)
            return {};
    } else if (m_step != Step::Called && m_step != Step::Greeted) {
        return outOfStep(frame);
    }
    return answered(acknowledge(true), Step::Greeted);
}

Reaction CloneRadio::onIdentRequest(const Frame& frame) {
    if (m_step != Step::Greeted)
        return outOfStep(frame);
    return answered(answer(ident()), Step::Identified);
}

// The acknowledgement of the ident and of read blocks must be a lone 0x06 for
// the PC, so it never gets the noise of strayBytes.
Reaction CloneRadio::onAcknowledge(const Frame& frame) {
    if (m_step == Step::Identified && m_faults.noIdentAck)
        return {};
    if (m_step != Step::Identified && m_step != Step::BlockSent)
        return outOfStep(frame);
    return answered(acknowledge(false), Step::Ready);
}

Reaction CloneRadio::onBlockFrame(const Frame& frame) {
    const bool read = frame.kind == FrameKind::ReadRequest;
    if (m_step != Step::Ready || m_direction == (read ? Direction::Write : Direction::Read))
        return outOfStep(frame);
    const std::optional<std::string> refusal =
        read ? readRefusal(frame) : writeRefusal(frame, m_calibrationMode);
    if (refusal) {
        Reaction refused;
        refused.violation = *refusal;
        return refused;
    }
    ++m_blockFrames;
    if (faultHere(m_faults.hangUpAt))
        return {{}, RadioEvent::HangUp, {}};
    if (stalled())
        return {};
    if (faultHere(m_faults.nakAt))
        return answer({Nak});
    m_direction = read ? Direction::Read : Direction::Write;
    return read ? onReadRequest(frame) : onWriteBlock(frame);
}

Reaction CloneRadio::onReadRequest(const Frame& request) {
    m_blockSent = frameAddress(request);
    const std::size_t address =
        faultHere(m_faults.wrongAddress) ? neighbourReadBlock(m_blockSent) : m_blockSent;
    const auto data = m_memory.begin() + std::ptrdiff_t(address);
    std::vector<std::uint8_t> bytes{'W', std::uint8_t(address >> 8), std::uint8_t(address & 0xFF),
                                    BlockLength};
    bytes.insert(bytes.end(), data, data + BlockSize);
    if (faultHere(m_faults.corruptBlock))
        bytes.front() = CorruptFirstByte;
    if (faultHere(m_faults.shortBlock))
        bytes.pop_back();
    const bool tooLong = faultHere(m_faults.longBlock);
    if (tooLong)
        bytes.push_back(ByteTooMany);
    m_step = Step::BlockSent;
    return answer(std::move(bytes), tooLong ? 1 : 0);
}

Reaction CloneRadio::onWriteBlock(const Frame& block) {
    const auto target = m_memory.begin() + std::ptrdiff_t(frameAddress(block));
    std::copy(block.bytes.begin() + 4, block.bytes.end(), target);
    if (faultHere(m_faults.changeBlock))
        *target ^= 0x01;
    m_unsaved = true;
    m_wroteBlocks = true;
    return acknowledge(true);
}

// "E" ends the transfer from any step, answered or not. Outside a transfer
// it is let pass: a PC whose "E" went unanswered sends another when it
// gives up, and ending twice does no harm.
Reaction CloneRadio::onEnd() {
    if (m_step == Step::Idle)
        return {};
    Reaction reaction = m_faults.noEndAck ? Reaction{} : acknowledge(m_wroteBlocks);
    reaction.event = RadioEvent::TransferEnded;
    m_step = Step::Idle;
    return reaction;
}

Reaction CloneRadio::outOfStep(const Frame& frame) const {
    Reaction refused;
    refused.violation = describeFrame(frame) + " while the radio waits for " + awaited();
    return refused;
}

std::string CloneRadio::awaited() const {
    switch (m_step) {
    case Step::Idle:
        return "PROGRAM";
    case Step::Called:
        return "PROGRAM again or E (it left PROGRAM unanswered)";
    case Step::Greeted:
        return "0x02 (PROGRAM acknowledged)";
    case Step::Identified:
        return "the PC's 0x06 after the ident";
    case Step::Ready:
        break;
    case Step::BlockSent: {
        const Frame sent{FrameKind::ReadRequest,
                         {'R', std::uint8_t(m_blockSent >> 8), std::uint8_t(m_blockSent & 0xFF)}};
        return "the PC's 0x06 after the block of " + describeFrame(sent);
    }
    }
    switch (m_direction) {
    case Direction::Read:
        return "the next read request or E (this transfer reads)";
    case Direction::Write:
        return "the next write block or E (this transfer writes)";
    case Direction::Open:
        break;
    }
    return "a read request, a write block or E";
}

bool CloneRadio::stalled() const {
    return m_faults.stallAt && m_blockFrames >= *m_faults.stallAt && faultyTransfer();
}

Reaction CloneRadio::answer(std::vector<std::uint8_t> bytes, std::size_t extra) const {
    if (m_faults.silent || stalled())
        return {};
    return {{Reply{std::move(bytes), extra}}, RadioEvent::None, {}};
}

// The PC reads an acknowledgement with a text search at the handshake, after
// each write block and after the "E" of a write; only there does noise ahead
// of the 0x06 leave a careful PC working.
Reaction CloneRadio::acknowledge(bool withStrayBytes) const {
    std::vector<std::uint8_t> bytes{Ack};
    if (m_faults.doubleAck)
        bytes.push_back(Ack);
    if (m_faults.ackStray)
        bytes.insert(bytes.end(), StrayBytes.begin(), StrayBytes.end());
    const std::size_t extra = bytes.size() - 1;
    Reaction reaction = answer(std::move(bytes), extra);
    if (withStrayBytes && m_faults.strayBytes && !reaction.replies.empty()) {
        reaction.replies.front().afterBusyPause = true;
        reaction.replies.insert(reaction.replies.begin(),
                                Reply{{StrayBytes.begin(), StrayBytes.end()}, StrayBytes.size()});
    }
    return reaction;
}

Reaction CloneRadio::answered(Reaction reaction, Step next) {
    if (!reaction.replies.empty())
        m_step = next;
    return reaction;
}

} // namespace radio
