// Why a transfer ended with the communication error, or was cancelled, and
// where it stood, for callers that say more than that message does.
#pragma once

#include <cstdint>
#include <string>

namespace radiolink {

enum class StallReason {
    NoAnswer,             // nothing acknowledged the handshake
    HandshakeRefused,     // bytes answered the handshake, but no 0x06 among them
    WrongProduct,         // an ident of 8 bytes came, but it names another product
    NoIdent,              // the handshake was acknowledged, no valid ident followed
    IdentNotAcknowledged, // the ident was taken; no lone 0x06 answered the program's 0x06
    Stalled,              // the radio stopped answering at `block`
    Refused,              // at `block` the radio answered 0x15 (NAK) alone
    UnexpectedAnswer,     // at `block` the radio answered, but not with what comes next
                          // there (a damaged block, stray bytes)
    WrongBlock,           // a block for `echoed` came when `block` was asked for
    AfterLastBlock,       // every block went through; the radio did not answer what followed
                          // (a write: its "E")
    Cancelled,            // ended from our side (LinkEngine::cancel): a read at the block it
                          // asked for last, a write at the block it sent last (`block`)
};

struct TransferFailure {
    TransferFailure() = default;
    explicit TransferFailure(StallReason why, std::uint16_t at = 0, std::uint16_t came = 0)
        : reason(why), block(at), echoed(came) {}

    StallReason reason = StallReason::NoAnswer;
    // Stalled, Refused, UnexpectedAnswer, WrongBlock and Cancelled: the block asked for last (a
    // read) or sent last (a write); for Cancelled 0 also when no block frame went out yet.
    std::uint16_t block = 0;
    // WrongBlock: the address the radio's block echoed.
    std::uint16_t echoed = 0;
    // WrongProduct: the six bytes the radio sent in place of "TQ-305".
    std::string product;
};

} // namespace radiolink
