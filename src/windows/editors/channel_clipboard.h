// Channels on the clipboard as CSV text, which spreadsheets and other
// programming software read.
#pragma once

#include "image/editor_values.h"

#include <string>
#include <vector>

namespace editors {

struct ClipboardChannels {
    std::string csv;
    // The busy-channel lock of each CSV row, which the layout has no column
    // for; empty unless this program put the rows there.
    std::vector<int> locks;
};

// Puts the listed channels that exist on the clipboard.
void putChannelsOnClipboard(const image::ChannelTableValues& table,
                            const std::vector<int>& channels);
ClipboardChannels channelsOnClipboard();

} // namespace editors
