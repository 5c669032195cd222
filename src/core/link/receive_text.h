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

// One 0x15 (NAK) or more, and nothing else.
bool isRefusal(std::string_view rxHex);

// A 0x06 first, whatever comes after it.
bool startsWithAcknowledge(std::string_view rxHex);

// Removes the 0x06 bytes at the start.
void dropLeadingAcknowledges(std::string& rxHex);

// Exactly the eight bytes of an ident that names a TQ-305.
bool isIdent(std::string_view rxHex);

// The band code of an ident: its 14th character as a hexadecimal digit,
// 0 to 15. A letter (A to F) gives 10 to 15, a code no band list position
// has: a read changes no band with it and a write refuses it as a mismatch.
int identBand(std::string_view ident);

// Eight bytes, as many as an ident, that do not begin with the product
// name: a radio of another kind answered the ident request.
bool namesOtherProduct(std::string_view rxHex);

// The six bytes where an ident has the product name, as they came.
std::string productName(std::string_view ident);

// Exactly one block frame of 20 bytes beginning with 'W'. Its echoed length
// is not looked at: the frame's size already says how many bytes came.
bool isBlock(std::string_view rxHex);

// The address a block echoes.
std::uint16_t blockAddress(std::string_view block);

// Data byte n (0 to 15) of a block.
std::uint8_t blockByte(std::string_view block, std::size_t n);

} // namespace radiolink::receive_text
