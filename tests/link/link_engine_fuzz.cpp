// Drives the link engine with whatever the input says: starts of either
// transfer in any mode, random bursts, a radio that answers properly, ticks,
// and bytes and ticks inside the message boxes and the question. After every
// call it checks what must always hold:
// - no block is written before an ident of the chosen band has come, or the
//   user has confirmed a forced write, and each only after a 0x06 byte from
//   the radio; nor is a write's success shown without one after "E";
// - blocks are written and requested only in the order of the block maps,
//   with TransmitImage's bytes, and nothing outside the read map of
//   ReceiveImage ever changes;
// - a read acknowledges only a whole ident (after 0x06 bytes that answer a
//   repeated handshake) and then only whole blocks that echo the address
//   asked for; it asks for a block only after an ident, and for the next one
//   only after it took the one before;
// - a success is shown only after every block: a read's only when it took
//   each block of its map and ReceiveImage holds the bytes of the blocks it
//   took, after the radio's band; a write's only when the radio acknowledged
//   each block of its map and then "E";
// - the radio's band reaches the band list only as a read succeeds, and the
//   editors are filled only after that success;
// - stages, ticks, timers and the progress window stay consistent.
#include "engine_rig.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

namespace {

using namespace linktest;

constexpr std::uint8_t Pattern = 0xA5; // ReceiveImage outside the read map
constexpr int NestingLimit = 2;

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "link engine fuzz: %s\n", what);
        std::abort();
    }
}

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool done() const { return m_at >= m_size; }
    std::uint8_t next() { return done() ? 0 : m_data[m_at++]; }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

class Harness {
  public:
    explicit Harness(Input& input) : m_in(input) {
        m_rig.receiveImage.fill(Pattern);
        for (std::size_t i = 0; i < m_rig.view.encoded.size(); ++i)
            m_rig.view.encoded[i] = std::uint8_t(i * 31 + 7);
        m_rig.view.whileModal = [this] { modal(); };
    }

    void run() {
        while (!m_in.done()) {
            topLevelStep();
            checkAfterStep();
            checkTopLevel();
        }
    }

  private:
    // Steps: 0 read, 1 write, 2 port open or closed, 3 the radio's band byte,
    // 4 and on one of the line's steps.
    void topLevelStep() {
        const int op = m_in.next() % (4 + LineSteps);
        switch (op) {
        case 0:
            startRead();
            break;
        case 1:
            startWrite();
            break;
        case 2:
            m_rig.port.open = !m_rig.port.open;
            break;
        case 3:
            m_rig.radio.bandByte = m_in.next();
            break;
        default:
            lineStep(op - 4);
        }
    }

    // What can happen while a message box or the question is open: a burst,
    // the radio's answer to the next frame (clean or garbled), the answers to
    // all frames, a tick, the user's Cancel, the clean answers to the next 0
    // to 255 frames (so that a few bytes reach any block of a transfer).
    static constexpr int LineSteps = 7;
    void lineStep(int op) {
        switch (op) {
        case 0: {
            Bytes burst(m_in.next() % 24);
            for (std::uint8_t& b : burst)
                b = m_in.next();
            deliver(burst);
            break;
        }
        case 1:
            answerOne(false);
            break;
        case 2:
            answerOne(true);
            break;
        case 3:
            while (answerOne(false)) {
            }
            break;
        case 4:
            m_rig.elapse();
            break;
        case 5:
            cancel();
            break;
        default:
            for (int n = m_in.next(); n > 0 && answerOne(false); --n) {
            }
        }
    }

    void modal() {
        if (m_nesting == NestingLimit)
            return;
        ++m_nesting;
        for (int n = m_in.next() % 4; n > 0; --n) {
            lineStep(m_in.next() % LineSteps);
            checkAfterStep();
        }
        --m_nesting;
    }

    // Ends what runs with "E" and nothing else: no message, no decode.
    void cancel() {
        const bool busy = m_rig.engine.busy();
        const std::size_t logBefore = m_rig.log.size();
        m_rig.engine.cancel();
        require(!m_rig.engine.busy(), "a cancel ends the transfer");
        if (!busy) {
            require(m_rig.log.size() == logBefore, "a cancel with nothing running does nothing");
            return;
        }
        require(m_rig.log.at(logBefore) == "send E", "a cancel tells the radio to end");
        for (std::size_t i = logBefore; i < m_rig.log.size(); ++i)
            require(!m_rig.log[i].starts_with("message") && m_rig.log[i] != "decode",
                    "a cancel shows nothing");
        require(m_rig.engine.failure().reason == radiolink::StallReason::Cancelled,
                "a cancel is told as one");
    }

    void startRead() {
        const bool idle = !m_rig.engine.busy();
        if (idle) {
            m_reading = true;
            m_requests = 0;
            m_identBand.reset();
            m_taken.assign(readAddresses().size(), std::nullopt);
        }
        startChecked([this] { m_rig.engine.startRead(); });
        require(!idle || m_rig.engine.Reading == m_rig.port.open, "read starts when it may");
    }

