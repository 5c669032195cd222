// A TQ-305 as the tests meet it: it answers every frame the program sends,
// from its own memory, at the band it is set to.
#pragma once

#include "image/image_layout.h"

#include <cstdint>
#include <span>
#include <vector>

namespace linktest {

using Bytes = std::vector<std::uint8_t>;

// The ident of a TQ-305 with this band byte.
Bytes ident(std::uint8_t bandByte);

class SimulatedRadio {
  public:
    image::MemoryImage memory{};
    // Ident byte 7; its low four bits are the band code.
    std::uint8_t bandByte = 3;

    // What the radio sends back to one frame; nothing to a frame it does not know.
    Bytes answer(std::span<const std::uint8_t> frame);
};

} // namespace linktest
