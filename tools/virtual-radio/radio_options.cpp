#include "radio_options.h"

#include <algorithm>
#include <charconv>

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
    else if (name == "--band")
        return bool(m_options.band = numberValue(name, 0, 15));
    else if (name == "--com")
        return bool(m_options.comPort = numberValue(name, 1, 16));
    else if (name == "--stall-at")
        return bool(f.stallAt = numberValue(name, 1, 9999));
    else if (name == "--hang-up-at")
        return bool(f.hangUpAt = numberValue(name, 1, 9999));
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
    return R"(Usage: tq305-radio [IMAGE] [--band N] [--fast] [--com N | --link PATH]
                   [--save FILE] [--once] [-v] [FAULTS]

A TQ-305 on a pseudo-terminal: it serves the radio's side of the clone
protocol from its 2048-byte memory. When it is ready it prints the path of
the pseudo-terminal as one line on standard output; open that path as the
serial port.

  IMAGE           a .dat file (its header gives the band) or a raw 2048-byte
                  image; without one the memory is all 0xFF, band 3
  --band N        the band code the ident reports, 0..7 (8..15 to try codes
                  the program's band list lacks); overrides the image's band
  --fast          send without the timing of a 9600-baud line; otherwise
                  every byte in either direction takes 10/9600 s
  --com N         make the link comN (N 1..16) in
                  ${XDG_DATA_HOME:-$HOME/.local/share}/TQ305CloneDesk/ports/
                  so that the program's port N reaches this radio; removed
                  again when the radio ends
  --link PATH     the same with a link path of your own
  --save FILE     after each transfer that wrote blocks, save the memory to
                  FILE as a .dat with the radio's band (on "E")
  --once          end after the first transfer that ends with "E"
  -v, --verbose   log every frame on standard error
  -h, --help      this text

Faults, for tests and demonstrations:
  --silent        answer nothing at all
  --late-ack      leave the first "PROGRAM" of each transfer unanswered and
                  acknowledge the second (the program repeats it after 1.5 s)
  --product NAME  report another 6-character product name in the ident
  --band N        (above) report another band: a write is then refused
  --stall-at K    stop answering at the K-th block request or write block of
                  a transfer (1-based) until the transfer ends with "E"
  --stray-bytes   send the noise bytes 0x10 0x65 ahead of the 0x06 that
                  acknowledges "PROGRAM", each write block and the "E" of a
                  write, and the 0x06 only 50 ms later. As text the noise
                  reads "1065", which holds "06" across the byte boundary: a
                  program that takes that for an acknowledgement sends its
                  next frame while the radio is busy, and the radio drops
                  it, so the write leaves holes; a careful program waits for
                  the real 0x06 and loses nothing
  --hang-up-at K  at the K-th block request or write block of a transfer,
                  close the pseudo-terminal as a pulled cable and exit 3

Exit status: 0 ended (--once, or SIGINT/SIGTERM/SIGHUP); 1 could not start
or a save failed; 2 wrong command line; 3 hung up by --hang-up-at.
)";
}

} // namespace radio
