// The radio's clone protocol written once: its frames, the blocks a read
// asks for and a write sends, and the transfer stages that walk through them.
#pragma once

#include "image/image_layout.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace radiolink::protocol {

inline constexpr std::array<std::uint8_t, 7> Handshake{'P', 'R', 'O', 'G', 'R', 'A', 'M'};
inline constexpr std::uint8_t Acknowledge = 0x06;
inline constexpr std::uint8_t Refusal = 0x15; // NAK
inline constexpr std::uint8_t IdentRequest = 0x02;
inline constexpr std::uint8_t End = 'E';
inline constexpr std::uint8_t ReadCommand = 'R';
inline constexpr std::uint8_t BlockCommand = 'W';

// The radio's ident: the product name, then a byte whose low four bits are
// the band code, then a spare byte.
inline constexpr std::array<std::uint8_t, 6> ProductName{'T', 'Q', '-', '3', '0', '5'};
inline constexpr std::size_t IdentSize = 8;
inline constexpr std::size_t IdentBandByte = 6;

// Every block carries 16 image bytes after 'W', the address (high byte
// first) and the length.
inline constexpr std::size_t BlockDataSize = 16;
inline constexpr std::size_t BlockHeaderSize = 4;
inline constexpr std::size_t BlockFrameSize = BlockHeaderSize + BlockDataSize;

using ReadRequest = std::array<std::uint8_t, 4>;
using BlockFrame = std::array<std::uint8_t, BlockFrameSize>;

// 'R', the address, the length wanted.
ReadRequest readRequest(std::uint16_t address);
// 'W', the address, the length, then the image's 16 bytes from that address.
BlockFrame blockFrame(std::uint16_t address, const image::MemoryImage& image);

// Consecutive blocks from one address on; an image offset and a radio
// address are the same number.
struct BlockRun {
    std::uint16_t first;
    int count;
};

// A read asks for 0x000-0x52F, 0x700-0x7EF and 0x7F0, in this order; the
// radio is never asked for 0x530-0x6FF.
inline constexpr std::array<BlockRun, 3> ReadBlocks{{{0x000, 83}, {0x700, 15}, {0x7F0, 1}}};
// Of the last block read only these data bytes are kept (0x7F0 and 0x7F2).
inline constexpr std::array<std::size_t, 2> LastReadBlockBytesKept{0, 2};

// A write sends 0x000-0x51F and 0x700-0x7EF, in this order ...
inline constexpr std::array<BlockRun, 2> WriteBlocks{{{0x000, 82}, {0x700, 15}}};
// ... and then, in DebugMode only, the calibration block.
inline constexpr std::uint16_t CalibrationBlock = 0x7F0;

constexpr int blockCount(std::span<const BlockRun> runs) {
    int count = 0;
    for (const BlockRun& run : runs)
        count += run.count;
    return count;
}

// The address of block n (0-based) of a map.
constexpr std::uint16_t blockAddress(std::span<const BlockRun> runs, int n) {
    assert(n >= 0 && n < blockCount(runs));
    for (const BlockRun& run : runs) {
        if (n < run.count)
            return std::uint16_t(run.first + n * int(BlockDataSize));
        n -= run.count;
    }
    return 0;
}

static_assert(blockCount(ReadBlocks) == 99 && blockCount(WriteBlocks) == 97);
static_assert(blockAddress(ReadBlocks, 82) == 0x520 && blockAddress(ReadBlocks, 83) == 0x700);
static_assert(blockAddress(WriteBlocks, 81) == 0x510 && blockAddress(WriteBlocks, 96) == 0x7E0);

// ReadStage and WriteStage: both begin at the handshake and the ident; a
// stage from FirstBlock on stands for one block of its map. They are also
// the progress values.
namespace stage {
inline constexpr int Handshake = 1;
inline constexpr int Ident = 2;
inline constexpr int FirstBlock = 3;

// Read: the stage's block is the one the radio sends while it stands there.
inline constexpr int ReadLast = FirstBlock + blockCount(ReadBlocks) - 1; // 101: block 0x7F0
inline constexpr int ReadProgressMaximum = ReadLast - 1; // the bar is full at block 0x7E0

// Write: the stage's block is sent on the radio's acknowledge, and the stage
// advances.
inline constexpr int WriteBlocksDone = FirstBlock + blockCount(WriteBlocks); // 100
inline constexpr int WriteEnding = WriteBlocksDone + 1;                      // 101: "E" sent
inline constexpr int WriteCalibrationSent = WriteBlocksDone + 2;             // 102 (DebugMode)
inline constexpr int WriteCalibrationEnding = WriteBlocksDone + 3;           // 103: "E" sent
inline constexpr int WriteProgressMaximum = WriteCalibrationEnding;

// The block of a block stage (0-based in its map).
constexpr int blockOf(int stage) {
    return stage - FirstBlock;
}
} // namespace stage

// Receive thresholds: one byte while acknowledges are awaited, a whole block
// after a read request.
inline constexpr int ByteThreshold = 1;
inline constexpr int BlockThreshold = int(BlockFrameSize);

} // namespace radiolink::protocol
