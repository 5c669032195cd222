#pragma once

namespace image {

// The whole-MHz limits of a band, both included: what every frequency typed
// or imported into the channel table is checked against. The main window
// keeps the selected band's limits; the band selection recomputes them.
struct BandLimits {
    int BandLow = 400;
    int BandHigh = 480;
};

} // namespace image
