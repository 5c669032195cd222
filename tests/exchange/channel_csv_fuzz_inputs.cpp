// The CSV fuzz harness as a plain test: written files, then the same with
// bytes changed at random from a fixed seed, so every build checks them.
#include "support/fuzz_inputs.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

// ASCII text as UTF-16, little-endian.
std::string utf16(const std::string& text) {
    std::string bytes;
    for (const char c : text)
        bytes += std::string{c, '\0'};
    return bytes;
}

// The first byte: band (0 VHF, 1 UHF), 4 renumbered, above that the first channel.
const std::vector<std::string> Written{
    std::string("\x00", 1) + "Location,Frequency,Duplex,Offset\r1,146.52,-,-0.6\r2,147,+,0.6\r",
    std::string("\x01", 1) + "Location;Frequency;Duplex;Offset;Tone;cToneFreq\n"
                             "1;446,00625;+;9223372036854,775807;TSQL;88,5\n2;446;-;-5;;\n",
    std::string("\x04", 1) + "Frequency\tMode\tBusyLock\n146.52\tNFM\tOn\n147\t\"F\r\nM\"\toff\n",
    std::string("\x00", 1) + "Location,Frequency\n1,\"oops,146.1\n2,147\n",
    // UTF-16 with its byte order mark, renumbered from channel 2.
    std::string("\x0D\xFF\xFE", 3) + utf16("Frequency\n401\n"),
    std::string("\x00", 1) + "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                             "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power\n"
                             "1,\x1B[2J\x07,146.94,split,147.5,Cross,100.0,123.0,023,RN,754,"
                             "DTCS->Tone,FM,12.5,S,0.5\n",
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == "--write-corpus")
        return fuzzinputs::writeCorpus(argv[2], Written) ? 0 : 1;
    std::mt19937 random(305);
    for (const std::string& input : Written) {
        fuzzinputs::run(input);
        fuzzinputs::runChanged(input, 200, 4, ",;\"\r\n-+.0123456789", random);
    }
    std::puts("channel CSV fuzz inputs: all held");
    return 0;
}
