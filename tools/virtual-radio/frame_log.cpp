#include "frame_log.h"

#include <cstdio>

namespace radio {

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", b);
        if (!text.empty())
            text += ' ';
        text += digits;
    }
    return text;
}

std::string describeReceived(const Frame& frame) {
    switch (frame.kind) {
    case FrameKind::Program:
        return "PC:    PROGRAM";
    case FrameKind::Noise:
        return "PC:    noise " + hexBytes(frame.bytes);
    default:
        return "PC:    " + hexBytes(frame.bytes);
    }
}

std::string describeSent(std::span<const std::uint8_t> bytes) {
    return "radio: " + hexBytes(bytes);
}

} // namespace radio
