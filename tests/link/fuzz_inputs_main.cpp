// The fuzz harness as a plain test: a few inputs written for the paths that
// matter, then inputs drawn from a fixed seed, so every build checks them.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Steps: 0 read, 1 write (modes: 1 force, 2 debug, 4 OK, 8 then a band of
// the list's own), 2 port, 3 the radio's band byte, 4 a burst, 5 an answer,
// 6 a garbled answer, 7 all answers, 8 a tick, 9 the next N answers.
const std::vector<std::vector<std::uint8_t>> Written{
    {0, 7},                                  // a whole read
    {1, 0, 7},                               // a whole write
    {1, 2, 7},                               // with the calibration block
    {1, 13, 5, 7},                           // other band, forced, OK
    {1, 9, 5, 7},                            // other band, forced, Cancel
    {3, 0x0B, 1, 0, 7},                      // band letter, refused
    {0, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8},    // silent radio
    {2, 0, 1, 0, 2, 0, 7},                   // closed port, then open
    {1, 0, 5, 5, 5, 6, 0x16, 1, 0x65, 7},    // 10 65 for an acknowledge
    {0, 5, 5, 5, 4, 0, 8, 8, 8, 8, 8, 8, 7}, // a read that stalls, then answers
};

using InputBytes = std::vector<std::uint8_t>;

InputBytes operator+(InputBytes a, const InputBytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A read answered cleanly up to the request of block n (0-based), whose
// answer is then garbled: its bytes XORed with `mask` (20 bytes), `extra`
// bytes added; then every answer and enough ticks for the watchdog.
InputBytes readWithGarbledBlock(int n, const InputBytes& mask, const InputBytes& extra) {
    const int cleanAnswers = 3 + 2 * n; // PROGRAM, 02, 06, then R and 06 per block
    return InputBytes{0, 9, std::uint8_t(cleanAnswers), 6} + mask +
           InputBytes{std::uint8_t(extra.size())} + extra + InputBytes{7} + InputBytes(12, 8);
}

InputBytes only(std::size_t at, std::uint8_t value) {
    InputBytes mask(20, 0);
    mask[at] = value;
    return mask;
}

const std::vector<InputBytes> Damaged{
    readWithGarbledBlock(98, only(0, 0x0F), {}),                  // last block without 'W'
    readWithGarbledBlock(98, only(0, 0), {0x00}),                 // last block of 21 bytes
    readWithGarbledBlock(98, only(2, 0x10), {}),                  // last block echoes 0x7E0
    readWithGarbledBlock(9, only(2, 0x30), {}),                   // block 0x090 echoes 0x0A0
    readWithGarbledBlock(9, only(19, 0x01), {}),                  // a data byte changed
    {0, 5, 4, 1, 0x06, 7},                                        // 0x06 instead of the ident
    {0, 5, 4, 9, 0x06, 'T', 'Q', '-', '3', '0', '5', 3, 0xFF, 7}, // 0x06 before it
    {0, 8, 8, 8, 5, 5, 7},                                        // the handshake acknowledged late
};

// Writes the inputs above as files into `folder`, the seeds of the fuzzer's
// corpus: a few seconds of fuzzing from nothing never reach the last block.
bool writeCorpus(const std::string& folder) {
    int n = 0;
    for (const auto* inputs : {&Written, &Damaged})
        for (const auto& input : *inputs) {
            std::ofstream file(folder + "/seed-" + std::to_string(n++), std::ios::binary);
            file.write(reinterpret_cast<const char*>(input.data()), std::streamsize(input.size()));
            if (!file)
                return false;
        }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == "--write-corpus")
        return writeCorpus(argv[2]) ? 0 : 1;
    for (const auto& input : Written)
        LLVMFuzzerTestOneInput(input.data(), input.size());
    for (const auto& input : Damaged)
        LLVMFuzzerTestOneInput(input.data(), input.size());
    std::mt19937 random(305);
    for (int n = 0; n < 400; ++n) {
        std::vector<std::uint8_t> input(random() % 512);
        for (std::uint8_t& b : input)
            b = std::uint8_t(random());
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::puts("link engine fuzz inputs: all held");
    return 0;
}
