#include "link/written_blocks.h"

#include "link/protocol.h"

#include <algorithm>

namespace radiolink {

std::vector<std::uint16_t> differingBlocks(const image::MemoryImage& sent,
                                           const image::MemoryImage& readBack,
                                           bool calibrationWritten, int blocksRead) {
    const int readCount = protocol::blockCount(protocol::ReadBlocks);
    const int read = blocksRead < 0 ? readCount : std::min(blocksRead, readCount);
    const auto wasRead = [&](std::uint16_t address) {
        for (int n = 0; n < read; ++n)
            if (protocol::blockAddress(protocol::ReadBlocks, n) == address)
                return true;
        return false;
    };
    std::vector<std::uint16_t> differing;
    const int count = protocol::blockCount(protocol::WriteBlocks);
    for (int n = 0; n < count; ++n) {
        const std::uint16_t address = protocol::blockAddress(protocol::WriteBlocks, n);
        if (wasRead(address) &&
            !std::equal(sent.begin() + address, sent.begin() + address + protocol::BlockDataSize,
                        readBack.begin() + address))
            differing.push_back(address);
    }
    if (calibrationWritten && wasRead(protocol::CalibrationBlock)) {
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
