// Whole-channel changes to the channel table's tables: what Delete, Insert
// and Move up/down do, apart from the window.
#pragma once

#include "image/editor_values.h"

#include <vector>

namespace image {

// Blanks the listed channels.
void clearChannels(ChannelTableValues& table, const std::vector<int>& channels);

// Moves channels k..98 down by one and leaves k empty. Refused, leaving the
// table as it was, while channel 99 is occupied: it would fall off the end.
bool insertChannel(ChannelTableValues& table, int k);

// Moves the listed channels (ascending) one place up (step -1) or down
// (step +1), each trading places with its neighbour, so a block keeps its
// shape. Refused, leaving the table as it was, when the block already
// touches that end of the table.
bool moveChannels(ChannelTableValues& table, const std::vector<int>& channels, int step);

} // namespace image
