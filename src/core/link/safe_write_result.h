// What a safe write tells its caller: the stage it stands at, its progress,
// and how it ended.
#pragma once

#include "image/image_layout.h"
#include "link/transfer_failure.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace radiolink {

enum class SafeWriteStage {
    Idle,
    Backup,       // reading the radio's memory before anything is written
    Confirmation, // waiting for the caller's answer
    Write,
    Verify, // reading the radio again to compare
};

// One bar over the whole sequence: each transfer weighs as many bytes as it
// moves on the line (a read 2,594, a write 2,058), so the bar moves at the
// line's pace; `stagePercent` is the running transfer's own share.
struct SafeWriteProgress {
    SafeWriteStage stage = SafeWriteStage::Idle;
    int stagePercent = 0;
    int overallPercent = 0;
};

enum class SafeWriteOutcome {
    Verified,       // written, and every written byte read back as sent
    Written,        // written; not verified (verify off, or the verify read did not complete)
    NothingWritten, // the radio holds what it held (see reason)
    Partial,        // the write stopped after its first block: the radio holds a mix
    VerifyFailed,   // written, but blocks read back differ (differingBlocks)
    BackupFailed,   // the backup read broke off, or could not be kept: nothing written
};

enum class SafeWriteReason {
    None,
    PortInvalid, // the port was not open
    LinkFailed,  // the radio did not answer as it should (failure says how)
    BandRefused, // the radio is set to another band than the file's
    Declined,    // the caller answered no to the confirmation
    Cancelled,   // cancel(): the user or a signal
    LineLost,    // the line went away
    NotKept,     // the backup could not be kept
};

struct SafeWriteResult {
    SafeWriteOutcome outcome = SafeWriteOutcome::NothingWritten;
    SafeWriteReason reason = SafeWriteReason::None;
    SafeWriteStage stage = SafeWriteStage::Idle; // where the sequence ended
    TransferFailure failure;                     // LinkFailed: the engine's account
    int blocksSent = 0;                          // by the write
    std::optional<std::uint16_t> lastBlockSent;  // Partial: the last block that went out
    // VerifyFailed; Written after a verify read that broke off: those of
    // the blocks it took before.
    std::vector<std::uint16_t> differingBlocks;
    int blocksReadBack = 0;                   // the blocks the verify read took
    std::optional<image::MemoryImage> backup; // once the backup read completed
    std::optional<int> radioBand;             // the band code of the radio's ident
};

} // namespace radiolink