    // Modes: 1 ForceWriteMode, 2 DebugMode, 4 OK to the question, 8 a band
    // list showing a band of the input's choice instead of the radio's.
    void startWrite() {
        const std::uint8_t modes = m_in.next();
        const int band = modes & 8 ? m_in.next() % 8 : (m_rig.radio.bandByte & 0x0F) % 8;
        if (!m_rig.engine.busy()) {
            m_rig.view.band = band;
            m_rig.view.forceAnswer = modes & 4;
            m_force = modes & 1;
            m_debug = modes & 2;
            m_reading = false;
            m_identSeen = false;
            m_forced = false;
            m_written = 0;
            m_blocksAcknowledged = 0;
            m_sinceWriteStart.clear();
        }
        startChecked([&] {
            m_rig.engine.startWrite({.forceWrite = bool(modes & 1), .debug = bool(modes & 2)});
        });
    }

    // With the port closed a start shows its message and starts nothing (the
    // message box may let in ticks of a timer still running from before).
    void startChecked(const std::function<void()>& start) {
        const bool closed = !m_rig.port.open && !m_rig.engine.busy();
        const std::size_t logBefore = m_rig.log.size();
        start();
        if (!closed)
            return;
        require(m_rig.log.at(logBefore) == "message PortInvalid", "a closed port is named");
        for (std::size_t i = logBefore; i < m_rig.log.size(); ++i)
            require(m_rig.log[i] != "encode" && m_rig.log[i] != "commit" &&
                        m_rig.log[i] != "start W" && !m_rig.log[i].starts_with("progress"),
                    "a closed port starts nothing");
    }

    // The radio's bytes; an ident of the chosen band is noted as it completes.
    void deliver(const Bytes& burst) {
        m_sinceWriteStart.insert(m_sinceWriteStart.end(), burst.begin(), burst.end());
        const Bytes& s = m_sinceWriteStart;
        if (s.size() >= 8) {
            const auto tail = s.end() - 8;
            const Bytes name{'T', 'Q', '-', '3', '0', '5'};
            if (std::equal(name.begin(), name.end(), tail) && (tail[6] & 0x0F) == m_rig.view.band)
                m_identSeen = true;
        }
        m_rig.log.push_back("recv");
        m_received.push_back(burst);
        m_rig.receive(burst);
    }

    // A garbled answer has its bytes flipped by the input and up to two more.
    bool answerOne(bool garbled) {
        if (m_rig.answered == m_rig.port.sent.size())
            return false;
        const Bytes frame = m_rig.port.sent[m_rig.answered++];
        Bytes reply = m_rig.radio.answer(frame);
        if (garbled) {
            for (std::uint8_t& b : reply)
                b ^= m_in.next();
            for (int extra = m_in.next() % 3; extra > 0; --extra)
                reply.push_back(m_in.next());
        }
        deliver(reply);
        return true;
    }

    void checkAfterStep() {
        const radiolink::LinkEngine& e = m_rig.engine;
        require(!(e.Reading && e.Writing), "one transfer at a time");
        require(e.ReadStage >= 1 && e.ReadStage <= 101, "read stage in range");
        require(e.WriteStage >= 1 && e.WriteStage <= 103, "write stage in range");
        require(e.IdleTicks >= 0 && e.IdleTicks <= 6, "idle ticks in range");
        require(e.HandshakeTicks >= 0 && e.HandshakeTicks <= 2, "handshake ticks in range");
        for (std::size_t i = 0; i < m_rig.receiveImage.size(); ++i)
            require(readFills(i) || m_rig.receiveImage[i] == Pattern, "read outside the map");
        // In the order they happened: every frame sent and every burst
        // received has its entry in the log.
        for (; m_logChecked < m_rig.log.size(); ++m_logChecked) {
            const std::string& entry = m_rig.log[m_logChecked];
            if (entry.starts_with("send ")) {
                const Bytes& frame = m_rig.port.sent.at(m_framesChecked++);
                if (m_lastFrameWasBlock && m_acknowledged)
                    ++m_blocksAcknowledged;
                m_lastFrameWasBlock = frame.size() == 20 && frame[0] == 'W';
                checkFrame(frame);
                m_acknowledged = false;
                m_sinceSend.clear();
            } else if (entry == "recv") {
                const Bytes& burst = m_received.at(m_burstsChecked++);
                m_acknowledged |= std::ranges::find(burst, 0x06) != burst.end();
                m_sinceSend.insert(m_sinceSend.end(), burst.begin(), burst.end());
            } else {
                checkLogEntry(entry, m_logChecked);
            }
        }
    }

