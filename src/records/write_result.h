// How a record puts what came of a safe write, in the same words whether
// the program or tq305 wrote: "verified", "partial at block 0x310" ...
#pragma once

#include "link/safe_write_result.h"

#include <string>

namespace records {

std::string writeResultText(const radiolink::SafeWriteResult& result);

} // namespace records
