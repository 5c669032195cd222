// The .dat and image codec fuzz harnesses as plain tests: the golden files,
// cut short and with bytes changed at random from a fixed seed, so every
// build checks them. With --write-corpus FOLDER the golden files become the
// fuzzer's starting corpus.
#include "support/fuzz_inputs.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const GoldenFiles[] = {"full_image_band0.dat", "all_ff_image_band3.dat",
                                   "band_byte_0x10.dat", "band_byte_0xff.dat"};

std::vector<std::string> seeds() {
    std::vector<std::string> files;
    for (const char* name : GoldenFiles) {
        std::ifstream file(std::string(TQ_TEST_DATA "/") + name, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return files;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == "--write-corpus")
        return fuzzinputs::writeCorpus(argv[2], seeds()) ? 0 : 1;
    std::mt19937 random(305);
    for (const std::string& input : seeds()) {
        if (input.empty())
            return 1; // a golden file is missing
        fuzzinputs::run(input);
        fuzzinputs::run(input.substr(0, input.size() - 1));
        fuzzinputs::run(input.substr(48));
        fuzzinputs::runChanged(input, 300, 8, {}, random);
    }
    std::puts("image fuzz inputs: all held");
    return 0;
}
