// Reading the start of a file and replacing a file atomically, on POSIX.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace files {

enum class FileError {
    None,
    CannotOpen,     // missing, no rights, or a folder
    NotRegularFile, // a pipe, a device or a socket: neither read nor replaced
    CannotRead,     // a read failed
    WrongType,      // not a .dat file of this radio (or too short to be one)
    CannotWrite,    // the new content could not be written and synced
    CannotReplace,  // the new file could not take the target's place
};

struct ReadResult {
    FileError error = FileError::None;
    int systemError = 0; // errno of the failing call, 0 when none
    std::vector<std::uint8_t> bytes;
    bool ok() const { return error == FileError::None; }
};

// Reads at most maxBytes from the start of a regular file. Anything else (a
// folder, a pipe, a device) is refused without opening it or blocking.
ReadResult readFileStart(const std::string& path, std::size_t maxBytes);

struct WriteResult {
    FileError error = FileError::None;
    int systemError = 0;
    bool ok() const { return error == FileError::None; }
};

// Replaces the file at path with exactly these bytes, or leaves it as it was.
// The bytes go to a temporary file in the same folder, which is synced and
// then renamed over the target; on any failure the temporary file is removed,
// and those of earlier saves that were interrupted go with the next save.
// A target reached through symbolic links is written where the last link
// points, even when that file does not exist yet; the links stay, and a loop
// of links is refused. An existing target keeps its permission bits. An
// existing target that is read-only (no write bit at all, root included), not
// writable by us, or not a regular file is refused and left alone.
WriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Whether writeFileAtomically could replace the file at path, told before
// the bytes exist (ahead of a transfer that takes seconds): the same
// refusals, and a new file made and removed in its folder. A full disk or
// a file size limit still shows only when the bytes are written.
WriteResult checkReplaceable(const std::string& path);

} // namespace files
