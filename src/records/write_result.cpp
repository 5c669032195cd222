#include "records/write_result.h"

#include <cstdio>

namespace records {

namespace {

using radiolink::SafeWriteOutcome;
using radiolink::SafeWriteReason;

std::string reasonText(SafeWriteReason reason) {
    switch (reason) {
    case SafeWriteReason::None:
        return "";
    case SafeWriteReason::PortInvalid:
        return "the port was not open";
    case SafeWriteReason::LinkFailed:
        return "the radio did not answer as it should";
    case SafeWriteReason::BandRefused:
        return "band mismatch";
    case SafeWriteReason::Declined:
        return "not confirmed";
    case SafeWriteReason::Cancelled:
        return "cancelled";
    case SafeWriteReason::LineLost:
        return "the line was lost";
    case SafeWriteReason::NotKept:
        return "the backup could not be kept";
    }
    return "";
}

std::string hex(int address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", unsigned(address) & 0xFFFu);
    return text;
}

} // namespace

std::string writeResultText(const radiolink::SafeWriteResult& result) {
    const std::string why = reasonText(result.reason);
    switch (result.outcome) {
    case SafeWriteOutcome::Verified:
        return "verified";
    case SafeWriteOutcome::Written:
        return why.empty() ? "written, not verified" : "written, not verified: " + why;
    case SafeWriteOutcome::NothingWritten:
        return result.reason == SafeWriteReason::BandRefused ? "refused: band mismatch"
                                                             : "nothing written: " + why;
    case SafeWriteOutcome::Partial:
        return "partial at block " + hex(result.lastBlockSent.value_or(0)) +
               (why.empty() ? "" : ": " + why);
    case SafeWriteOutcome::VerifyFailed: {
        std::string blocks;
        for (std::uint16_t block : result.differingBlocks)
            blocks += (blocks.empty() ? "" : ", ") + hex(block);
        return "verify failed: " + blocks;
    }
    case SafeWriteOutcome::BackupFailed:
        return "nothing written: backup failed" + (why.empty() ? "" : ": " + why);
    }
    return why;
}

} // namespace records
