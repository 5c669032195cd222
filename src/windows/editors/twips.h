#pragma once

namespace editors {

// Window and control sizes are designed in twips; at 96 dots per inch a
// pixel is 15 twips.
constexpr int twips(int value) {
    return value / 15;
}

} // namespace editors
