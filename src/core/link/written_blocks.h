// Which blocks of a write came back as they were sent.
#pragma once

#include "image/image_layout.h"

#include <cstdint>
#include <vector>

namespace radiolink {

// The blocks of the write map (and the calibration block when it was
// written) in which a byte a read brings back differs between what was sent
// and what a read found. Of the calibration block a read keeps only 0x7F0
// and 0x7F2, so only those two are compared there. A read that broke off
// brought back only the first `blocksRead` blocks of its map: only those
// are compared.
std::vector<std::uint16_t> differingBlocks(const image::MemoryImage& sent,
                                           const image::MemoryImage& readBack,
                                           bool calibrationWritten, int blocksRead = -1);

} // namespace radiolink
