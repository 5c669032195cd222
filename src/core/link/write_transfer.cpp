// The write transfer: handshake, the band check on the radio's ident, then one
// block of the write map per acknowledge from the radio, and "E".
#include "link/link_engine.h"
#include "link/protocol.h"
#include "link/receive_text.h"

namespace radiolink {

namespace stage = protocol::stage;

void LinkEngine::writeStep() {
    m_view.setProgress(WriteStage);
    if (WriteStage == stage::Ident) {
        // A 0x06 before the ident answers a repeated handshake late.
        receive_text::dropLeadingAcknowledges(RxHex);
        if (receive_text::isIdent(RxHex))
            checkBand();
        return;
    }
    // The ident's acknowledgement is one 0x06 alone, as a read takes it:
    // more would pass for the answer to the first block.
    if (WriteStage == stage::FirstBlock) {
        if (receive_text::isAcknowledge(RxHex))
            advanceWrite();
        return;
    }
    // Bytes after the acknowledge in the same burst are dropped with it, so a
    // stage advances at most once per burst.
    if (receive_text::holdsAcknowledge(RxHex))
        advanceWrite();
}

void LinkEngine::advanceWrite() {
    RxHex.clear();
    IdleTicks = 0;
    const int acknowledged = WriteStage;
    if (acknowledged == stage::Handshake) {
        sendByte(protocol::IdentRequest);
        WriteStage = stage::Ident;
        RadioAnswered = true;
    } else if (acknowledged < stage::WriteBlocksDone) {
        sendBlock(protocol::blockAddress(protocol::WriteBlocks, stage::blockOf(acknowledged)));
        ++WriteStage;
    } else if (acknowledged == stage::WriteBlocksDone && m_modes.debug) {
        sendBlock(protocol::CalibrationBlock);
        WriteStage = stage::WriteCalibrationSent;
    } else if (acknowledged == stage::WriteBlocksDone) {
        sendByte(protocol::End);
        WriteStage = stage::WriteEnding;
    } else if (acknowledged == stage::WriteCalibrationSent) {
        sendByte(protocol::End);
        WriteStage = stage::WriteCalibrationEnding;
    } else {
        finishWrite();
    }
}

void LinkEngine::sendBlock(std::uint16_t address) {
    m_port.send(protocol::blockFrame(address, m_transmitImage));
    ++m_blocksSent;
    m_lastBlockSent = address;
}

void LinkEngine::checkBand() {
    if (receive_text::identBand(RxHex) == m_view.selectedBand()) {
        acceptBand();
        return;
    }
    if (!m_modes.forceWrite) {
        refuseBand();
        return;
    }
    // The radio stays silent while the user decides: no watchdog meanwhile.
    // Bytes that come meanwhile join the ident in RxHex, so no step acts on
    // them and the question is not asked twice.
    m_timerW.stop();
    const bool force = m_view.confirmForcedWrite();
    // Cancelled while the question was open: the write has ended already.
    if (!Writing)
        return;
    if (!force) {
        cancelForcedWrite();
        return;
    }
    m_timerW.start();
    acceptBand();
}

void LinkEngine::acceptBand() {
    RxHex.clear();
    sendByte(protocol::Acknowledge);
    IdleTicks = 0;
    WriteStage = stage::FirstBlock;
}

void LinkEngine::refuseBand() {
    m_timerW.stop();
    sendByte(protocol::End);
    IdleTicks = 0;
    Writing = false;
    m_view.showMessage(LinkMessage::BandRefused);
    m_view.closeProgress();
}

void LinkEngine::cancelForcedWrite() {
    RxHex.clear();
    IdleTicks = 0;
    sendByte(protocol::End);
    Writing = false;
    m_timerW.stop();
    m_view.closeProgress();
}

void LinkEngine::finishWrite() {
    RxHex.clear();
    IdleTicks = 0;
    Writing = false;
    m_timerW.stop();
    m_view.closeProgress();
    m_view.showMessage(LinkMessage::WriteSucceeded);
}

} // namespace radiolink
