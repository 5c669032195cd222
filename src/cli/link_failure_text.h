// The one line the command line prints when the port, a data file or the
// radio fails. Every line names what failed and, where it helps, what to do.
#pragma once

#include "cli/link_options.h"
#include "cli/link_session.h"
#include "files/dat_file.h"

#include <optional>
#include <string>

namespace radiolink {
class SerialPort;
}

namespace cli {

// The port did not open (exit 3).
std::string portFailureText(const radiolink::SerialPort& port, const RadioPort& where);

// Why a data file could not be read, in a few words: also tq305 dump's.
std::string loadFailureReason(const files::LoadResult& loaded);

// A file name as the lines show it: on one line, bytes that are not text
// escaped.
std::string shownName(const std::string& path);

// The data file could not be read, or the read image not saved (exit 3).
std::string loadFailureText(const std::string& path, const files::LoadResult& loaded);
std::string saveFailureText(const std::string& path, const files::WriteResult& saved);

// The transfer did not complete (exit 1). `port` names the port as portName
// does; `fileBand` is the band of the file being written.
std::string transferFailureText(SessionEnd end, const LinkSession& session,
                                radiolink::TransferKind kind, const std::string& port,
                                std::optional<int> fileBand);

// "400-480MHz (band 3)", or "band code 12" for a code no band has.
std::string bandName(std::optional<int> code);

// The port as the user gave it: "port 2 (DEVICE)" or the device.
std::string portName(const radiolink::SerialPort& port, const RadioPort& where);

// Why the engine ended a transfer (the watchdog, a wrong block, a cancel).
std::string linkFailureText(const radiolink::TransferFailure& failure, radiolink::TransferKind kind,
                            const std::string& port);

// A block address as the lines show it: 0x090.
std::string hexAddress(int address);

} // namespace cli
