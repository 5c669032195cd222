#include "cli/link_command.h"

#include "cli/link_failure_text.h"
#include "cli/link_options.h"
#include "cli/link_session.h"
#include "cli/terminal_progress.h"
#include "editors/band_selection.h"
#include "files/dat_file.h"
#include "link/qt/serial_port.h"
#include "ui/program_flags.h"

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace cli {

namespace {

enum Exit { ExitDone = 0, ExitRadio = 1, ExitUsage = 2, ExitCannotOpen = 3, ExitInterrupted = 130 };

int failureExit(SessionEnd end) {
    return end == SessionEnd::Interrupted ? ExitInterrupted : ExitRadio;
}

// A header band byte that names no band when the file is opened again.
constexpr std::uint8_t NoBandByte = 0x10;

void say(const std::string& line) {
    std::fprintf(stderr, "tq305: %s\n", line.c_str());
}

bool isBand(std::optional<int> code) {
    return code && *code >= 0 && *code < editors::BandSelection::BandCount;
}

bool openPort(radiolink::SerialPort& port, const LinkOptions& options) {
    if (options.port)
        return port.openPort(*options.port);
    return port.openDevice(QFile::decodeName(QByteArray::fromStdString(options.device)));
}

// A read that fails writes nothing, so an existing file stays as it was.
int readRadio(LinkSession& session, const LinkOptions& options, const std::string& port) {
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
    return ExitDone;
}

int writeRadio(LinkSession& session, const LinkOptions& options, const std::string& port,
               const files::DatFile& file) {
    const SessionEnd end =
        session.write(file.image, file.band, {options.forceBand, options.calibration});
    if (end != SessionEnd::Done) {
        say(transferFailureText(end, session, options.kind, port, file.band));
        return failureExit(end);
    }
    // The radio's band is known here only when it differed from the file's.
    if (session.radioBand())
        say("note: the radio is set to " + bandName(session.radioBand()) + ", the file is for " +
            bandName(file.band) + "; written anyway (--force-band)");
    say("wrote " + shownName(options.file) + " to the radio" +
        (options.calibration ? ", the calibration block included" : ""));
    return ExitDone;
}

} // namespace

int runLinkCommand(int argc, char** argv) {
    // The arguments as bytes: a file name need not be valid text.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    QCoreApplication app(argc, argv);
    // Past a file size limit the save fails and is reported, instead of the signal ending us.
    std::signal(SIGXFSZ, SIG_IGN);
    ui::UILanguage = 1; // the shared texts it uses, in English

    std::string error;
    const std::optional<LinkOptions> options = parseLinkOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), LinkUsage);
        return ExitUsage;
    }
    if (options->help) {
        std::fputs(LinkUsage, stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? ExitDone : ExitRadio;
    }

    // The file first: a write that cannot happen leaves the port alone.
    files::LoadResult loaded;
    if (options->kind == radiolink::TransferKind::Write) {
        loaded = files::loadDatFile(options->file);
        if (!loaded.ok()) {
            say(loadFailureText(options->file, loaded));
            return ExitCannotOpen;
        }
    }

    radiolink::SerialPort port;
    if (!openPort(port, *options)) {
        say(portFailureText(port, *options));
        return ExitCannotOpen;
    }
    const std::string name = portName(port, *options);
    TerminalProgress progress(stderr, ::isatty(STDERR_FILENO) == 1);
    LinkSession session(port, &progress);
    if (options->kind == radiolink::TransferKind::Read)
        return readRadio(session, *options, name);
    return writeRadio(session, *options, name, loaded.file);
}

} // namespace cli
