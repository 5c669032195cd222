// How a record puts what came of a transfer, in the same words whether the
// program or tq305 wrote: "verified", "partial at block 0x310" ... The
// records keep these English words; a window in Chinese shows them through
// resultTextIn.
#pragma once

#include "link/safe_write_result.h"

#include <string>

namespace records {

std::string writeResultText(const radiolink::SafeWriteResult& result);
// The result of a read the editors or a file took.
std::string readResultText();
// The result of a write kept as it starts, before its first block: a write
// the program never ended keeps it.
std::string startedResultText();
bool isStartedResult(const std::string& stored);
// Whether the write completed: verified, or written with no verify asked.
bool completedResult(const std::string& stored);
// Whether a write of this result may have left its values in a radio: all
// but those refused and those that wrote nothing.
bool valuesReachedRadio(const std::string& stored);

// A stored result in `language` (0 Chinese, 1 English): each part between
// ": " that is one of the words above is put in that language; block
// addresses and words of other programs' versions stay as they are.
std::string resultTextIn(const std::string& stored, int language);

} // namespace records
