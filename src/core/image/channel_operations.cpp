#include "image/channel_operations.h"

#include <algorithm>
#include <utility>

namespace image {

namespace {

bool isChannel(int n) {
    return n >= 1 && n <= ChannelCount;
}

} // namespace

void clearChannels(ChannelTableValues& table, const std::vector<int>& channels) {
    for (int n : channels)
        if (isChannel(n))
            table.row(n) = {};
}

bool insertChannel(ChannelTableValues& table, int k) {
    if (!isChannel(k) || !table.row(ChannelCount).isEmpty())
        return false;
    for (int n = ChannelCount; n > k; --n)
        table.row(n) = std::move(table.row(n - 1));
    table.row(k) = {};
    return true;
}

bool moveChannels(ChannelTableValues& table, const std::vector<int>& channels, int step) {
    if (channels.empty() || (step != -1 && step != 1))
        return false;
    if (!std::all_of(channels.begin(), channels.end(),
                     [step](int n) { return isChannel(n) && isChannel(n + step); }))
        return false;
    // Moving up, the top channel goes first; moving down, the bottom one: a
    // neighbour that is itself selected has then already made room.
    auto swapWithNeighbour = [&](int n) { std::swap(table.row(n), table.row(n + step)); };
    if (step < 0)
        std::for_each(channels.begin(), channels.end(), swapWithNeighbour);
    else
        std::for_each(channels.rbegin(), channels.rend(), swapWithNeighbour);
    return true;
}

} // namespace image
