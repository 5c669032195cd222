#include "records/write_result.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace records {

namespace {

using radiolink::SafeWriteOutcome;
using radiolink::SafeWriteReason;

struct Words {
    const char* en;
    const char* zh;
};

constexpr Words Verified{"verified", "校验无误"};
constexpr Words WrittenNotVerified{"written, not verified", "已写入，未校验"};
constexpr Words Refused{"refused", "拒绝写入"};
constexpr Words NothingWritten{"nothing written", "未写入"};
constexpr Words BackupFailed{"backup failed", "备份失败"};
constexpr Words VerifyFailed{"verify failed", "校验失败"};
constexpr Words Read{"read", "已读频"};
constexpr Words Started{"started, not finished", "已开始，未完成"};
// Followed by the block's address.
constexpr Words PartialAtBlock{"partial at block ", "写入中断于数据块 "};

// By SafeWriteReason; None has no words.
constexpr std::array<Words, 8> Reasons{{
    {"", ""},
    {"the port was not open", "端口未打开"},
    {"the radio did not answer as it should", "对讲机未正确应答"},
    {"band mismatch", "频段不符"},
    {"not confirmed", "未确认"},
    {"cancelled", "已取消"},
    {"the line was lost", "连线中断"},
    {"the backup could not be kept", "无法保存备份"},
}};
static_assert(Reasons.size() == std::size_t(SafeWriteReason::NotKept) + 1);

constexpr std::array AllWords{Verified,     WrittenNotVerified, Refused, NothingWritten,
                              BackupFailed, VerifyFailed,       Read,    Started};

std::string reasonText(SafeWriteReason reason) {
    const auto index = std::size_t(reason);
    return index < Reasons.size() ? Reasons[index].en : "";
}

std::string hex(int address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", unsigned(address) & 0xFFFu);
    return text;
}

std::string withWhy(const char* words, const std::string& why) {
    return why.empty() ? words : words + (": " + why);
}

std::string chinesePart(std::string_view part) {
    for (const Words& words : AllWords)
        if (part == words.en)
            return words.zh;
    for (const Words& words : Reasons)
        if (*words.en && part == words.en)
            return words.zh;
    if (part.starts_with(PartialAtBlock.en))
        return PartialAtBlock.zh +
               std::string(part.substr(std::string_view(PartialAtBlock.en).size()));
    return std::string(part);
}

} // namespace

std::string writeResultText(const radiolink::SafeWriteResult& result) {
    const std::string why = reasonText(result.reason);
    switch (result.outcome) {
    case SafeWriteOutcome::Verified:
        return Verified.en;
    case SafeWriteOutcome::Written:
        return withWhy(WrittenNotVerified.en, why);
    case SafeWriteOutcome::NothingWritten:
        return result.reason == SafeWriteReason::BandRefused ? withWhy(Refused.en, why)
                                                             : withWhy(NothingWritten.en, why);
    case SafeWriteOutcome::Partial:
        return withWhy((PartialAtBlock.en + hex(result.lastBlockSent.value_or(0))).c_str(), why);
    case SafeWriteOutcome::VerifyFailed: {
        std::string blocks;
        for (std::uint16_t block : result.differingBlocks)
            blocks += (blocks.empty() ? "" : ", ") + hex(block);
        return withWhy(VerifyFailed.en, blocks);
    }
    case SafeWriteOutcome::BackupFailed:
        return withWhy(NothingWritten.en, withWhy(BackupFailed.en, why));
    }
    return why;
}

std::string readResultText() {
    return Read.en;
}

std::string startedResultText() {
    return Started.en;
}

bool isStartedResult(const std::string& stored) {
    return stored == Started.en;
}

bool completedResult(const std::string& stored) {
    return stored == Verified.en || stored == WrittenNotVerified.en;
}

bool valuesReachedRadio(const std::string& stored) {
    const std::string_view result = stored;
    return !result.starts_with(Refused.en) && !result.starts_with(NothingWritten.en);
}

std::string resultTextIn(const std::string& stored, int language) {
    if (language != 0)
        return stored;
    constexpr std::string_view Separator = ": ";
    std::string shown;
    std::string_view rest = stored;
    for (;;) {
        const std::size_t end = rest.find(Separator);
        shown += chinesePart(rest.substr(0, end));
        if (end == std::string_view::npos)
            return shown;
        shown += "：";
        rest.remove_prefix(end + Separator.size());
    }
}

} // namespace records
