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
    if (ReadStage == stage::Ident && receive_text::isIdent(RxHex)) {
        // The band is taken without a question; the stage stays until the
        // radio acknowledges.
        const int band = receive_text::identBand(RxHex);
        RxHex.clear();
        sendByte(protocol::Acknowledge);
        IdleTicks = 0;
        m_view.selectBandFromRadio(band);
        return;
    }
    if (ReadStage >= stage::FirstBlock && receive_text::isBlock(RxHex)) {
        storeBlock();
        acknowledgeBlock();
        return;
    }
    // After the last block the radio's next answer, whatever it is, ends it.
    if (ReadStage == stage::ReadLast)
        finishRead();
    else if (receive_text::isAcknowledge(RxHex))
        requestNextBlock();
}

void LinkEngine::storeBlock() {
    const std::size_t address =
        protocol::blockAddress(protocol::ReadBlocks, stage::blockOf(ReadStage));
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
    m_port.setReceiveThreshold(protocol::BlockThreshold);
    m_port.send(protocol::readRequest(
        protocol::blockAddress(protocol::ReadBlocks, stage::blockOf(ReadStage))));
    IdleTicks = 0;
}

// The image is shown only after the user has seen the success, as always.
void LinkEngine::finishRead() {
    sendByte(protocol::End);
    IdleTicks = 0;
    Reading = false;
    m_timerW.stop();
    m_view.closeProgress();
    m_view.showMessage(LinkMessage::ReadSucceeded);
    m_view.decodeImage();
}

} // namespace radiolink
