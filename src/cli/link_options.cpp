#include "cli/link_options.h"

#include "platform/port_names.h"
#include "settings/catalogue.h"
#include "settings/phrase.h"
#include "words/file_names.h"

#include <algorithm>
#include <charconv>

namespace cli {

namespace {

std::optional<int> portNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || rest != end || value < 1 ||
        value > radiolink::PortCount)
        return std::nullopt;
    return value;
}

// Reads the arguments after the command one at a time.
class Parser {
  public:
    Parser(const std::vector<std::string>& arguments, std::string& error)
        : m_args(arguments), m_error(error) {}

    std::optional<LinkOptions> parse();

  private:
    bool take(const std::string& argument);
    bool takePort(const std::string& option);
    bool takeValue(const std::string& option);
    bool takeJob(const std::string& option);
    // The key given to both --set and --keep, or empty.
    std::string keyGivenTwice() const;
    // The value after an option; none (and the error set) when it is missing.
    const std::string* value(const std::string& option);
    bool fail(const std::string& message) {
        m_error = "tq305 " + m_args[0] + ": " + message;
        return false;
    }

    const std::vector<std::string>& m_args;
    std::string& m_error;
    std::size_t m_next = 1;
    LinkOptions m_options;
    bool m_haveFile = false;
};

std::optional<LinkOptions> Parser::parse() {
    m_options.kind =
        m_args[0] == "read" ? radiolink::TransferKind::Read : radiolink::TransferKind::Write;
    while (m_next < m_args.size())
        if (!take(m_args[m_next++]))
            return std::nullopt;
    const bool reading = m_options.kind == radiolink::TransferKind::Read;
    if (m_options.ports.empty()) {
        fail("give the radio's port: --port N or --device PATH");
        return std::nullopt;
    }
    if (!m_haveFile) {
        fail(reading ? "give the output file: -o OUT.dat" : "give the data file to write");
        return std::nullopt;
    }
    if (m_options.autoWrite && m_options.repeat) {
        fail("--auto and --repeat exclude each other: --auto goes on by itself");
        return std::nullopt;
    }
    if (!m_options.keep.empty() && !m_options.backup) {
        fail("--keep takes each radio's own value from its backup: give it without --no-backup");
        return std::nullopt;
    }
    if (m_options.changeJob && m_options.job.empty()) {
        fail("--change-job changes a job: give it with --job NAME");
        return std::nullopt;
    }
    return m_options;
}

bool Parser::take(const std::string& argument) {
    const bool reading = m_options.kind == radiolink::TransferKind::Read;
    if (argument == "--port" || argument == "--device")
        return takePort(argument);
    if (!reading && (argument == "--force-band" || argument == "--calibration")) {
        (argument == "--force-band" ? m_options.forceBand : m_options.calibration) = true;
        return true;
    }
    if (!reading && (argument == "--no-backup" || argument == "--no-verify")) {
        (argument == "--no-backup" ? m_options.backup : m_options.verify) = false;
        return true;
    }
    if (!reading && (argument == "--set" || argument == "--start"))
        return takeValue(argument);
    if (!reading && (argument == "--job" || argument == "--keep"))
        return takeJob(argument);
    if (!reading && argument == "--change-job") {
        m_options.changeJob = true;
        return true;
    }
    if (!reading && (argument == "--repeat" || argument == "--again" || argument == "--auto")) {
        (argument == "--repeat"  ? m_options.repeat
         : argument == "--again" ? m_options.again
                                 : m_options.autoWrite) = true;
        return true;
    }
    const bool output = reading && argument == "-o";
    const bool input = !reading && !argument.empty() && argument[0] != '-';
    if (!output && !input)
        return fail("unknown option '" + ui::printableBytes(argument) + "'");
    if (m_haveFile)
        return fail("give one data file");
    const std::string* file = output ? value(argument) : &argument;
    if (!file)
        return false;
    if (file->empty())
        return fail("the data file name is empty");
    m_options.file = *file;
    m_haveFile = true;
    return true;
}

// A read takes one radio; a write as many as are given, each once.
bool Parser::takePort(const std::string& option) {
    if (m_options.kind == radiolink::TransferKind::Read && !m_options.ports.empty())
        return fail("give one port: --port N or --device PATH");
    const std::string* given = value(option);
    if (!given)
        return false;
    RadioPort port;
    if (option == "--device") {
        if (given->empty())
            return fail("--device needs a path");
        port.device = *given;
    } else {
        port.number = portNumber(*given);
        if (!port.number)
            return fail("--port takes a number from 1 to 16, not '" + ui::printableBytes(*given) +
                        "'");
    }
    if (std::ranges::find(m_options.ports, port) != m_options.ports.end())
        return fail(option + " " + ui::printableBytes(*given) + " is given twice");
    m_options.ports.push_back(port);
    return true;
}

bool Parser::takeValue(const std::string& option) {
    const std::string* given = value(option);
    if (!given)
        return false;
    if (option == "--start") {
        if (m_options.start)
            return fail("--start is given twice");
        std::uint64_t start = 0;
        const char* end = given->data() + given->size();
        const auto [rest, ec] = std::from_chars(given->data(), end, start);
        if (given->empty() || ec != std::errc() || rest != end)
            return fail("--start takes a whole number, not '" + *given + "'");
        m_options.start = start;
        return true;
    }
    settings::Phrase error;
    std::optional<settings::ValuePattern> pattern = settings::parsePattern(*given, error);
    if (!pattern)
        return fail("--set " + error.en);
    if (std::ranges::any_of(m_options.values, [&](const settings::ValuePattern& other) {
            return other.key == pattern->key;
        }))
        return fail("--set " + pattern->key + " is given twice");
    m_options.values.push_back(std::move(*pattern));
    return keyGivenTwice().empty() || fail("--set and --keep both give " + keyGivenTwice());
}

bool Parser::takeJob(const std::string& option) {
    const std::string* given = value(option);
    if (!given)
        return false;
    if (option == "--job") {
        if (!m_options.job.empty())
            return fail("--job is given twice");
        if (given->empty())
            return fail("--job needs a name");
        m_options.job = *given;
        return true;
    }
    if (!settings::findKey(*given))
        return fail("--keep " + ui::printableBytes(*given) + ": no setting has this key");
    if (std::ranges::find(m_options.keep, *given) != m_options.keep.end())
        return fail("--keep " + *given + " is given twice");
    m_options.keep.push_back(*given);
    return keyGivenTwice().empty() || fail("--set and --keep both give " + keyGivenTwice());
}

std::string Parser::keyGivenTwice() const {
    for (const settings::ValuePattern& pattern : m_options.values)
        if (std::ranges::find(m_options.keep, pattern.key) != m_options.keep.end())
            return pattern.key;
    return {};
}

const std::string* Parser::value(const std::string& option) {
    if (m_next >= m_args.size()) {
        fail(option + " needs a value");
        return nullptr;
    }
    return &m_args[m_next++];
}

} // namespace

bool isLinkCommand(const std::string& command) {
    return command == "read" || command == "write";
}

std::optional<LinkOptions> parseLinkOptions(const std::vector<std::string>& arguments,
                                            std::string& error) {
    if (arguments.empty() || !isLinkCommand(arguments[0])) {
        error = "tq305: the command is read or write";
        return std::nullopt;
    }
    return Parser(arguments, error).parse();
}

} // namespace cli
