// What a write that did not finish left in the radio, so that the user
// knows whether the radio holds the file, part of it or nothing of it.
#pragma once

#include <string>

namespace cli {

// One line for a write that ended at `writeStage` (LinkEngine::WriteStage),
// naming the file as `file`: nothing written, the block where it stopped,
// or every block.
std::string writtenPartText(int writeStage, const std::string& file);

} // namespace cli
