// The YAML fuzz harness as a plain test: written files, then the same with
// bytes changed at random from a fixed seed, so every build checks them.
#include "support/fuzz_inputs.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> Written{
    "# TQ-305 CloneDesk 1.0\nband: 400-480MHz\nchannels:\n  1:\n    rx_frequency: 438.50000\n"
    "    tx_frequency: 438.50000\n    rx_tone: 67.0\n    tx_tone: D023I\n    power: High\n"
    "    busy_lock: Off\n    scan_add: On\n    bandwidth: wide\n  99: {rx_frequency: 479.99375}\n"
    "features:\n  squelch: 7\n  present_channel: 99\n  voice_prompt: Englist\n"
    "vfo:\n  frequency: 440.00000\n  offset: 99.995\n  rx_tone: D754N\n"
    "dtmf:\n  ptt_id: \"#0123456789ABCD*\"\n  own_code: \"\"\n"
    "fm:\n  presets:\n    1: 88.00\n    32: 107.95\n  full_band: 70.05\n  display_mode: 频率\n"
    "power:\n  high: 255\n  low: 0\n"
    "unshown_bytes:\n  0x507: 00 01 02 03\n  0x7FF: A5\n",
    "band: 136-174MHz\nchannels:\n  7: ~\n  8: {rx_frequency: 145.00625, tx_frequency: \"\"}\n",
    "channels: {1: {rx_frequency: 438.5}, 1: {rx_frequency: 439}}\n",
    "band: [400-480MHz\n",
    "- a\n- b: &x {c: *x}\n",
    "unshown_bytes: {0x6FF: FF FF}\nfm: {presets: {0: 88}}\n",
    "",
    "fm: {presets: {1: 111111111111111188.00}}\nvfo: {offset: -99999999999999999999.5}\n",
    "channels:\n  1: {rx_frequency: 438.5}\n  01: {tx_frequency: 439}\n",
    "band: 400-480MHz\n---\nband: 136-174MHz\n",
    "features:\n  squelch: |\n    3\n    4\n  beep: \"\\0\\xff\"\n",
    std::string("features: {squelch: 3\0}\n", 25),
    "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
    "channels: {}\nfm: {presets: {}}\nunshown_bytes: {}\n",
    ",h\xff\xff\xff",
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == "--write-corpus")
        return fuzzinputs::writeCorpus(argv[2], Written) ? 0 : 1;
    std::mt19937 random(305);
    for (const std::string& input : Written) {
        fuzzinputs::run(input);
        fuzzinputs::runChanged(input, 100, 4, ":-{}[]~#\"'\n 0123456789.", random);
    }
    std::puts("radio YAML fuzz inputs: all held");
    return 0;
}
