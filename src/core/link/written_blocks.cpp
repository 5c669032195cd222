#include "link/written_blocks.h"

#include "link/protocol.h"

#include <algorithm>

namespace radiolink {

std::vector<std::uint16_t> differingBlocks(const image::MemoryImage& sent,
                                           const image::MemoryImage& readBack,
                                           bool calibrationWritten) {
    std::vector<std::uint16_t> differing;
    const int count = protocol::blockCount(protocol::WriteBlocks);
    for (int n = 0; n < count; ++n) {
        const std::uint16_t address = protocol::blockAddress(protocol::WriteBlocks, n);
        if (!std::equal(sent.begin() + address, sent.begin() + address + protocol::BlockDataSize,
                        readBack.begin() + address))
            differing.push_back(address);
    }
    if (calibrationWritten) {
        const std::uint16_t block = protocol::CalibrationBlock;
        for (std::size_t kept : protocol::LastReadBlockBytesKept)
            if (sent[block + kept] != readBack[block + kept]) {
                differing.push_back(block);
                break;
            }
    }
    return differing;
}

} // namespace radiolink
