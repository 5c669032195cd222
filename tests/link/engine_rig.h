// The link engine among stand-ins that record what it does: a port that keeps
// every frame sent, timers that know whether they run, windows that log every
// call, and a simulated radio on the line. Time passes only when a test says.
#pragma once

#include "link/link_engine.h"
#include "simulated_radio.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace linktest {

// The block maps as the tests know them, written apart from the engine's:
// the addresses a read requests and a write sends, in order, and the image
// offsets a read may fill.
std::vector<int> readAddresses();
std::vector<int> writeAddresses(bool debugMode);
bool readFills(std::size_t offset);

// Calls of the port, the timers and the view, in the order they came.
using Log = std::vector<std::string>;

// "PROGRAM", "06", "02", "E", "R 07F0", "W 0000", or the bytes in hexadecimal.
std::string frameName(std::span<const std::uint8_t> frame);

class FakePort : public radiolink::Port {
  public:
    explicit FakePort(Log& log) : m_log(log) {}
    bool open = true;
    int threshold = 1;
    std::vector<Bytes> sent;
    std::vector<int> thresholdAtSend; // one per frame sent
    Bytes waiting;                    // below the threshold, no receive event raised

    bool isOpen() const override { return open; }
    void send(std::span<const std::uint8_t> bytes) override;
    void setReceiveThreshold(int bytes) override { threshold = bytes; }
    std::vector<std::uint8_t> takeWaiting() override { return std::exchange(waiting, {}); }

  private:
    Log& m_log;
};

class FakeTimer : public radiolink::Timer {
  public:
    FakeTimer(Log& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    bool running = false;
    void start() override;
    void stop() override;

  private:
    Log& m_log;
    std::string m_name;
};

class FakeView : public radiolink::TransferView {
  public:
    FakeView(Log& log, image::MemoryImage& transmitImage)
        : m_log(log), m_transmitImage(transmitImage) {}

    int band = 3;             // the band list's selection
    bool forceAnswer = false; // the answer to the ForceWriteMode question
    image::MemoryImage encoded{};
    // Runs inside a message box or the question, as their event loop would
    // deliver bytes and ticks.
    std::function<void()> whileModal;

    bool progressOpen = false;
    int barMinimum = 0;
    int barMaximum = 0;
    int barValue = 0;

    void commitPendingEntry() override { m_log.push_back("commit"); }
    void showProgress(radiolink::TransferKind kind, int minimum, int maximum) override;
    void setProgress(int value) override;
    void closeProgress() override;
    void showMessage(radiolink::LinkMessage message) override;
    bool confirmForcedWrite() override;
    int selectedBand() const override { return band; }
    void selectBandFromRadio(int code) override;
    void encodeImage() override;
    void decodeImage() override { m_log.push_back("decode"); }

  private:
    void modal();
    Log& m_log;
    image::MemoryImage& m_transmitImage;
};

struct Rig {
    Log log;
    FakePort port{log};
    FakeTimer timerW{log, "W"};
    FakeTimer timerMeg{log, "Meg"};
    image::MemoryImage receiveImage{};
    image::MemoryImage transmitImage{};
    FakeView view{log, transmitImage};
    radiolink::LinkEngine engine{port, timerW, timerMeg, view, receiveImage, transmitImage};
    SimulatedRadio radio;
    std::size_t answered = 0; // frames sent that the radio has seen

    void receive(const Bytes& bytes) { engine.bytesReceived(bytes); }
    // The radio answers every frame not yet answered, until the line is
    // quiet; `afterAnswer` sees each frame once its answer is in.
    void converse(const std::function<void(const Bytes& frame)>& afterAnswer = {});
    // The radio does not hear the frames sent so far.
    void ignoreSent() { answered = port.sent.size(); }
    // 500 ms pass: each running timer ticks, TimerMeg first (it starts first).
    void elapse(int ticks = 1);
    // The log from the first entry that equals `from` on.
    Log logFrom(const std::string& from) const;
};

} // namespace linktest
