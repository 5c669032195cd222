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

// A stored result in `language` (0 Chinese, 1 English): each part between
// ": " that is one of the words above is put in that language; block
// addresses and words of other programs' versions stay as they are.
std::string resultTextIn(const std::string& stored, int language);

} // namespace records
