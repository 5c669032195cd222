#include "radio_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

namespace radio {

namespace {

std::optional<int> number(const std::string& text, int min, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<ProductName> productName(const std::string& text) {
    ProductName name{};
    if (text.size() != name.size())
        return std::nullopt;
    std::copy(text.begin(), text.end(), name.begin());
    return name;
}

// The faults that strike at the K-th block frame of a transfer.
using BlockFault = std::optional<int> Faults::*;
constexpr std::pair<std::string_view, BlockFault> BlockFaults[] = {
    {"--stall-at", &Faults::stallAt},
    {"--hang-up-at", &Faults::hangUpAt},
    {"--nak-at", &Faults::nakAt},
    {"--corrupt-block", &Faults::corruptBlock},
    {"--short-block", &Faults::shortBlock},
    {"--long-block", &Faults::longBlock},
    {"--wrong-address", &Faults::wrongAddress},
    {"--change-block", &Faults::changeBlock},
};
constexpr int MaxBlockFrame = 9999;

BlockFault blockFault(std::string_view name) {
    for (const auto& [option, fault] : BlockFaults)
        if (option == name)
            return fault;
    return nullptr;
}

// Reads the command line one argument at a time.
class Parser {
  public:
    Parser(const std::vector<std::string>& args, std::string& error)
        : m_args(args), m_error(error) {}

    std::optional<RadioOptions> parse();

  private:
    bool option(const std::string& name);
    std::optional<std::string> value(const std::string& name);
    std::optional<int> numberValue(const std::string& name, int min, int max);
    template <typename T> bool numberInto(T& target, const std::string& name, int min, int max) {
        const std::optional<int> n = numberValue(name, min, max);
        if (n)
            target = T(*n);
        return bool(n);
    }
    bool fail(const std::string& message) {
        m_error = message;
        return false;
    }

    const std::vector<std::string>& m_args;
    std::string& m_error;
    std::size_t m_next = 0;
    RadioOptions m_options;
};

std::optional<RadioOptions> Parser::parse() {
    while (m_next < m_args.size()) {
        const std::string arg = m_args[m_next++];
        if (!option(arg))
            return std::nullopt;
    }
    if (m_options.comPort && m_options.linkPath) {
        fail("--com and --link exclude each other");
        return std::nullopt;
    }
    return m_options;
}

bool Parser::option(const std::string& name) {
    Faults& f = m_options.faults;
    if (name == "-h" || name == "--help")
        m_options.help = true;
    else if (name == "--version")
        m_options.version = true;
    else if (name == "--fast")
        m_options.fast = true;
    else if (name == "--once")
        m_options.once = true;
    else if (name == "-v" || name == "--verbose")
        m_options.verbose = true;
    else if (name == "--silent")
        f.silent = true;
    else if (name == "--late-ack")
        f.lateAck = true;
    else if (name == "--stray-bytes")
        f.strayBytes = true;
    else if (name == "--double-ack")
        f.doubleAck = true;
    else if (name == "--ack-stray")
        f.ackStray = true;
    else if (name == "--no-ident-ack")
        f.noIdentAck = true;
    else if (name == "--no-end-ack")
        f.noEndAck = true;
    else if (name == "--strict")
        m_options.strict = true;
    else if (name == "--calibration-mode")
        m_options.calibrationMode = true;
    else if (name == "--burst")
        m_options.burst = true;
    else if (name == "--off-cable")
        m_options.offCable = true;
    else if (name == "--answer-delay")
        return numberInto(m_options.answerDelayMs, name, 0, 60000);
    else if (name == "--ident-high")
        return numberInto(f.identHigh, name, 0, 15);
    else if (name == "--ident-tail")
        return numberInto(f.identTail, name, 0, 255);
    else if (const auto fault = blockFault(name))
        return bool(f.*fault = numberValue(name, 1, MaxBlockFrame));
    else if (name == "--band")
        return bool(m_options.band = numberValue(name, 0, 15));
    else if (name == "--fault-in-transfer")
        return bool(f.inTransfer = numberValue(name, 1, MaxBlockFrame));
    else if (name == "--com")
        return bool(m_options.comPort = numberValue(name, 1, 16));
    else if (name == "--link")
        return bool(m_options.linkPath = value(name));
    else if (name == "--save")
        return bool(m_options.savePath = value(name));
    else if (name == "--product") {
        const std::optional<std::string> text = value(name);
        const std::optional<ProductName> product = text ? productName(*text) : std::nullopt;
        if (!product)
            return text ? fail("--product needs exactly 6 characters") : false;
        f.product = *product;
    } else if (name.starts_with("-") && name != "-")
        return fail("unknown option " + name);
    else if (m_options.imagePath)
        return fail("more than one image file");
    else
        m_options.imagePath = name;
    return true;
}

std::optional<std::string> Parser::value(const std::string& name) {
    if (m_next >= m_args.size()) {
        fail(name + " needs a value");
        return std::nullopt;
    }
    return m_args[m_next++];
}

std::optional<int> Parser::numberValue(const std::string& name, int min, int max) {
    const std::optional<std::string> text = value(name);
    if (!text)
        return std::nullopt;
    const std::optional<int> n = number(*text, min, max);
    if (!n)
        fail(name + " needs a number from " + std::to_string(min) + " to " + std::to_string(max));
    return n;
}

} // namespace

std::optional<RadioOptions> parseRadioOptions(const std::vector<std::string>& args,
                                              std::string& error) {
    return Parser(args, error).parse();
}

std::string usageText() {
    return R"(Usage: tq305-radio [IMAGE] [--band N] [--fast] [--burst] [--com N | --link PATH]
                   [--save FILE] [--once] [--strict] [--calibration-mode]
                   [--off-cable] [-v] [IDENT] [FAULTS]

A TQ-305 on a pseudo-terminal: it serves the radio's side of the clone
protocol from its 2048-byte memory. When it is ready it prints the path of
the pseudo-terminal as one line on standard output; open that path as the
serial port.

The radio follows one transfer at a time: "PROGRAM" (answered 0x06; it may
come again until 0x02), 0x02 (answered with the ident), the PC's 0x06
(answered 0x06), then either read requests "R" addr 0x10, each answered
with its block and followed by the PC's 0x06 (answered 0x06), or write
blocks "W" addr 0x10 + 16 bytes, each answered 0x06. "E" ends a transfer at
any point after "PROGRAM" and is answered 0x06; outside a transfer it is let
pass unanswered. Reads may ask for 0x000-0x52F and 0x700-0x7F0, writes may
go to 0x000-0x51F and 0x700-0x7EF (0x7F0 too with --calibration-mode), a
block at a time, on 16-byte boundaries. Any other frame, a frame sent before
the radio's answer to the one before it, or a byte that starts no frame is a
violation: it is not answered, nothing is stored, and one line
"violation: ..." goes to standard error (with or without -v).

Options:
  IMAGE           a .dat file (its header gives the band) or a raw 2048-byte
                  image; without one the memory is all 0xFF, band 3
  --band N        the band code the ident reports, 0..7 (8..15 to try codes
                  the program's band list lacks); overrides the image's band
  --fast          send without the timing of a 9600-baud line; otherwise
                  every byte in either direction takes 10/9600 s
  --burst         deliver each answer in one piece once its last byte's wire
                  time has come, as USB serial adapters do, instead of byte
                  by byte (with --fast: at once)
  --com N         make the link comN (N 1..16) in
                  ${XDG_DATA_HOME:-$HOME/.local/share}/TQ305CloneDesk/ports/
                  so that the program's port N reaches this radio; removed
                  again when the radio ends
  --link PATH     the same with a link path of your own
  --save FILE     after each transfer that wrote blocks, save the memory to
                  FILE as a .dat with the radio's band (on "E")
  --once          end after the first transfer that ends with "E"
  --strict        exit with status 4 at the end (--once, a signal, a hang-up)
                  when the PC broke the protocol at least once
  --calibration-mode
                  accept writes to the calibration block 0x7F0, as a radio
                  in its service mode does
  --off-cable     start taken off the cable (see SIGUSR1 below)
  -v, --verbose   log every frame on standard error
  -h, --help      this text
  --version       the program's version

Ident:
  --product NAME  report another 6-character product name
  --ident-high N  the high four bits of ident byte 7, 0..15 (default 0)
  --ident-tail B  ident byte 8, 0..255 (default 255)

Faults:
For tests and demonstrations. K counts the read requests and write blocks of
a transfer from 1; a fault in a read is in the answer to the K-th request.
  --silent        answer nothing at all
  --late-ack      leave the first "PROGRAM" of each transfer unanswered and
                  acknowledge the second (the program repeats it after 1.5 s)
  --band N        (above) report another band: a write is then refused
  --answer-delay MS
                  send each answer MS milliseconds after the frame it answers
  --stall-at K    stop answering at the K-th block frame of a transfer until
                  the transfer ends with "E" (which goes unanswered too)
  --nak-at K      answer the K-th block frame with 0x15 alone; nothing is
                  stored, and the PC may ask again or end with "E"
  --corrupt-block K
                  the K-th block read starts with 0x58 instead of 0x57
  --short-block K
                  the K-th block read is 19 bytes, its last data byte missing
  --long-block K  the K-th block read has a 21st byte (0xFF) in the same burst
  --wrong-address K
                  the K-th block read carries the address and the data of
                  the block after it in the read map (0x7F0: the one before)
  --change-block K
                  acknowledge the K-th block written as usual but store it
                  with its first data byte XOR 0x01, for a read-back to find
  --fault-in-transfer N
                  the faults above that take K strike only in the N-th
                  transfer since the radio started (from 1): for a write
                  that reads a backup first, the write is transfer 2
  --double-ack    every 0x06 the radio sends goes out twice in one burst
  --ack-stray     every 0x06 the radio sends is followed in the same burst
                  by the noise bytes 0x10 0x65
  --no-ident-ack  leave the PC's 0x06 after the ident unanswered
  --no-end-ack    leave "E" unanswered
  --stray-bytes   send the noise bytes 0x10 0x65 ahead of the 0x06 that
                  acknowledges "PROGRAM", each write block and the "E" of a
                  write, and the 0x06 only 50 ms later. As text the noise
                  reads "1065", which holds "06" across the byte boundary: a
                  program that takes that for an acknowledgement sends its
                  next frame while the radio is busy, and the radio drops
                  it (a violation), so the write leaves holes; a careful
                  program waits for the real 0x06 and loses nothing
  --hang-up-at K  at the K-th block frame of a transfer, close the
                  pseudo-terminal as a pulled cable and exit 3

Off the cable and back on:
SIGUSR1 takes the radio off the cable; the next SIGUSR1 puts it back on,
and so on. Off the cable it answers nothing and hears nothing: what the PC
sends is dropped (no violation), answers not sent yet are lost, and a
transfer in progress is abandoned (the blocks it wrote are kept, and saved
with --save). The pseudo-terminal and the --com link stay, as an adapter
stays plugged in while radios are swapped on its cable. Put back, the radio
holds what it held:
  kill -USR1 PID

Exit status:
  0               ended (--once, or SIGINT, SIGTERM or SIGHUP)
  1               could not start, or a save failed
  2               a wrong command line
  3               hung up by --hang-up-at
  4               (with --strict) the PC broke the protocol, whatever the end

Environment:
  XDG_DATA_HOME   the per-user data folder, ~/.local/share when unset: --com N
                  links TQ305CloneDesk/ports/comN there

Files:
  ~/.local/share/TQ305CloneDesk/ports/comN
                  the link --com N makes to the pseudo-terminal, removed at
                  the end

See also:
tq305(1), TQ305sys(1)
)";
}

} // namespace radio
