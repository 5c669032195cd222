#include "cli/write_verdict.h"

#include "cli/link_failure_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace cli {

namespace {

using radiolink::SafeWriteOutcome;
using radiolink::SafeWriteReason;
using radiolink::SafeWriteResult;
using radiolink::SafeWriteStage;

// Why the transfer that ended the sequence did not complete.
std::string causeText(const SafeWriteResult& result, const WriteContext& context) {
    const radiolink::TransferKind kind = result.stage == SafeWriteStage::Write
                                             ? radiolink::TransferKind::Write
                                             : radiolink::TransferKind::Read;
    switch (result.reason) {
    case SafeWriteReason::None:
        break;
    case SafeWriteReason::PortInvalid:
        return context.port + ": the serial port is not open";
    case SafeWriteReason::LinkFailed:
        return linkFailureText(result.failure, kind, context.port);
    case SafeWriteReason::BandRefused:
        return "band mismatch: the radio is set to " + bandName(result.radioBand) +
               ", the file is for " + bandName(context.fileBand) + "; --force-band writes anyway";
    case SafeWriteReason::Declined:
        return "the write was not confirmed";
    case SafeWriteReason::Cancelled:
        return "interrupted: the radio on " + context.port + " was told to end the transfer";
    case SafeWriteReason::LineLost:
        return "the line was lost: " + context.port +
               " hung up (cable pulled, radio switched off?)";
    case SafeWriteReason::NotKept:
        return "the backup could not be kept: " + context.backupFailure +
               "; --no-backup writes without one";
    }
    return {};
}

int failureExit(const SafeWriteResult& result, int otherwise) {
    return result.reason == SafeWriteReason::Cancelled ? ExitInterrupted : otherwise;
}

std::string wroteText(const WriteContext& context) {
    return "wrote " + context.file + " to the radio" +
           (context.calibration ? ", the calibration block included" : "");
}

std::string restoreText(const WriteContext& context) {
    if (context.backupPath.empty())
        return context.backupTaken
                   ? "no backup of the radio was kept; write " + context.file + " again"
                   : "no backup was taken (--no-backup); write " + context.file + " again";
    return "restore the radio from its backup: tq305 write " + shellWord(context.backupPath) + " " +
           context.portOption;
}

std::string blockList(const std::vector<std::uint16_t>& blocks) {
    std::string list;
    for (std::uint16_t block : blocks)
        list += (list.empty() ? "" : ", ") + hexAddress(block);
    return list;
}

WriteVerdict partial(const SafeWriteResult& result, const WriteContext& context) {
    const std::string block = hexAddress(result.lastBlockSent.value_or(0));
    return {{causeText(result, context),
             "partial write: the radio now holds a mix of old and new memory; the write reached "
             "block " +
                 block + " of " + context.file,
             restoreText(context)},
            ExitPartial,
            "PARTIAL at block " + block};
}

WriteVerdict written(const SafeWriteResult& result, const WriteContext& context) {
    if (result.reason == SafeWriteReason::None)
        return {{wroteText(context) + ": written, not verified (--no-verify)"},
                ExitDone,
                "written, not verified"};
    // Every block acknowledged, the end not, and no verify to tell more.
    if (result.stage == SafeWriteStage::Write)
        return {{causeText(result, context),
                 "note: every block of " + context.file + " reached the radio"},
                ExitRadio,
                "written, end not acknowledged"};
    const std::string failed =
        wroteText(context) + ", but the verify read failed: " + causeText(result, context);
    if (!result.differingBlocks.empty()) {
        // A block the radio did not store shows before the read broke off.
        const bool one = result.differingBlocks.size() == 1;
        return {{failed,
                 "verify failed: of the " + std::to_string(result.blocksReadBack) +
                     " blocks it read, " + (one ? "block " : "blocks ") +
                     blockList(result.differingBlocks) + (one ? " differs" : " differ") +
                     " from what was written",
                 restoreText(context)},
                failureExit(result, ExitRadio),
                "verify failed: " + blockList(result.differingBlocks) + ", read broke off"};
    }
    const std::string found =
        result.blocksReadBack > 0
            ? "note: the " + std::to_string(result.blocksReadBack) +
                  " blocks it read before that hold what was written; the rest is unchecked"
            : "note: it read no block; nothing of the write is checked";
    return {{failed, found}, failureExit(result, ExitRadio), "written, verify read failed"};
}

} // namespace

WriteVerdict writeVerdict(const SafeWriteResult& result, const WriteContext& context) {
    switch (result.outcome) {
    case SafeWriteOutcome::Verified:
        return {{wroteText(context) + (context.calibration ? "," : "") +
                 " and verified it: every block read back as written"},
                ExitDone,
                "verified"};
    case SafeWriteOutcome::Written:
        return written(result, context);
    case SafeWriteOutcome::VerifyFailed: {
        const std::string blocks = blockList(result.differingBlocks);
        const bool one = result.differingBlocks.size() == 1;
        return {{"verify failed: " + std::string(one ? "block " : "blocks ") + blocks +
                     " of the radio " + (one ? "differs" : "differ") + " from what was written",
                 restoreText(context)},
                ExitRadio,
                "verify failed: " + blocks};
    }
    case SafeWriteOutcome::Partial:
        return partial(result, context);
    case SafeWriteOutcome::NothingWritten:
    case SafeWriteOutcome::BackupFailed:
        break;
    }
    std::string cause = causeText(result, context);
    if (result.outcome == SafeWriteOutcome::BackupFailed &&
        result.reason == SafeWriteReason::LinkFailed)
        cause = "reading the backup: " + cause;
    const int exit =
        result.reason == SafeWriteReason::NotKept ? ExitCannotOpen : failureExit(result, ExitRadio);
    std::string summary = result.reason == SafeWriteReason::BandRefused ? "refused: band mismatch"
                          : result.outcome == SafeWriteOutcome::BackupFailed
                              ? "nothing written: backup failed"
                              : "nothing written";
    return {{cause, "note: nothing was written to the radio"}, exit, summary};
}

namespace {

// The length of the UTF-8 character of printable text at `at`, 0 for a
// control character or bytes that are not UTF-8.
std::size_t printableCharacter(std::string_view word, std::size_t at) {
    const auto byte = [&](std::size_t n) { return std::uint8_t(word[at + n]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return lead >= 0x20 && lead != 0x7F ? 1 : 0;
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > word.size())
        return 0;
    for (std::size_t n = 1; n < length; ++n)
        if ((byte(n) & 0xC0) != 0x80)
            return 0;
    // C1 controls (U+0080..U+009F) act on some terminals too.
    return lead == 0xC2 && byte(1) < 0xA0 ? 0 : length;
}

} // namespace

std::string shellWord(const std::string& word) {
    const bool plain = !word.empty() && std::ranges::all_of(word, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) ||
               std::string_view("/._-+:,=@").find(c) != std::string_view::npos;
    });
    if (plain)
        return word;
    bool text = true;
    for (std::size_t at = 0; at < word.size() && text;) {
        const std::size_t length = printableCharacter(word, at);
        text = length > 0;
        at += length;
    }
    if (text) {
        std::string quoted = "'";
        for (char c : word)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    }
    std::string quoted = "$'";
    for (std::size_t at = 0; at < word.size();) {
        const std::size_t length = printableCharacter(word, at);
        if (length == 0) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", unsigned(std::uint8_t(word[at++])));
            quoted += escape;
            continue;
        }
        if (word[at] == '\'' || word[at] == '\\')
            quoted += '\\';
        quoted.append(word, at, length);
        at += length;
    }
    return quoted + "'";
}

} // namespace cli
