// The -v log: one line per frame on standard error.
#pragma once

#include "frame_reader.h"

#include <cstdint>
#include <span>
#include <string>

namespace radio {

// "54 51 2D ..."
std::string hexBytes(std::span<const std::uint8_t> bytes);

// "PC:    PROGRAM", "PC:    52 07 00 10", ...
std::string describeReceived(const Frame& frame);
// "radio: 06"
std::string describeSent(std::span<const std::uint8_t> bytes);

} // namespace radio
