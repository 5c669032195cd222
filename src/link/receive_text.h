// RxHex, the receive text: every byte from the radio as two upper-case
// hexadecimal digits, so byte n starts at character 2n-1. The transfers
// recognize the radio's answers by these rules.
#pragma once

#include "link/protocol.h"

#include <span>
#include <string>
#include <string_view>

namespace radiolink::receive_text {

void append(std::string& rxHex, std::span<const std::uint8_t> bytes);

// A 0x06 byte anywhere among the bytes. Only whole bytes count: the bytes
// 0x10 0x65 give "1065", which holds no acknowledge.
bool holdsAcknowledge(std::string_view rxHex);

// Nothing but one 0x06.
bool isAcknowledge(std::string_view rxHex);

// Exactly the eight bytes of an ident that names a TQ-305.
bool isIdent(std::string_view rxHex);

// The band code of an ident: its 14th character as a hexadecimal digit,
// 0 to 15. A letter (A to F) gives 10 to 15, a code no band list position
// has: a read changes no band with it and a write refuses it as a mismatch.
int identBand(std::string_view ident);

// Eight bytes or more that do not begin with the product name: a radio of
// another kind answered the ident request.
bool namesOtherProduct(std::string_view rxHex);

// Exactly one block frame of 20 bytes beginning with 'W'; its echoed
// address and length are not looked at.
bool isBlock(std::string_view rxHex);

// Data byte n (0 to 15) of a block.
std::uint8_t blockByte(std::string_view block, std::size_t n);

} // namespace radiolink::receive_text
