#include "memory_map.h"

#include "frame_log.h"

#include <array>

namespace radio {

namespace {

// First and last block address of a run of blocks.
struct Run {
    std::size_t first;
    std::size_t last;
};

constexpr std::array<Run, 2> Readable{{{0x000, 0x520}, {0x700, 0x7F0}}};
constexpr std::array<Run, 2> Writable{{{0x000, 0x510}, {0x700, 0x7E0}}};
constexpr std::size_t CalibrationBlock = 0x7F0;

template <std::size_t N> bool inRuns(const std::array<Run, N>& runs, std::size_t address) {
    for (const Run& run : runs)
        if (address >= run.first && address <= run.last)
            return true;
    return false;
}

// Length and alignment, which every block frame must get right.
std::optional<std::string> shapeRefusal(const Frame& frame) {
    const std::size_t address = frameAddress(frame);
    if (frame.bytes[3] != BlockLength)
        return describeFrame(frame) + " asks for length " + hexByte(frame.bytes[3]) + ", not 0x10";
    if (address % BlockSize != 0)
        return describeFrame(frame) + " is not on a 16-byte block boundary";
    return std::nullopt;
}

} // namespace

std::size_t frameAddress(const Frame& frame) {
    return std::size_t(frame.bytes[1]) << 8 | frame.bytes[2];
}

std::optional<std::string> readRefusal(const Frame& request) {
    if (std::optional<std::string> why = shapeRefusal(request))
        return why;
    if (!inRuns(Readable, frameAddress(request)))
        return describeFrame(request) + " is outside the readable 0x000-0x52F and 0x700-0x7F0";
    return std::nullopt;
}

std::optional<std::string> writeRefusal(const Frame& block, bool calibrationMode) {
    if (std::optional<std::string> why = shapeRefusal(block))
        return why;
    const std::size_t address = frameAddress(block);
    if (address == CalibrationBlock && !calibrationMode)
        return describeFrame(block) + " to the calibration block outside calibration mode";
    if (!inRuns(Writable, address) && address != CalibrationBlock)
        return describeFrame(block) + " is outside the writable 0x000-0x51F and 0x700-0x7EF";
    return std::nullopt;
}

std::size_t neighbourReadBlock(std::size_t address) {
    const std::size_t next = address + BlockSize;
    if (inRuns(Readable, next))
        return next;
    if (address == Readable[0].last)
        return Readable[1].first;
    return address - BlockSize;
}

} // namespace radio
