// The command line of tq305-radio.
#pragma once

#include "clone_radio.h"

#include <optional>
#include <string>
#include <vector>

namespace radio {

struct RadioOptions {
    std::optional<std::string> imagePath;
    std::optional<int> band; // 0..15; none: the image's band
    bool fast = false;
    std::optional<int> comPort;          // 1..16
    std::optional<std::string> linkPath; // --link, or the comN link of --com
    std::optional<std::string> savePath;
    bool once = false;
    bool verbose = false;
    bool strict = false;          // exit with ExitViolation after any protocol violation
    bool calibrationMode = false; // accept writes to the calibration block 0x7F0
    int answerDelayMs = 0;
    bool burst = false;
    bool offCable = false; // starts taken off the cable (SIGUSR1 puts it on)
    bool help = false;
    bool version = false;
    Faults faults;
};

// The options, or none for a wrong command line (error says what is wrong).
std::optional<RadioOptions> parseRadioOptions(const std::vector<std::string>& args,
                                              std::string& error);

std::string usageText();

} // namespace radio
