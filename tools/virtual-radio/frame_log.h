// The -v log, one line per frame on standard error, and the names of frames
// in the violation lines.
#pragma once

#include "frame_reader.h"

#include <cstdint>
#include <span>
#include <string>

namespace radio {

// "54 51 2D ..."
std::string hexBytes(std::span<const std::uint8_t> bytes);

// "0x06"
std::string hexByte(std::uint8_t byte);
// "PROGRAM", "0x02", "read request 0x0520", "write block 0x07F0", "E", "byte 0x41"
std::string describeFrame(const Frame& frame);

// "PC:    PROGRAM", "PC:    52 07 00 10", ...
std::string describeReceived(const Frame& frame);
// "radio: 06"
std::string describeSent(std::span<const std::uint8_t> bytes);

} // namespace radio
