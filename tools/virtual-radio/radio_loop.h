// Serves the clone protocol on the pseudo-terminal until the radio is done:
// reads the PC's bytes, hands whole frames to the radio, sends its replies
// at the line's pace and saves the memory after a write.
#pragma once

#include "clone_radio.h"
#include "frame_reader.h"
#include "line_pacer.h"
#include "pseudo_terminal.h"

#include <csignal>
#include <optional>
#include <string>

namespace radio {

// Exit statuses of tq305-radio.
inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;
inline constexpr int ExitHungUp = 3;
inline constexpr int ExitViolation = 4; // --strict, and the PC broke the protocol

// How long the radio is busy before its real acknowledgement when it sends
// stray bytes, as a radio storing a block would.
inline constexpr Clock::duration BusyPause = std::chrono::milliseconds(50);

struct LoopSettings {
    bool fast = false;
    bool once = false;
    bool verbose = false;
    std::optional<std::string> savePath;
    bool strict = false;
    Clock::duration answerDelay{};
    bool bursts = false;
    bool offCable = false; // starts taken off the cable
};

class RadioLoop {
  public:
    RadioLoop(PseudoTerminal& line, CloneRadio& radio, const LoopSettings& settings);

    // Runs until --once is done, a hang-up fault, or `stop` is set by a
    // signal; each count of `cableMoves` takes the radio off the cable or
    // puts it back. Signals are taken only while waiting, with waitMask in
    // force. Returns the exit status.
    int run(const volatile std::sig_atomic_t& stop, const volatile std::sig_atomic_t& cableMoves,
            const sigset_t& waitMask);

  private:
    int serve(const volatile std::sig_atomic_t& stop, const volatile std::sig_atomic_t& cableMoves,
              const sigset_t& waitMask);
    // Off the cable the radio hears nothing and says nothing: what the PC
    // sends is dropped unread by the radio, answers not sent yet are lost,
    // and a transfer in progress ends without "E".
    void moveCable(bool onCable);
    void saveWrites();
    void violation(const std::string& what);
    void readInput(Clock::time_point now);
    void onFrame(const Frame& frame, Clock::time_point arrival);
    void queueReplies(const Reaction& reaction, Clock::time_point arrival);
    void endTransfer();
    void writeDue(Clock::time_point now);
    void log(const std::string& line) const;

    PseudoTerminal& m_line;
    CloneRadio& m_radio;
    LoopSettings m_settings;
    LinePacer m_pacer;
    FrameReader m_reader;
    // The count of queued bytes at which the answer to the PC's last frame
    // has gone out: a frame that comes sooner is out of step.
    std::uint64_t m_answerEnd = 0;
    int m_violations = 0;
    bool m_outputBlocked = false;
    bool m_finishing = false; // --once: the last replies are going out
    bool m_saveFailed = false;
    std::optional<int> m_exit;
    bool m_onCable = true;
    std::sig_atomic_t m_cableMovesSeen = 0;
};

} // namespace radio
