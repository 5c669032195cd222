#include "link/link_engine.h"

#include "link/protocol.h"
#include "link/receive_text.h"

namespace radiolink {

namespace {
// The watchdog lets this many ticks pass without a protocol step; the next one
// aborts (3.0 to 3.5 seconds of silence).
constexpr int WatchdogTicks = 6;
// The handshake is sent again at this TimerMeg tick if the radio has not
// acknowledged it (1.5 seconds).
constexpr int HandshakeRepeatTick = 3;
} // namespace

LinkEngine::LinkEngine(Port& port, Timer& timerW, Timer& timerMeg, TransferView& view,
                       image::MemoryImage& receiveImage, image::MemoryImage& transmitImage)
    : m_port(port), m_timerW(timerW), m_timerMeg(timerMeg), m_view(view),
      m_receiveImage(receiveImage), m_transmitImage(transmitImage) {}

void LinkEngine::startRead() {
    if (!beginTransfer(Reading, ReadStage))
        return;
    m_view.showProgress(TransferKind::Read, protocol::stage::Handshake,
                        protocol::stage::ReadProgressMaximum);
}

void LinkEngine::startWrite(WriteModes modes) {
    if (busy())
        return;
    // A write that does not start has sent nothing: the last one's count
    // would pass for its own.
    m_blocksSent = 0;
    m_lastBlockSent.reset();
    if (!beginTransfer(Writing, WriteStage))
        return;
    m_modes = modes;
    m_view.encodeImage();
    m_view.showProgress(TransferKind::Write, protocol::stage::Handshake,
                        protocol::stage::WriteProgressMaximum);
}

bool LinkEngine::beginTransfer(bool& running, int& stage) {
    // The progress window is modal, so only a caller of our own could start
    // a second transfer; the one running is left alone.
    if (busy())
        return false;
    RadioAnswered = false;
    stage = protocol::stage::Handshake;
    if (!m_port.isOpen()) {
        m_view.showMessage(LinkMessage::PortInvalid);
        return false;
    }
    m_view.commitPendingEntry();
    m_failure = {};
    m_radioBand.reset();
    m_blockTaken = false;
    // Whatever came before is no answer to this handshake: the radio's 0x06
    // for the last transfer's "E" would otherwise pass for its acknowledge.
    RxHex.clear();
    running = true;
    m_timerMeg.start();
    m_timerW.start();
    IdleTicks = 0;
    m_port.send(protocol::Handshake);
    return true;
}

void LinkEngine::bytesReceived(std::span<const std::uint8_t> bytes) {
    // No bytes is no receive event. A step run again on an unchanged RxHex
    // would take the same ident twice, inside the question it asked the first
    // time.
    // Bytes while no transfer runs are kept for none, so a chattering line
    // cannot grow RxHex without end.
    if (bytes.empty() || !busy())
        return;
    receive_text::append(RxHex, bytes);
    if (Writing)
        writeStep();
    if (Reading)
        readStep();
}

void LinkEngine::timerWTick() {
    if (IdleTicks < WatchdogTicks) {
        ++IdleTicks;
        return;
    }
    abortTransfer();
}

void LinkEngine::timerMegTick() {
    ++HandshakeTicks;
    if (HandshakeTicks >= HandshakeRepeatTick && !RadioAnswered) {
        m_port.send(protocol::Handshake);
        HandshakeTicks = 0;
        IdleTicks = 0;
        m_timerMeg.stop();
    } else if (RadioAnswered) {
        HandshakeTicks = 0;
        RadioAnswered = false;
        m_timerMeg.stop();
    }
}

void LinkEngine::cancel() {
    if (!busy())
        return;
    const std::uint16_t at = Writing ? m_lastBlockSent.value_or(0)
                             : ReadStage >= protocol::stage::FirstBlock ? requestedAddress()
                                                                        : 0;
    endTransfer(TransferFailure(StallReason::Cancelled, at));
    // A handshake repeat still due would call the radio again after our "E".
    m_timerMeg.stop();
    HandshakeTicks = 0;
    RadioAnswered = false;
    m_view.closeProgress();
}

void LinkEngine::abortTransfer() {
    // A refusal or a short block never reaches a block's threshold: what the
    // radio said is told, not silence.
    receive_text::append(RxHex, m_port.takeWaiting());
    failTransfer(stalledWhere());
}

// Everything is settled before the windows hear of it: the message box lets
// bytes and ticks in, and they must find no transfer running.
void LinkEngine::failTransfer(const TransferFailure& failure) {
    endTransfer(failure);
    m_view.closeProgress();
    m_view.showMessage(LinkMessage::CommunicationError);
}

void LinkEngine::endTransfer(const TransferFailure& failure) {
    m_failure = failure;
    IdleTicks = 0;
    m_port.setReceiveThreshold(protocol::ByteThreshold);
    sendByte(protocol::End);
    Reading = false;
    Writing = false;
    m_timerW.stop();
}

TransferFailure LinkEngine::stalledWhere() const {
    const int stage = Writing ? WriteStage : ReadStage;
    if (stage == protocol::stage::Handshake)
        return TransferFailure(RxHex.empty() ? StallReason::NoAnswer
                                             : StallReason::HandshakeRefused);
    // A write leaves the ident stage as it takes the ident; a read once the
    // radio has acknowledged it.
    if (stage == protocol::stage::Ident && !m_radioBand) {
        if (receive_text::namesOtherProduct(RxHex)) {
            TransferFailure failure(StallReason::WrongProduct);
            failure.product = receive_text::productName(RxHex);
            return failure;
        }
        return TransferFailure(StallReason::NoIdent);
    }
    return Writing ? stalledInWrite() : stalledInRead();
}

TransferFailure LinkEngine::stalledInRead() const {
    if (ReadStage == protocol::stage::Ident)
        return TransferFailure(StallReason::IdentNotAcknowledged);
    if (ReadStage == protocol::stage::ReadLast && m_blockTaken && RxHex.empty())
        return TransferFailure(StallReason::AfterLastBlock);
    return TransferFailure(stalledOrAnswered(), requestedAddress());
}

// Bytes left waiting are an answer the transfer could not take: a damaged
// block, a refusal. The user is told the radio answered, not that it fell
// silent.
StallReason LinkEngine::stalledOrAnswered() const {
    if (RxHex.empty())
        return StallReason::Stalled;
    return receive_text::isRefusal(RxHex) ? StallReason::Refused : StallReason::UnexpectedAnswer;
}

// A write stage stands for the block it sends next, once the radio
// acknowledges the frame sent last.
TransferFailure LinkEngine::stalledInWrite() const {
    namespace stage = protocol::stage;
    if (WriteStage == stage::FirstBlock)
        return TransferFailure(StallReason::IdentNotAcknowledged);
    if (WriteStage <= stage::WriteBlocksDone)
        return TransferFailure(
            stalledOrAnswered(),
            protocol::blockAddress(protocol::WriteBlocks, stage::blockOf(WriteStage - 1)));
    if (WriteStage == stage::WriteCalibrationSent)
        return TransferFailure(stalledOrAnswered(), protocol::CalibrationBlock);
    return TransferFailure(StallReason::AfterLastBlock);
}

void LinkEngine::sendByte(std::uint8_t byte) {
    m_port.send(std::span<const std::uint8_t>(&byte, 1));
}

} // namespace radiolink
