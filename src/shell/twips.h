#pragma once

namespace shell {

// Sizes and positions are given in twips; on screen they are pixels at the
// classic 96 dots per inch.
constexpr int pixelsFromTwips(int twips) {
    return twips / 15;
}

} // namespace shell
