// What every fuzz target's inputs program shares: the harness, a corpus of
// seed files written for the fuzzer, and one input run through the harness.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

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

} // namespace fuzzinputs
