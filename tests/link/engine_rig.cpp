#include "engine_rig.h"

#include "image/hex_text.h"

#include <algorithm>

namespace linktest {

std::vector<int> readAddresses() {
    std::vector<int> addresses;
    for (int a = 0x000; a <= 0x520; a += 16)
        addresses.push_back(a);
    for (int a = 0x700; a <= 0x7F0; a += 16)
        addresses.push_back(a);
    return addresses;
}

std::vector<int> writeAddresses(bool debugMode) {
    std::vector<int> addresses;
    for (int a = 0x000; a <= 0x510; a += 16)
        addresses.push_back(a);
    for (int a = 0x700; a <= (debugMode ? 0x7F0 : 0x7E0); a += 16)
        addresses.push_back(a);
    return addresses;
}

bool readFills(std::size_t offset) {
    return offset <= 0x52F || (offset >= 0x700 && offset <= 0x7EF) || offset == 0x7F0 ||
           offset == 0x7F2;
}

std::string frameName(std::span<const std::uint8_t> frame) {
    const Bytes program{'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    if (std::ranges::equal(frame, program))
        return "PROGRAM";
    if (frame.size() == 1 && frame[0] == 'E')
        return "E";
    std::string name;
    if ((frame.size() == 4 && frame[0] == 'R') || (frame.size() == 20 && frame[0] == 'W'))
        return std::string(1, char(frame[0])) + " " + image::hexByte(frame[1]) +
               image::hexByte(frame[2]);
    for (std::uint8_t b : frame)
        name += image::hexByte(b);
    return name;
}

void FakePort::send(std::span<const std::uint8_t> bytes) {
    sent.emplace_back(bytes.begin(), bytes.end());
    thresholdAtSend.push_back(threshold);
    m_log.push_back("send " + frameName(bytes));
}

void FakeTimer::start() {
    running = true;
    m_log.push_back("start " + m_name);
}

void FakeTimer::stop() {
    running = false;
    m_log.push_back("stop " + m_name);
}

void FakeView::showProgress(radiolink::TransferKind kind, int minimum, int maximum) {
    progressOpen = true;
    barMinimum = minimum;
    barMaximum = maximum;
    barValue = minimum;
    m_log.push_back(std::string("progress ") +
                    (kind == radiolink::TransferKind::Read ? "read " : "write ") +
                    std::to_string(minimum) + "-" + std::to_string(maximum));
}

// As the progress bar does: a value out of its range leaves it as it was.
void FakeView::setProgress(int value) {
    if (value >= barMinimum && value <= barMaximum)
        barValue = value;
}

void FakeView::closeProgress() {
    progressOpen = false;
    m_log.push_back("close");
}

void FakeView::showMessage(radiolink::LinkMessage message) {
    static const char* const names[] = {"PortInvalid", "ReadSucceeded", "WriteSucceeded",
                                        "CommunicationError", "BandRefused"};
    m_log.push_back(std::string("message ") + names[int(message)]);
    modal();
}

bool FakeView::confirmForcedWrite() {
    m_log.push_back("question");
    modal();
    return forceAnswer;
}

void FakeView::selectBandFromRadio(int code) {
    m_log.push_back("band " + std::to_string(code));
}

void FakeView::encodeImage() {
    m_transmitImage = encoded;
    m_log.push_back("encode");
}

void FakeView::modal() {
    if (whileModal)
        whileModal();
}

void Rig::converse(const std::function<void(const Bytes& frame)>& afterAnswer) {
    while (answered < port.sent.size()) {
        const Bytes frame = port.sent[answered++];
        const Bytes reply = radio.answer(frame);
        if (!reply.empty())
            receive(reply);
        if (afterAnswer)
            afterAnswer(frame);
    }
}

void Rig::elapse(int ticks) {
    for (int i = 0; i < ticks; ++i) {
        if (timerMeg.running)
            engine.timerMegTick();
        if (timerW.running)
            engine.timerWTick();
    }
}

Log Rig::logFrom(const std::string& from) const {
    return Log(std::ranges::find(log, from), log.end());
}

} // namespace linktest
