#include "link/radio_probe.h"

#include "link/protocol.h"
#include "link/receive_text.h"

namespace radiolink {

void RadioProbe::start() {
    bool endUnanswered = false;
    if (running())
        finish(endUnanswered);
    m_answer = {};
    m_rxHex.clear();
    m_port.setReceiveThreshold(protocol::ByteThreshold);
    m_step = Step::Greeting;
    m_port.send(protocol::Handshake);
}

void RadioProbe::bytesReceived(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || !running() || m_step == Step::Settled)
        return;
    receive_text::append(m_rxHex, bytes);
    switch (m_step) {
    case Step::Greeting:
        if (receive_text::holdsAcknowledge(m_rxHex)) {
            m_answer.answered = true;
            m_rxHex.clear();
            send(protocol::IdentRequest);
            m_step = Step::Ident;
        }
        break;
    case Step::Ident:
        // A 0x06 before the ident answers a repeated handshake late.
        receive_text::dropLeadingAcknowledges(m_rxHex);
        if (receive_text::isIdent(m_rxHex) || receive_text::namesOtherProduct(m_rxHex)) {
            if (receive_text::isIdent(m_rxHex))
                m_answer.band = receive_text::identBand(m_rxHex);
            m_rxHex.clear();
            // As a write refusing a band ends: no acknowledgement, only "E".
            send(protocol::End);
            m_step = Step::Ending;
        }
        break;
    case Step::Ending:
        if (receive_text::holdsAcknowledge(m_rxHex))
            m_step = Step::Settled;
        break;
    case Step::Idle:
    case Step::Settled:
        break;
    }
    // Bytes past what a probe expects (noise on a line with no radio) are
    // not kept beyond one ident's worth.
    if (m_rxHex.size() > 2 * protocol::IdentSize)
        m_rxHex.erase(0, m_rxHex.size() - 2 * protocol::IdentSize);
}

ProbeAnswer RadioProbe::finish(bool& endUnanswered) {
    if (m_step == Step::Ident)
        send(protocol::End);
    endUnanswered = m_step == Step::Ident || m_step == Step::Ending;
    m_step = Step::Idle;
    m_rxHex.clear();
    return m_answer;
}

void RadioProbe::send(std::uint8_t byte) {
    m_port.send(std::span<const std::uint8_t>(&byte, 1));
}

} // namespace radiolink
