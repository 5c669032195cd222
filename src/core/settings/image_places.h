// Which setting each image byte belongs to, and the bytes no window shows:
// the text form of a radio keeps the latter as hex and names the former
// when a byte cannot come back as it was.
#pragma once

#include <cstddef>
#include <string>

namespace settings {

// Spare bytes and the model text: what no window shows and the encoder
// fills in by itself.
bool isUnshown(std::size_t offset);

// The key of the setting a byte holds ("channels[3].rx_tone",
// "features.squelch"); for a byte of several settings or of none, the
// place ("channels[3]", "features", "unshown_bytes").
std::string placeOf(std::size_t offset);

} // namespace settings
