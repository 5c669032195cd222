// The cable watch's fuzz harness as a plain test: a few inputs written for
// the paths that matter, then inputs drawn from a fixed seed.
#include "support/fuzz_inputs.h"

#include <cstdio>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string text;
    for (int value : values)
        text += char(value);
    return text;
}

// Steps: 0 a tick, 1 the port closed, 2 the line lost, 3 a burst (its
// length, then its bytes), 4 the radio answers the last frame, 5 the radio
// dealt with.
const std::vector<std::string> Written{
    bytes({0, 4, 4, 4, 5, 0, 4, 4, 4, 0, 0, 0, 0}), // arrives, stays, leaves
    bytes({0, 4, 0, 0, 0, 1, 0}),                   // greets, no ident: E, then the arrival
    bytes({0, 4, 0, 1, 0, 0}),                      // the line goes while the arrival waits
    bytes({0, 4, 4, 4, 5, 2, 0, 4, 4, 4}),          // a lost line, and the next radio
    bytes({0, 3, 1, 0x06, 3, 8, 'T', 'Q', '-', '3', '0', '5', 3, 0xFF}), // bytes of its own
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == "--write-corpus")
        return fuzzinputs::writeCorpus(argv[2], Written) ? 0 : 1;
    std::mt19937 random(305);
    for (const std::string& input : Written) {
        fuzzinputs::run(input);
        fuzzinputs::runChanged(input, 200, 4, bytes({0, 1, 2, 3, 4, 5}), random);
    }
    for (int n = 0; n < 400; ++n) {
        std::string input(random() % 256, '\0');
        for (char& byte : input)
            byte = char(random());
        fuzzinputs::run(input);
    }
    std::puts("cable watch fuzz inputs: all held");
    return 0;
}
