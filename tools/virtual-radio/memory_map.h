// Which blocks of its memory the radio lets the PC read and write. A radio
// refuses the rest: the PC that asks for them is out of step.
#pragma once

#include "frame_reader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace radio {

// The length every read request asks for and every write block carries.
inline constexpr std::uint8_t BlockLength = 0x10;

// The address a read request or write block names.
std::size_t frameAddress(const Frame& frame);

// Why the radio refuses a read request or a write block; none when it takes
// it. Reads may ask for 0x000-0x52F and 0x700-0x7F0, writes go to
// 0x000-0x51F and 0x700-0x7EF, and to 0x7F0 in calibration mode, a whole
// block at a time on a block boundary.
std::optional<std::string> readRefusal(const Frame& request);
std::optional<std::string> writeRefusal(const Frame& block, bool calibrationMode);

// The block after a readable one in the read map; for the last, the one
// before it.
std::size_t neighbourReadBlock(std::size_t address);

} // namespace radio
