// The backups taken before writes: a folder of .dat files, one per backup,
// named after when and where it was taken,
//   YYYY-MM-DD_HHMMSS_<port>_band<N>.dat   (local time; "noband" for a band
//                                           code no band list position has)
// with "-2", "-3" ... before ".dat" when that name is taken. A backup is
// never overwritten; past the limit the oldest go, but never the newest of
// a port's, nor one pinned (a restore instruction or window names it: a
// file "<name>.keep" beside it says so, for every program that shares the
// folder).
#pragma once

#include "files/file_io.h"
#include "image/image_layout.h"

#include <cstddef>
#include <ctime>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace files {

// A hundred writes back is further than anyone restores from, and the
// folder stays near 200 kB.
inline constexpr std::size_t DefaultBackupLimit = 100;

struct BackupEntry {
    std::string path;
    std::string fileName;
    std::string taken;     // "2026-12-07 19:15:00", local time, from the name
    std::string portLabel; // "port3", "ttyUSB0"
    std::optional<int> band;
    int channelsInUse = 0;
};

struct BackupSaved {
    WriteResult result;
    std::string path; // where it went, when ok()
    // The file names of the old backups the limit removed to make room.
    std::vector<std::string> removed;
    bool ok() const { return result.ok(); }
};

class BackupStore {
  public:
    explicit BackupStore(std::string folder, std::size_t limit = DefaultBackupLimit);

    // Keeps the image (bytes 0..2047) with its band in the header as Save
    // writes it. The folder is made when missing.
    BackupSaved add(const image::MemoryImage& image, std::optional<int> band,
                    const std::string& portLabel, std::time_t taken);
    // Newest first. Files of other names in the folder are left out (and alone).
    std::vector<BackupEntry> list() const;
    // Whether a backup could be kept, told before the radio is read: the
    // folder is made when missing and a file made and removed in it.
    WriteResult checkUsable() const;
    // Keeps the backup at `path` past the limit: a restore instruction
    // names it. False when the mark could not be made.
    bool pin(const std::string& path) const;
    static bool pinned(const std::string& path);
    // Removes a backup of the folder, and its pin; false, with errno set,
    // when it could not be removed.
    bool remove(const std::string& path) const;

    const std::string& folder() const { return m_folder; }

    // The paths of backups still named by a record, asked for when the
    // limit is applied: it neither counts nor removes them. Nothing (the
    // records could not be read) removes no backup at all.
    using NamedBackups = std::function<std::optional<std::set<std::string>>()>;
    void keepNamed(NamedBackups named) { m_named = std::move(named); }

  private:
    std::vector<std::string> removeOldest() const;

    std::string m_folder;
    std::size_t m_limit;
    NamedBackups m_named;
};

// "port3" for port 3.
std::string portLabel(int port);
// A device path as a label for a name: its last part, with every character
// but letters, digits, '.', '-' and '+' made '_' ("/dev/ttyUSB0" gives
// "ttyUSB0"; a bare number takes its folder's name, "/dev/pts/4" gives
// "pts4"): "device" when nothing is left.
std::string deviceLabel(const std::string& devicePath);

} // namespace files
