#include "cli/written_part.h"

#include "link/protocol.h"

#include <cstdio>

namespace cli {

namespace {

namespace protocol = radiolink::protocol;
namespace stage = protocol::stage;

std::string blockName(int address) {
    char text[16];
    std::snprintf(text, sizeof text, "block 0x%03X", address);
    return text;
}

} // namespace

std::string writtenPartText(int writeStage, const std::string& file) {
    // A block stage sends its block on the radio's 0x06 and moves on: the
    // block of the stage before is the one still waiting for its answer.
    if (writeStage <= stage::FirstBlock)
        return "nothing was written to the radio";
    if (writeStage <= stage::WriteBlocksDone) {
        const int block = stage::blockOf(writeStage - 1);
        const std::string waiting = blockName(protocol::blockAddress(protocol::WriteBlocks, block));
        if (block == 0)
            return file + " did not reach the radio: its first block, " + waiting +
                   ", was not acknowledged; write it again";
        return file + " reached the radio only in part: " + waiting +
               " was not acknowledged and the blocks after it were not sent; write it again";
    }
    if (writeStage == stage::WriteCalibrationSent)
        return "every block of " + file + " reached the radio but the calibration block, which " +
               "was not acknowledged";
    return "every block of " + file + " reached the radio" +
           (writeStage == stage::WriteCalibrationEnding ? ", the calibration block included" : "");
}

} // namespace cli
