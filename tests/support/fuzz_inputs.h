// What every fuzz target's inputs program shares: the harness, a corpus of
// seed files written for the fuzzer, and one input run through the harness.
#pragma once

#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzzinputs {

// Writes each input as FOLDER/seed-N; false when one cannot be written.
template <typename Inputs> bool writeCorpus(const std::string& folder, const Inputs& inputs) {
    int n = 0;
    for (const std::string& input : inputs) {
        std::ofstream file(folder + "/seed-" + std::to_string(n++), std::ios::binary);
        file.write(input.data(), std::streamsize(input.size()));
        if (!file)
            return false;
    }
    return true;
}

inline void run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// `times` copies of `input` with 1 to `most` bytes changed, each run: a
// changed byte is one of `alphabet`, or any byte one time in four (and
// always when the alphabet is empty).
inline void runChanged(const std::string& input, int times, int most, std::string_view alphabet,
                       std::mt19937& random) {
    if (input.empty())
        return;
    for (int n = 0; n < times; ++n) {
        std::string changed = input;
        for (int k = 0; k < 1 + int(random() % unsigned(most)); ++k)
            changed[random() % changed.size()] =
                char(alphabet.empty() || random() % 4 == 0 ? random()
                                                           : alphabet[random() % alphabet.size()]);
        run(changed);
    }
}

} // namespace fuzzinputs
