// The fuzz harness as a plain test: a few inputs written for the paths that
// matter, then inputs drawn from a fixed seed, so every build checks them.
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Steps: 0 read, 1 write (modes: 1 force, 2 debug, 4 OK, 8 then a band of
// the list's own), 2 port, 3 the radio's band byte, 4 a burst, 5 an answer,
// 6 a garbled answer, 7 all answers, 8 a tick.
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

} // namespace

int main() {
    for (const auto& input : Written)
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
