#include "link/device_lock.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <signal.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace radiolink::device_lock {

namespace {

std::optional<pid_t> textPid(std::string_view text) {
    std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string_view::npos)
        return std::nullopt;
    long long pid = 0;
    std::size_t digits = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at, ++digits)
        if ((pid = pid * 10 + (text[at] - '0')) > 0x7FFFFFFF)
            return std::nullopt;
    // Nothing but the number on its line.
    if (digits == 0 || (at < text.size() && text[at] != '\n' && text[at] != ' '))
        return std::nullopt;
    if (pid <= 0)
        return std::nullopt;
    return pid_t(pid);
}

std::optional<pid_t> lockPid(std::string_view content) {
    if (const auto pid = textPid(content))
        return pid;
    int binary = 0;
    if (content.size() != sizeof binary)
        return std::nullopt;
    std::memcpy(&binary, content.data(), sizeof binary);
    return binary > 0 ? std::optional<pid_t>(binary) : std::nullopt;
}

bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

// A lock nobody can be named for: held until it has stood unchanged so long
// that no program can still be writing it.
Holder byAge(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT ? Holder::None : Holder::Live;
    const std::time_t age = std::time(nullptr) - st.st_mtime;
    return std::abs(age) > StaleSeconds ? Holder::Ended : Holder::Live;
}

} // namespace

Holder holderOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Holder::None : byAge(path);
    char buffer[128];
    ssize_t n;
    do
        n = ::read(fd, buffer, sizeof buffer);
    while (n < 0 && errno == EINTR);
    ::close(fd);
    const std::optional<pid_t> pid =
        n > 0 ? lockPid(std::string_view(buffer, std::size_t(n))) : std::nullopt;
    if (!pid)
        return byAge(path);
    return processRuns(*pid) ? Holder::Live : Holder::Ended;
}

bool removeIfEnded(const std::string& path) {
    if (holderOf(path) != Holder::Ended)
        return true;
    // Gone meanwhile is as good as removed.
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

std::string lockFileName(const std::string& devicePath) {
    std::string name = devicePath.starts_with("/dev/") ? devicePath.substr(5) : devicePath;
    std::replace(name.begin(), name.end(), '/', '_');
    return "LCK.." + name;
}

std::vector<std::string> lockFolders() {
    std::vector<std::string> candidates = {"/var/lock",         "/etc/locks", "/var/spool/locks",
                                           "/var/spool/uucp",   "/tmp",       "/var/tmp",
                                           "/var/lock/lockdev", "/run/lock"};
    if (const char* temporary = std::getenv("TMPDIR"); temporary && *temporary)
        candidates.emplace_back(temporary);
    std::vector<std::string> folders;
    for (const std::string& folder : candidates) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
            std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

std::string folderForLock(const std::string& name) {
    for (const std::string& folder : lockFolders()) {
        if (::access(folder.c_str(), R_OK) != 0)
            continue;
        const std::string path = folder + "/" + name;
        if (::access(path.c_str(), F_OK) == 0 || ::access(folder.c_str(), W_OK) == 0)
            return folder;
    }
    return {};
}

int lockWriteError(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return EACCES;
    const std::string path = folder + "/" + name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    char line[16];
    const int length = std::snprintf(line, sizeof line, "%10d\n", int(::getpid()));
    int error = 0;
    errno = 0;
    if (::write(fd, line, std::size_t(length)) != length)
        error = errno ? errno : EIO;
    if (::close(fd) != 0 && !error)
        error = errno;
    ::unlink(path.c_str());
    return error;
}

} // namespace radiolink::device_lock
