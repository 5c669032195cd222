#include "cli/link_command.h"

#include "cli/file_windows.h"
#include "cli/link_failure_text.h"
#include "cli/link_options.h"
#include "cli/link_session.h"
#include "cli/terminal_progress.h"
#include "cli/usage.h"
#include "cli/window_messages.h"
#include "cli/written_part.h"
#include "editors/band_selection.h"
#include "files/dat_file.h"
#include "link/qt/serial_port.h"
#include "shell/main_window.h"
#include "ui/program_flags.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace cli {

namespace {

using Image = std::array<std::uint8_t, image::ImageSize>;

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
               const Image& image, std::optional<int> band) {
    const SessionEnd end = session.write(image, band, {options.forceBand, options.calibration});
    if (end != SessionEnd::Done) {
        say(transferFailureText(end, session, options.kind, port, band));
        say("note: " + writtenPartText(session.engine().WriteStage, shownName(options.file)));
        return failureExit(end);
    }
    // The radio's band is known here only when it differed from the file's.
    if (session.radioBand())
        say("note: the radio is set to " + bandName(session.radioBand()) + ", the file is for " +
            bandName(band) + "; written anyway (--force-band)");
    say("wrote " + shownName(options.file) + " to the radio" +
        (options.calibration ? ", the calibration block included" : ""));
    return ExitDone;
}

// What the program sends for the file: opened into its windows as File >
// Open does, then encoded again, so bytes the windows cannot hold never
// reach the radio. None when the windows had something to say about it.
std::optional<Image> encodedImage(const files::DatFile& file) {
    const FileWindows windows(file, 1);
    shell::MainWindow& window = windows.window();
    window.EncodeImage();
    if (windowsSpoke())
        return std::nullopt;
    Image image{};
    std::copy_n(window.TransmitImage.begin(), image.size(), image.begin());
    return image;
}

// The port opened as the options say, the transfer run by `transfer`.
template <typename Transfer> int overThePort(const LinkOptions& options, Transfer transfer) {
    radiolink::SerialPort port;
    if (!openPort(port, options)) {
        say(portFailureText(port, options));
        return ExitCannotOpen;
    }
    TerminalProgress progress(stderr, ::isatty(STDERR_FILENO) == 1);
    LinkSession session(port, &progress);
    return transfer(session, portName(port, options));
}

int runRead(int& argc, char** argv, const LinkOptions& options) {
    QCoreApplication app(argc, argv);
    // Told now, not after the seconds of a read whose bytes could not be kept.
    if (const files::WriteResult possible = files::checkReplaceable(options.file); !possible.ok()) {
        say(saveFailureText(options.file, possible));
        return ExitCannotOpen;
    }
    return overThePort(options, [&](LinkSession& session, const std::string& port) {
        return readRadio(session, options, port);
    });
}

int runWrite(int& argc, char** argv, const LinkOptions& options) {
    // The file first: a write that cannot happen leaves the port alone.
    const files::LoadResult loaded = files::loadDatFile(options.file);
    if (!loaded.ok()) {
        say(loadFailureText(options.file, loaded));
        return ExitCannotOpen;
    }
    const auto app = windowApplication(argc, argv);
    const std::optional<Image> image = encodedImage(loaded.file);
    if (!image) {
        say(shownName(options.file) + ": not written: the program's windows refused it");
        return ExitCannotOpen;
    }
    return overThePort(options, [&](LinkSession& session, const std::string& port) {
        return writeRadio(session, options, port, *image, loaded.file.band);
    });
}

} // namespace

int runLinkCommand(int& argc, char** argv) {
    // The arguments as bytes: a file name need not be valid text.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const std::optional<LinkOptions> options = parseLinkOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), usageLines({"read", "write"}).c_str());
        return ExitUsage;
    }
    ui::UILanguage = 1; // the shared texts it uses, in English
    // A standard error whose reader has gone (`2>&1 | tee log` in a session
    // that dropped) must not end a transfer half-way, the radio left in
    // clone mode: the progress line fails instead, and the transfer goes on.
    std::signal(SIGPIPE, SIG_IGN);
    if (options->kind == radiolink::TransferKind::Read)
        return runRead(argc, argv, *options);
    return runWrite(argc, argv, *options);
}

} // namespace cli
