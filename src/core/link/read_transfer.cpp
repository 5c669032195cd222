// The read transfer: handshake, ident, then one read request per block of the
// read map, each block acknowledged and stored in ReceiveImage.
#include "link/link_engine.h"
#include "link/protocol.h"
#include "link/receive_text.h"

namespace radiolink {

namespace stage = protocol::stage;

void LinkEngine::readStep() {
    m_view.setProgress(ReadStage);
    if (ReadStage == stage::Handshake) {
        if (receive_text::holdsAcknowledge(RxHex)) {
            RadioAnswered = true;
            RxHex.clear();
            sendByte(protocol::IdentRequest);
            IdleTicks = 0;
            ReadStage = stage::Ident;
        }
        return;
    }
    if (ReadStage == stage::Ident)
        readIdentStep();
    else
        readBlockStep();
}

// The band is kept without a question; the stage stays until the radio
// acknowledges, and only then do the block requests start. A 0x06 before the
// ident answers a repeated handshake late.
void LinkEngine::readIdentStep() {
    if (!m_radioBand)
        receive_text::dropLeadingAcknowledges(RxHex);
    if (receive_text::isIdent(RxHex)) {
        m_radioBand = receive_text::identBand(RxHex);
        RxHex.clear();
        sendByte(protocol::Acknowledge);
        IdleTicks = 0;
    } else if (m_radioBand && receive_text::isAcknowledge(RxHex)) {
        requestNextBlock();
    }
}

void LinkEngine::readBlockStep() {
    if (receive_text::isBlock(RxHex)) {
        takeBlock();
        return;
    }
    // Until the stage's block is in, anything else is waited on, and the
    // watchdog ends the wait.
    if (!m_blockTaken)
        return;
    // After the last block the radio's acknowledgement ends it, whatever
    // follows it. A byte ahead of it may be one the block lost (a burst of 21
    // bytes is no block either): the watchdog ends that read as failed.
    if (ReadStage == stage::ReadLast) {
        if (receive_text::startsWithAcknowledge(RxHex))
            finishRead();
    } else if (receive_text::isAcknowledge(RxHex))
        requestNextBlock();
}

int LinkEngine::blocksReceived() const {
    if (ReadStage < stage::FirstBlock)
        return 0;
    return stage::blockOf(ReadStage) + (m_blockTaken ? 1 : 0);
}

std::uint16_t LinkEngine::requestedAddress() const {
    return protocol::blockAddress(protocol::ReadBlocks, stage::blockOf(ReadStage));
}

// Another block's bytes at this block's offset would pass for the radio's
// memory: such a read ends at once.
void LinkEngine::takeBlock() {
    const std::uint16_t asked = requestedAddress();
    const std::uint16_t echoed = receive_text::blockAddress(RxHex);
    if (echoed != asked) {
        failTransfer(TransferFailure(StallReason::WrongBlock, asked, echoed));
        return;
    }
    storeBlock(asked);
    acknowledgeBlock();
    m_blockTaken = true;
}

void LinkEngine::storeBlock(std::uint16_t address) {
    if (ReadStage == stage::ReadLast) {
        for (std::size_t n : protocol::LastReadBlockBytesKept)
            m_receiveImage[address + n] = receive_text::blockByte(RxHex, n);
        return;
    }
    for (std::size_t n = 0; n < protocol::BlockDataSize; ++n)
        m_receiveImage[address + n] = receive_text::blockByte(RxHex, n);
}

void LinkEngine::acknowledgeBlock() {
    RxHex.clear();
    m_port.setReceiveThreshold(protocol::ByteThreshold);
    sendByte(protocol::Acknowledge);
    IdleTicks = 0;
}

void LinkEngine::requestNextBlock() {
    RxHex.clear();
    ++ReadStage;
    m_blockTaken = false;
    m_port.setReceiveThreshold(protocol::BlockThreshold);
    m_port.send(protocol::readRequest(requestedAddress()));
    IdleTicks = 0;
}

// The radio's band and the image are shown only now that every block is in,
// the image after the user has seen the success, as always.
void LinkEngine::finishRead() {
    sendByte(protocol::End);
    IdleTicks = 0;
    Reading = false;
    m_timerW.stop();
    m_view.closeProgress();
    m_view.selectBandFromRadio(*m_radioBand);
    m_view.showMessage(LinkMessage::ReadSucceeded);
    m_view.decodeImage();
}

} // namespace radiolink
