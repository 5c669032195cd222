// One transfer with the radio, as the command line runs it: the link engine
// on a serial port and two real 500 ms timers, waited for in an event loop
// of its own. It needs no window and no display.
#pragma once

#include "link/link_engine.h"
#include "platform/interrupt_notifier.h"
#include "platform/qt_link.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <array>
#include <optional>

namespace radiolink {
class SerialPort;
}

namespace cli {

class TerminalProgress;

// How a transfer ended.
enum class SessionEnd {
    Done,
    PortInvalid,        // the port was not open: nothing was sent
    CommunicationError, // the watchdog or a wrong block ended it (LinkEngine::failure says why)
    BandRefused,        // the radio is set to another band than the file's
    LineLost,           // the line hung up in mid-transfer
    Interrupted,        // Ctrl+C, SIGTERM, SIGHUP or SIGQUIT: the radio was sent "E"
};

class LinkSession : public QObject, private radiolink::TransferView {
    Q_OBJECT
  public:
    // `progress` may be null: nothing is shown.
    LinkSession(radiolink::SerialPort& port, TerminalProgress* progress);

    // Reads the radio into ReceiveImage, which starts all 0xFF, so offsets
    // the radio is never asked for stay 0xFF.
    SessionEnd read();
    // Writes the 2048 bytes as they are. `band` is the file's band code, or
    // none: the radio's band then never matches.
    SessionEnd write(const std::array<std::uint8_t, image::ImageSize>& bytes,
                     std::optional<int> band, radiolink::WriteModes modes);

    const radiolink::LinkEngine& engine() const { return m_engine; }
    // The band code the radio's ident reported in this transfer (0..15).
    std::optional<int> radioBand() const { return m_radioBand; }

    image::MemoryImage ReceiveImage{};
    image::MemoryImage TransmitImage{};

  private:
    // What the last transfer left is forgotten before the next starts.
    void forget();
    // Runs the event loop until the transfer has ended.
    SessionEnd wait();
    void finish(SessionEnd end);
    void takeRadioBand();

    // The transfer view.
    void commitPendingEntry() override {}
    void showProgress(radiolink::TransferKind kind, int minimum, int maximum) override;
    void setProgress(int value) override;
    void closeProgress() override {}
    void showMessage(radiolink::LinkMessage message) override;
    bool confirmForcedWrite() override;
    int selectedBand() const override;
    void selectBandFromRadio(int band) override { m_radioBand = band; }
    void encodeImage() override;
    void decodeImage() override {}

    TerminalProgress* m_progress;
    QTimer m_timerW;
    QTimer m_timerMeg;
    radiolink::QtLink m_link;
    radiolink::LinkEngine& m_engine = m_link.engine();
    QEventLoop m_loop;
    ui::InterruptNotifier m_interrupts;

    std::array<std::uint8_t, image::ImageSize> m_fileImage{};
    std::optional<int> m_fileBand;
    std::optional<int> m_radioBand;
    std::optional<SessionEnd> m_end;
};

} // namespace cli
