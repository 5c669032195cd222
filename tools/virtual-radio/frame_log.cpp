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

std::string hexByte(std::uint8_t byte) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "0x%02X", byte);
    return digits;
}

std::string describeFrame(const Frame& frame) {
    char address[8];
    if (frame.bytes.size() >= 3)
        std::snprintf(address, sizeof address, "0x%02X%02X", frame.bytes[1], frame.bytes[2]);
    switch (frame.kind) {
    case FrameKind::Program:
        return "PROGRAM";
    case FrameKind::IdentRequest:
    case FrameKind::Acknowledge:
        return hexByte(frame.bytes[0]);
    case FrameKind::ReadRequest:
        return std::string("read request ") + address;
    case FrameKind::WriteBlock:
        return std::string("write block ") + address;
    case FrameKind::End:
        return "E";
    case FrameKind::Noise:
        break;
    }
    return "byte " + hexByte(frame.bytes[0]);
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
