// Why a serial port did not open, as a value: the windows and the command
// line each turn it into their own words.
#pragma once

namespace radiolink {

enum class PortFailure {
    None,
    NoDevice,   // the port number leads to no device at all
    Missing,    // the device (or the device a port link points to) does not exist
    Permission, // the device exists but this user may not open it
    InUse,      // another program (or another port object) holds it
    LockFailed, // its lock file could not be written: the system's words say why
    StaleLock,  // an ended program's lock we may not remove: the system's words name it
    Other,      // not a serial line, ...: the system's words say which
};

} // namespace radiolink
