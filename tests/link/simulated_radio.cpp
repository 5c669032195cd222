#include "simulated_radio.h"

#include <algorithm>

namespace linktest {

namespace {
constexpr std::uint8_t Ack = 0x06;
constexpr std::size_t BlockSize = 16;

std::size_t addressOf(std::span<const std::uint8_t> frame) {
    return std::size_t(frame[1]) << 8 | frame[2];
}
} // namespace

Bytes ident(std::uint8_t bandByte) {
    return {'T', 'Q', '-', '3', '0', '5', bandByte, 0xFF};
}

Bytes SimulatedRadio::answer(std::span<const std::uint8_t> frame) {
    const Bytes program{'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    if (std::ranges::equal(frame, program))
        return {Ack};
    if (frame.size() == 1 && frame[0] == 0x02)
        return ident(bandByte);
    if (frame.size() == 1 && (frame[0] == Ack || frame[0] == 'E'))
        return {Ack};
    if (frame.size() == 4 && frame[0] == 'R' && addressOf(frame) + BlockSize <= image::ImageSize) {
        Bytes block{'W', frame[1], frame[2], frame[3]};
        const auto from = memory.begin() + std::ptrdiff_t(addressOf(frame));
        block.insert(block.end(), from, from + BlockSize);
        return block;
    }
    if (frame.size() == 4 + BlockSize && frame[0] == 'W' &&
        addressOf(frame) + BlockSize <= image::ImageSize) {
        std::ranges::copy(frame.subspan(4), memory.begin() + std::ptrdiff_t(addressOf(frame)));
        return {Ack};
    }
    return {};
}

} // namespace linktest
