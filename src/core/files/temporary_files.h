// The temporary files a save writes beside its target before renaming them
// over it, and the clearing away of those an interrupted save left behind.
#pragma once

#include <string>
#include <sys/types.h>

namespace files {

struct TemporaryFile {
    std::string path;
    int fd = -1;   // open for writing and locked; the caller closes it
    int error = 0; // errno when no file could be made
};

// Creates a new file ".tq305-<pid>-<n>.tmp" in `folder` with `mode`, and
// locks it so that another instance's clearing leaves it alone while the
// save is under way (the lock lasts while any descriptor of it is open).
TemporaryFile createTemporaryFile(const std::string& folder, mode_t mode);

// Removes the temporary files of saves in `folder` that were interrupted (a
// crash, a kill): ours by name, not locked, and either made by a process that
// no longer runs or old enough that no save can still be writing them.
void removeAbandonedTemporaryFiles(const std::string& folder);

} // namespace files
