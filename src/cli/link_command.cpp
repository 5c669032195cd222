#include "cli/link_command.h"

#include "cli/exit_codes.h"
#include "cli/link_failure_text.h"
#include "cli/link_options.h"
#include "cli/link_session.h"
#include "cli/radio_record.h"
#include "cli/terminal_progress.h"
#include "cli/usage.h"
#include "files/dat_file.h"
#include "platform/serial_port.h"
#include "records/write_result.h"
#include "words/band_entries.h"
#include "words/program_flags.h"

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace cli {

namespace {

int failureExit(SessionEnd end) {
    return end == SessionEnd::Interrupted ? ExitInterrupted : ExitRadio;
}

// A header band byte that names no band when the file is opened again.
constexpr std::uint8_t NoBandByte = 0x10;

void say(const std::string& line) {
    std::fprintf(stderr, "tq305: %s\n", line.c_str());
}

bool isBand(std::optional<int> code) {
    return code && *code >= 0 && *code < editors::bands::Count;
}

bool openPort(radiolink::SerialPort& port, const RadioPort& where) {
    if (where.number)
        return port.openPort(*where.number);
    return port.openDevice(QFile::decodeName(QByteArray::fromStdString(where.device)));
}

// A read that fails writes nothing, so an existing file stays as it was.
int readRadio(LinkSession& session, const LinkOptions& options, const std::string& port,
              const std::string& device) {
    const SessionEnd end = session.read();
    if (end != SessionEnd::Done) {
        say(transferFailureText(end, session, options.kind, port, std::nullopt));
        return failureExit(end);
    }
    // A band code the band list lacks is not written as a band: "0A" would
    // read back as band 0.
    const std::optional<int> band = session.radioBand();
    const files::WriteResult saved = files::saveDatFile(
        options.file, session.ReceiveImage, isBand(band) ? std::uint8_t(*band) : NoBandByte);
    if (!saved.ok()) {
        say(saveFailureText(options.file, saved));
        return ExitCannotOpen;
    }
    if (!isBand(band))
        say("note: the radio reported " + bandName(band) +
            ", none of the program's bands: " + shownName(options.file) + " names no band");
    say("read the radio into " + shownName(options.file) + ": " + bandName(band));
    records::Record record =
        radioRecord(records::Action::Read, options.ports.front(), device, options.file, band);
    record.result = records::readResultText();
    return keepRadioRecord(record) ? ExitDone : ExitCannotOpen;
}

// The port opened as the options say, the transfer run by `transfer`.
template <typename Transfer> int overThePort(const LinkOptions& options, Transfer transfer) {
    radiolink::SerialPort port;
    const RadioPort& where = options.ports.front();
    if (!openPort(port, where)) {
        say(portFailureText(port, where));
        return ExitCannotOpen;
    }
    TerminalProgress progress(stderr, ::isatty(STDERR_FILENO) == 1);
    LinkSession session(port, &progress);
    return transfer(session, portName(port, where),
                    QFile::encodeName(port.deviceName()).toStdString());
}

} // namespace

int runRead(int& argc, char** argv, const LinkOptions& options) {
    QCoreApplication app(argc, argv);
    // Told now, not after the seconds of a read whose bytes could not be kept.
    if (const files::WriteResult possible = files::checkReplaceable(options.file); !possible.ok()) {
        say(saveFailureText(options.file, possible));
        return ExitCannotOpen;
    }
    return overThePort(
        options, [&](LinkSession& session, const std::string& port, const std::string& device) {
            return readRadio(session, options, port, device);
        });
}

namespace {

QString deviceOf(const RadioPort& where) {
    return where.number ? radiolink::portDeviceName(*where.number)
                        : QFile::decodeName(QByteArray::fromStdString(where.device));
}

std::string optionText(const RadioPort& where) {
    return where.number ? "--port " + std::to_string(*where.number)
                        : "--device " + shownName(where.device);
}

// Two spellings of one device (a link, "../pts/3", a port number's link) are
// one radio given twice; left to the ports, the second would only be told
// that the device is in use.
bool eachRadioOnce(const LinkOptions& options, std::string& error) {
    for (std::size_t n = 1; n < options.ports.size(); ++n)
        for (std::size_t before = 0; before < n; ++before)
            if (radiolink::SerialPort::devicePath(deviceOf(options.ports[n])) ==
                radiolink::SerialPort::devicePath(deviceOf(options.ports[before]))) {
                error = "tq305 write: " + optionText(options.ports[n]) +
                        " is given twice: it is the device of " + optionText(options.ports[before]);
                return false;
            }
    return true;
}

} // namespace

int runLinkCommand(int& argc, char** argv, LinkTransfer transfer) {
    // The arguments as bytes: a file name need not be valid text.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    std::optional<LinkOptions> options = parseLinkOptions(arguments, error);
    if (options && !eachRadioOnce(*options, error))
        options.reset();
    if (!options) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), usageLines({"read", "write"}).c_str());
        return ExitUsage;
    }
    ui::UILanguage = 1; // the shared texts it uses, in English
    // A standard error whose reader has gone (`2>&1 | tee log` in a session
    // that dropped) must not end a transfer half-way, the radio left in
    // clone mode: the progress line fails instead, and the transfer goes on.
    std::signal(SIGPIPE, SIG_IGN);
    return transfer(argc, argv, *options);
}

} // namespace cli
