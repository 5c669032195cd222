#include "cli/link_failure_text.h"

#include "platform/serial_port.h"
#include "words/band_entries.h"
#include "words/file_names.h"
#include "words/port_failure_text.h"

#include <QFile>
#include <cstdio>
#include <cstring>

namespace cli {

namespace {

using radiolink::StallReason;

std::string systemReason(int error, const char* fallback) {
    return error ? std::strerror(error) : fallback;
}

// The name a radio of another kind gave, when it is printable.
std::string printableName(const std::string& name) {
    for (char c : name)
        if (c < 0x20 || c > 0x7E)
            return {};
    return name;
}

} // namespace

std::string hexAddress(int address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", address);
    return text;
}

std::string linkFailureText(const radiolink::TransferFailure& failure, radiolink::TransferKind kind,
                            const std::string& port) {
    switch (failure.reason) {
    case StallReason::NoAnswer:
        return "no answer from the radio on " + port + " (is it switched on and connected?)";
    case StallReason::HandshakeRefused:
        return "the radio on " + port +
               " answered the handshake, but not with its acknowledgement (line fault, or a radio "
               "of another kind?)";
    case StallReason::WrongProduct: {
        const std::string name = printableName(failure.product);
        return "the radio on " + port + " is not a TQ-305" +
               (name.empty() ? std::string() : " (it calls itself \"" + name + "\")");
    }
    case StallReason::NoIdent:
        return "the radio on " + port + " answered, but sent no valid ident";
    case StallReason::IdentNotAcknowledged:
        return "the radio on " + port +
               " sent its ident, but did not answer its acknowledgement as expected (line fault?)";
    case StallReason::Stalled:
        return "the radio stopped answering at block " + hexAddress(failure.block) +
               " (line fault?)";
    case StallReason::Refused:
        return "the radio refused block " + hexAddress(failure.block) + " (it answered NAK, 0x15)";
    case StallReason::UnexpectedAnswer:
        return "the radio's answer at block " + hexAddress(failure.block) +
               " was not what the transfer expects there (line fault?)";
    case StallReason::WrongBlock:
        return "a wrong block came from the radio: asked for block " + hexAddress(failure.block) +
               ", got " + hexAddress(failure.echoed) + " (line fault?)";
    case StallReason::Cancelled:
        return "the transfer with the radio on " + port + " was cancelled";
    case StallReason::AfterLastBlock:
        break;
    }
    return kind == radiolink::TransferKind::Write
               ? "the radio stopped answering after the last block: it did not acknowledge the end"
               : "the radio stopped answering after the last block (line fault?)";
}

std::string loadFailureReason(const files::LoadResult& loaded) {
    switch (loaded.error) {
    case files::FileError::WrongType:
        return "not a TQ-305 data file (wrong header, or shorter than 2096 bytes)";
    case files::FileError::NotRegularFile:
        return "not a regular file";
    default:
        return systemReason(loaded.systemError, "cannot be read");
    }
}

std::string shownName(const std::string& path) {
    return ui::printableBytes(path);
}

std::string bandName(std::optional<int> code) {
    if (!code)
        return "no band";
    const QString entry = editors::bands::entryText(*code);
    if (entry.isEmpty())
        return "band code " + std::to_string(*code);
    return entry.toStdString() + " (band " + std::to_string(*code) + ")";
}

std::string portName(const radiolink::SerialPort& port, const RadioPort& where) {
    const std::string device = shownName(QFile::encodeName(port.deviceName()).toStdString());
    if (!where.number)
        return device;
    return "port " + std::to_string(*where.number) + " (" + device + ")";
}

std::string portFailureText(const radiolink::SerialPort& port, const RadioPort& where) {
    const QString text =
        ui::portFailureText(port.failure(), port.deviceName(), port.systemErrorText());
    const std::string line = text.toStdString();
    return where.number ? "port " + std::to_string(*where.number) + ": " + line : line;
}

std::string loadFailureText(const std::string& path, const files::LoadResult& loaded) {
    return shownName(path) + ": " + loadFailureReason(loaded);
}

std::string saveFailureText(const std::string& path, const files::WriteResult& saved) {
    if (saved.error == files::FileError::NotRegularFile)
        return shownName(path) + ": cannot be written: not a regular file";
    return shownName(path) +
           ": cannot be written: " + systemReason(saved.systemError, "write failed");
}

std::string transferFailureText(SessionEnd end, const LinkSession& session,
                                radiolink::TransferKind kind, const std::string& port,
                                std::optional<int> fileBand) {
    switch (end) {
    case SessionEnd::Done:
        break;
    case SessionEnd::PortInvalid:
        return port + ": the serial port is not open";
    case SessionEnd::CommunicationError:
        return linkFailureText(session.engine().failure(), kind, port);
    case SessionEnd::BandRefused:
        return "band mismatch: the radio is set to " + bandName(session.radioBand()) +
               ", the file is for " + bandName(fileBand) + "; --force-band writes anyway";
    case SessionEnd::Interrupted:
        return "interrupted: the radio on " + port + " was told to end the transfer";
    case SessionEnd::LineLost:
        return "the line was lost: " + port + " hung up (cable pulled, radio switched off?)";
    }
    return {};
}

} // namespace cli
