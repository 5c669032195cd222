#include "shell/window_transfer_view.h"

#include "editors/band_selection.h"
#include "editors/channel_table.h"
#include "platform/serial_port.h"
#include "shell/history_records.h"
#include "shell/main_window.h"
#include "shell/progress_window.h"
#include "words/message_box.h"
#include "words/messages.h"
#include "words/program_flags.h"

#include <utility>

namespace shell {

namespace {

using radiolink::LinkMessage;

constexpr std::pair<LinkMessage, ui::Msg> Messages[] = {
    {LinkMessage::PortInvalid, ui::Msg::PortInvalid},
    {LinkMessage::ReadSucceeded, ui::Msg::ReadSucceeded},
    {LinkMessage::WriteSucceeded, ui::Msg::WriteSucceeded},
    {LinkMessage::CommunicationError, ui::Msg::CommunicationError},
    {LinkMessage::BandRefused, ui::Msg::BandRefused},
};

} // namespace

WindowTransferView::WindowTransferView(MainWindow& window, ProgressWindow& progress)
    : m_window(window), m_progress(progress) {}

void WindowTransferView::commitPendingEntry() {
    m_window.channelTable()->Text1_LostFocus();
}

void WindowTransferView::showProgress(radiolink::TransferKind kind, int minimum, int maximum) {
    m_progress.begin(kind == radiolink::TransferKind::Read ? ProgressStep::Read
                                                           : ProgressStep::Write,
                     minimum, maximum);
}

void WindowTransferView::setProgress(int value) {
    m_progress.setValue(value);
}

void WindowTransferView::closeProgress() {
    m_progress.finish();
}

void WindowTransferView::showMessage(LinkMessage message) {
    for (const auto& [link, msg] : Messages)
        if (link == message)
            ui::showMessage(msg);
}

bool WindowTransferView::confirmForcedWrite() {
    return ui::showMessage(ui::Msg::ForceWriteQuestion) == ui::MsgOk;
}

int WindowTransferView::selectedBand() const {
    return m_window.bandSelection()->bandCode();
}

void WindowTransferView::selectBandFromRadio(int band) {
    // The radio's band changes the limits without a question, and the
    // channels stay.
    m_window.bandSelection()->BandPickPending = false;
    m_window.bandSelection()->selectBandCode(band);
}

void WindowTransferView::encodeImage() {
    m_window.EncodeImage();
}

void WindowTransferView::decodeImage() {
    m_window.DecodeImage();
    if (!recordRead(ui::ComPortIndex + 1, m_window.serialPort()->deviceName(),
                    m_window.ReceiveImage, m_window.bandSelection()->bandCode()))
        tellRecordsNotKept();
}

} // namespace shell
