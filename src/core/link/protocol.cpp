#include "link/protocol.h"

#include <algorithm>

namespace radiolink::protocol {

namespace {
std::uint8_t high(std::uint16_t address) {
    return std::uint8_t(address >> 8);
}
std::uint8_t low(std::uint16_t address) {
    return std::uint8_t(address & 0xFF);
}
} // namespace

ReadRequest readRequest(std::uint16_t address) {
    return {ReadCommand, high(address), low(address), std::uint8_t(BlockDataSize)};
}

BlockFrame blockFrame(std::uint16_t address, const image::MemoryImage& image) {
    assert(address + BlockDataSize <= image::ImageSize);
    BlockFrame frame{BlockCommand, high(address), low(address), std::uint8_t(BlockDataSize)};
    std::copy_n(image.begin() + address, BlockDataSize, frame.begin() + BlockHeaderSize);
    return frame;
}

} // namespace radiolink::protocol
