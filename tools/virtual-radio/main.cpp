// tq305-radio: a TQ-305 on a pseudo-terminal, for tests, demonstrations and
// working without a cable. See usageText() for the command line.
#include "clone_radio.h"
#include "port_link.h"
#include "pseudo_terminal.h"
#include "radio_image.h"
#include "radio_loop.h"
#include "radio_options.h"
#include "words/program_version.h"

#include <csignal>
#include <iostream>

namespace {

volatile std::sig_atomic_t stopRequested = 0;
volatile std::sig_atomic_t cableMoves = 0;

void requestStop(int) {
    stopRequested = 1;
}

void moveCable(int) {
    cableMoves = cableMoves + 1;
}

// The stop signals and SIGUSR1 (off the cable, back on) are blocked except
// while the loop waits, so one that comes at any other moment is taken at
// the next wait and the link is always removed. Returns the mask to wait
// with.
sigset_t catchSignals() {
    sigset_t caught;
    sigemptyset(&caught);
    struct sigaction action {};
    action.sa_handler = requestStop;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
        sigaddset(&caught, signal);
    }
    action.sa_handler = moveCable;
    sigaction(SIGUSR1, &action, nullptr);
    sigaddset(&caught, SIGUSR1);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &caught, &waitMask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGUSR1})
        sigdelset(&waitMask, signal);
    return waitMask;
}

std::optional<radio::RadioImage> startImage(const radio::RadioOptions& options) {
    if (!options.imagePath)
        return radio::blankRadioImage();
    std::string error;
    std::optional<radio::RadioImage> image = radio::loadRadioImage(*options.imagePath, error);
    if (!image)
        std::cerr << "tq305-radio: " << error << '\n';
    return image;
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<radio::RadioOptions> options =
        radio::parseRadioOptions({argv + 1, argv + argc}, error);
    if (!options) {
        std::cerr << "tq305-radio: " << error << "\n\n" << radio::usageText();
        return radio::ExitUsage;
    }
    if (options->help) {
        std::cout << radio::usageText();
        return radio::ExitDone;
    }
    if (options->version) {
        std::cout << "tq305-radio (TQ-305 CloneDesk) " TQ_PROGRAM_VERSION "\n" TQ_LICENCE_NOTICE;
        return radio::ExitDone;
    }
    const sigset_t waitMask = catchSignals();

    std::optional<radio::RadioImage> image = startImage(*options);
    if (!image)
        return radio::ExitFailed;
    radio::CloneRadio radio(image->memory, std::uint8_t(options->band.value_or(image->band)),
                            options->faults, options->calibrationMode);

    radio::PseudoTerminal line;
    if (!line.open(error)) {
        std::cerr << "tq305-radio: " << error << '\n';
        return radio::ExitFailed;
    }
    radio::PortLink link;
    const std::optional<std::string> linkPath =
        options->comPort ? radio::comPortLinkPath(*options->comPort) : options->linkPath;
    if (linkPath && !link.create(*linkPath, line.slavePath(), error)) {
        std::cerr << "tq305-radio: " << error << '\n';
        return radio::ExitFailed;
    }
    // The ready line: whoever started us waits for it before opening the port.
    std::cout << line.slavePath() << std::endl;

    radio::RadioLoop loop(line, radio,
                          {options->fast, options->once, options->verbose, options->savePath,
                           options->strict, std::chrono::milliseconds(options->answerDelayMs),
                           options->burst, options->offCable});
    return loop.run(stopRequested, cableMoves, waitMask);
}
