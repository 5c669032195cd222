// The lock files serial programs leave beside each other ("LCK..ttyUSB0" in
// /var/lock and its like): whether one still stands for a running program,
// and the clearing away of those whose program has ended. The lock a port
// takes itself is Qt's; this part keeps it from misjudging another's.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace radiolink::device_lock {

// A lock that names no process we can find (empty, unreadable, of a form
// unknown to us) is taken as held for this long after it was last written.
inline constexpr int StaleSeconds = 30;

enum class Holder {
    None,  // no lock file
    Live,  // a running process's, or one we cannot judge that is still young
    Ended, // its process no longer runs, or it stood unjudged past StaleSeconds
};

// The holder a lock file names: its process number as text (ten digits,
// right-aligned, and a newline, or as Qt writes it, with more lines after)
// or as a binary int of four bytes.
Holder holderOf(const std::string& path);

// Removes the lock at `path` only while it is still Ended; a live lock,
// ours or another program's, is never touched. False when an ended lock
// stays: another user's in a folder that lets only its owner remove it.
bool removeIfEnded(const std::string& path);

// "LCK..pts_3" for "/dev/pts/3": the device's name under /dev, its slashes
// as underscores (the name Qt gives its own lock for that path).
std::string lockFileName(const std::string& devicePath);

// The folders serial programs put such locks in that exist here, in the
// order Qt looks through them for its own.
std::vector<std::string> lockFolders();

// The folder Qt puts its lock of that name in: the first that can be read
// and that holds the lock or can be written. Empty when there is none.
std::string folderForLock(const std::string& name);

// Why no lock could be written in `folder` under `name` (errno: a full disk,
// a file size limit, a folder we may not write), 0 when one can. The trial
// lock is ours and removed at once; an existing lock is left alone (EEXIST).
int lockWriteError(const std::string& folder, const std::string& name);

} // namespace radiolink::device_lock
