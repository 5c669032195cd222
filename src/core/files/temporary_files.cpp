#include "files/temporary_files.h"

#include "files/descriptor.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>

namespace files {

namespace {

constexpr std::string_view Prefix = ".tq305-";
constexpr std::string_view Suffix = ".tmp";

// Past this age an unlocked file is abandoned even when its process number is
// in use again, or was counted on another machine or in another container.
constexpr std::time_t AbandonedAfterSeconds = 10 * 60;

// The process number in one of our temporary names; none for any other name.
std::optional<pid_t> pidOfTemporaryName(std::string_view name) {
    if (!name.starts_with(Prefix) || !name.ends_with(Suffix))
        return std::nullopt;
    name = name.substr(Prefix.size(), name.size() - Prefix.size() - Suffix.size());
    const auto dash = name.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    const std::string_view number = name.substr(dash + 1);
    if (number.empty() ||
        !std::all_of(number.begin(), number.end(), [](char c) { return std::isdigit(uint8_t(c)); }))
        return std::nullopt;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
    if (error != std::errc() || end != name.data() + dash || pid <= 0)
        return std::nullopt;
    return pid;
}

bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

void removeIfAbandoned(int folder, const char* name, pid_t pid) {
    const Descriptor fd(
        ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    // A save under way holds the lock; a process that ended has lost it.
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return;
    if (!processRuns(pid) || std::time(nullptr) - st.st_mtime > AbandonedAfterSeconds)
        ::unlinkat(folder, name, 0);
}

struct CloseFolder {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

TemporaryFile createTemporaryFile(const std::string& folder, mode_t mode) {
    // A short fixed-length name, so a target name near the length limit still works.
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        TemporaryFile temporary;
        temporary.path = folder + "/" + std::string(Prefix) + std::to_string(::getpid()) + "-" +
                         std::to_string(counter++) + std::string(Suffix);
        temporary.fd =
            ::open(temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (temporary.fd >= 0) {
            // Waits only while another save looks at it. Where the file system
            // has no locks, nobody else can lock it either and it is left alone.
            ::flock(temporary.fd, LOCK_EX);
            return temporary;
        }
        if (errno != EEXIST)
            return {{}, -1, errno};
    }
    return {{}, -1, EEXIST};
}

void removeAbandonedTemporaryFiles(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    const std::unique_ptr<DIR, CloseFolder> dir(::fdopendir(fd)); // closes fd from here on
    if (!dir) {
        ::close(fd);
        return;
    }
    while (const dirent* entry = ::readdir(dir.get()))
        if (const auto pid = pidOfTemporaryName(entry->d_name))
            removeIfAbandoned(fd, entry->d_name, *pid);
}

} // namespace files