    void checkFrame(const Bytes& frame) {
        if (frame.size() == 20 && frame[0] == 'W') {
            require(m_identSeen || m_forced,
                    "block written before a right ident or a confirmation");
            require(m_acknowledged, "block written without the radio's acknowledge");
            const std::vector<int> map = writeAddresses(m_debug);
            require(m_written < map.size(), "more blocks written than the map holds");
            const int address = map[m_written++];
            require(frame[1] == address >> 8 && frame[2] == (address & 0xFF) && frame[3] == 16,
                    "block written out of the map's order");
            require(
                std::equal(frame.begin() + 4, frame.end(), m_rig.view.encoded.begin() + address),
                "block written is not TransmitImage");
        } else if (frame.size() == 4 && frame[0] == 'R') {
            const std::vector<int> map = readAddresses();
            require(m_identBand.has_value(), "block requested before an ident was taken");
            require(m_requests == 0 || m_taken[m_requests - 1],
                    "block requested before the one before was taken");
            require(m_requests < map.size(), "more blocks requested than the map holds");
            const int address = map[m_requests++];
            require(frame[1] == address >> 8 && frame[2] == (address & 0xFF) && frame[3] == 16,
                    "block requested out of the map's order");
        } else if (frame.size() == 1 && frame[0] == 0x06 && m_reading) {
            readAcknowledge();
        }
    }

    // The read's 0x06 answers the ident, or the block asked for last.
    void readAcknowledge() {
        if (m_requests == 0) {
            Bytes ident = m_sinceSend;
            if (!m_identBand)
                ident.erase(ident.begin(),
                            std::ranges::find_if(ident, [](std::uint8_t b) { return b != 0x06; }));
            const Bytes name{'T', 'Q', '-', '3', '0', '5'};
            require(ident.size() == 8 && std::equal(name.begin(), name.end(), ident.begin()),
                    "read acknowledged something else than an ident");
            m_identBand = ident[6] & 0x0F;
            return;
        }
        const int address = readAddresses()[m_requests - 1];
        const Bytes& block = m_sinceSend;
        require(block.size() == 20 && block[0] == 'W' && block[1] == address >> 8 &&
                    block[2] == (address & 0xFF),
                "read acknowledged something else than the block asked for");
        m_taken[m_requests - 1] = Bytes(block.begin() + 4, block.end());
    }

    // ReceiveImage holds the bytes of every block the read took; of the last
    // block only those it keeps.
    bool readImageComplete() const {
        const std::vector<int> map = readAddresses();
        for (std::size_t n = 0; n < map.size(); ++n) {
            if (!m_taken[n])
                return false;
            for (std::size_t i = 0; i < 16; ++i)
                if (readFills(std::size_t(map[n]) + i) &&
                    m_rig.receiveImage[std::size_t(map[n]) + i] != (*m_taken[n])[i])
                    return false;
        }
        return true;
    }

    void checkLogEntry(const std::string& entry, std::size_t at) {
        const auto& log = m_rig.log;
        if (entry.starts_with("band ")) {
            require(at + 1 < log.size() && log[at + 1] == "message ReadSucceeded",
                    "the radio's band taken without a read's success");
            require(m_identBand && entry == "band " + std::to_string(*m_identBand),
                    "the band taken is not the ident's");
        } else if (entry == "decode") {
            require(std::exchange(m_decodeDue, false), "editors filled without a read's success");
        } else if (entry == "question") {
            require(m_force, "question outside ForceWriteMode");
            m_forced = m_rig.view.forceAnswer;
        } else if (entry == "message WriteSucceeded") {
            require(m_written == writeAddresses(m_debug).size(),
                    "write success before every block");
            require(m_blocksAcknowledged == m_written, "write success with a block unacknowledged");
            require(m_acknowledged, "write success without the radio's acknowledge");
        } else if (entry == "message ReadSucceeded") {
            require(m_requests == readAddresses().size(), "read success before every block");
            require(readImageComplete(), "read success without every block taken and stored");
            require(at > 0 && log[at - 1].starts_with("band "),
                    "read success without the radio's band");
            m_decodeDue = true;
        }
    }

    // Between the user's commands, nothing is half open.
    void checkTopLevel() {
        const bool busy = m_rig.engine.busy();
        require(m_rig.timerW.running == busy, "watchdog runs exactly while a transfer does");
        require(m_rig.view.progressOpen == busy, "progress shown exactly while a transfer runs");
    }

    Input& m_in;
    Rig m_rig;
    int m_nesting = 0;
    std::size_t m_framesChecked = 0;
    std::size_t m_logChecked = 0;
    std::vector<Bytes> m_received;
    std::size_t m_burstsChecked = 0;
    // A 0x06 byte has come since the last frame sent, among these bytes.
    bool m_acknowledged = false;
    Bytes m_sinceSend;
    // The last transfer started is a read.
    bool m_reading = false;
    // The write running or last run.
    bool m_force = false;
    bool m_debug = false;
    bool m_identSeen = false;
    bool m_forced = false;
    std::size_t m_written = 0;
    std::size_t m_blocksAcknowledged = 0;
    bool m_lastFrameWasBlock = false;
    Bytes m_sinceWriteStart;
    // The read running or last run: the blocks asked for, the ident's band,
    // the data of each block of the map it took.
    std::size_t m_requests = 0;
    std::optional<int> m_identBand;
    std::vector<std::optional<Bytes>> m_taken;
    bool m_decodeDue = false; // after the success's message box
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    Harness(input).run();
    return 0;
}
