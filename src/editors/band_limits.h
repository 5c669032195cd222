#pragma once

namespace editors {

// The whole-MHz limits of the selected band, owned by the main window and
// recomputed by the band selection; the editors check frequencies against them.
struct BandLimits {
    int BandLow = 400;
    int BandHigh = 480;
};

} // namespace editors
