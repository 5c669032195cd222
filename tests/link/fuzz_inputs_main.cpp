// The fuzz harness as a plain test: a few inputs written for the paths that
// matter, then inputs drawn from a fixed seed, so every build checks them.
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Steps: 0 read, 1 write (modes: 1 force, 2 debug, 4 answer OK; then the
// band), 2..5 the line (a burst, one answer, a tick, all answers), 6 port,
// 7 radio band byte.
const std::vector<std::vector<std::uint8_t>> Written{
    {0, 5},                                     // a whole read
    {1, 0, 3, 5},                               // a whole write
    {1, 2, 3, 5},                               // with the calibration block
    {7, 5, 1, 5, 3, 5},                         // other band, forced, OK
    {7, 5, 1, 1, 3, 5},                         // other band, forced, Cancel
    {7, 0x0B, 1, 0, 3, 5},                      // band letter, refused
    {0, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4},          // silent radio
    {6, 0, 1, 0, 3, 6, 0, 5},                   // closed port, then open
    {0, 3, 3, 3, 2, 0, 4, 4, 4, 4, 4, 4, 4, 5}, // a read that stalls, then answers
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
