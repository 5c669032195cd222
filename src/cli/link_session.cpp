#include "cli/link_session.h"

#include "cli/terminal_progress.h"
#include "link/receive_text.h"
#include "platform/serial_port.h"

#include <algorithm>

namespace cli {

using radiolink::LinkMessage;

LinkSession::LinkSession(radiolink::SerialPort& port, TerminalProgress* progress)
    : m_progress(progress), m_link(port, m_timerW, m_timerMeg, *this, ReceiveImage, TransmitImage) {
    // A hang-up ends the transfer at once: no need to wait out the watchdog
    // on a line that is gone.
    connect(&port, &radiolink::SerialPort::lineLost, this, [this] {
        if (m_engine.busy())
            finish(SessionEnd::LineLost);
    });
    // Left in clone mode, the radio would wait for blocks that never come.
    connect(&m_interrupts, &ui::InterruptNotifier::interrupted, this, [this, &port] {
        if (!m_engine.busy())
            return;
        m_engine.cancel();
        finish(SessionEnd::Interrupted);
        // The radio's answers up to its 0x06 to "E" go with us, not to the
        // transfer someone starts next.
        port.drainInput(150, 1000);
    });
}

SessionEnd LinkSession::read() {
    ReceiveImage.fill(0xFF);
    forget();
    m_engine.startRead();
    return wait();
}

SessionEnd LinkSession::write(const std::array<std::uint8_t, image::ImageSize>& bytes,
                              std::optional<int> band, radiolink::WriteModes modes) {
    m_fileImage = bytes;
    m_fileBand = band;
    forget();
    m_engine.startWrite(modes);
    return wait();
}

void LinkSession::forget() {
    m_end.reset();
    m_radioBand.reset();
}

SessionEnd LinkSession::wait() {
    // The engine may have ended before the loop could run (a closed port).
    if (!m_end && m_engine.busy())
        m_loop.exec();
    return m_end.value_or(SessionEnd::PortInvalid);
}

void LinkSession::finish(SessionEnd end) {
    if (m_end)
        return;
    m_end = end;
    m_timerW.stop();
    m_timerMeg.stop();
    if (m_progress)
        m_progress->end(end == SessionEnd::Done);
    m_loop.exit();
}

void LinkSession::showProgress(radiolink::TransferKind kind, int minimum, int maximum) {
    if (m_progress)
        m_progress->begin(kind == radiolink::TransferKind::Read ? "reading" : "writing", minimum,
                          maximum);
}

void LinkSession::setProgress(int value) {
    if (m_progress)
        m_progress->update(value);
}

void LinkSession::showMessage(LinkMessage message) {
    switch (message) {
    case LinkMessage::ReadSucceeded:
    case LinkMessage::WriteSucceeded:
        finish(SessionEnd::Done);
        break;
    case LinkMessage::PortInvalid:
        finish(SessionEnd::PortInvalid);
        break;
    case LinkMessage::CommunicationError:
        finish(SessionEnd::CommunicationError);
        break;
    case LinkMessage::BandRefused:
        takeRadioBand();
        finish(SessionEnd::BandRefused);
        break;
    }
}

// Asked only when the write runs with --force-band: that is the answer.
bool LinkSession::confirmForcedWrite() {
    takeRadioBand();
    return true;
}

// At the band check RxHex still holds the radio's ident.
void LinkSession::takeRadioBand() {
    if (radiolink::receive_text::isIdent(m_engine.RxHex))
        m_radioBand = radiolink::receive_text::identBand(m_engine.RxHex);
}

int LinkSession::selectedBand() const {
    return m_fileBand.value_or(-1);
}

void LinkSession::encodeImage() {
    std::copy(m_fileImage.begin(), m_fileImage.end(), TransmitImage.begin());
}

} // namespace cli
