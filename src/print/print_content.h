#pragma once

#include "print/print_document.h"

namespace editors {
class ChannelTable;
class OptionalFeatures;
class PowerLevels;
} // namespace editors

namespace print {

// The windows the printout reads.
struct PrintSources {
    const editors::OptionalFeatures& Form3;
    const editors::PowerLevels& Form4;
    const editors::ChannelTable& Form1;
};

// The programmed data as a document, built anew from the windows: the
// company and title lines, the function settings, the VOX settings, the
// power levels and, on a page of its own, the channel table. The captions
// follow the language in force; headings and yes/no stay Chinese.
PrintDocument PrintContent(const PrintSources& windows);

} // namespace print
