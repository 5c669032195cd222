#include "files/file_io.h"

#include "files/descriptor.h"
#include "files/temporary_files.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <pthread.h>
#include <sys/stat.h>
#include <vector>

namespace files {

namespace {

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        bytes = bytes.subspan(std::size_t(n));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save should write: the end of a chain of symbolic links, which
// need not exist yet, else the path itself. None, with errno set, for a loop.
std::optional<std::string> resolveTarget(std::string path) {
    constexpr int MaxLinks = 40; // as the kernel allows
    for (int link = 0; link < MaxLinks; ++link) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::vector<char> text(PATH_MAX);
        const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
        if (n < 0)
            return std::nullopt;
        if (std::size_t(n) == text.size()) {
            errno = ENAMETOOLONG;
            return std::nullopt;
        }
        std::string next(text.data(), std::size_t(n));
        path = next.starts_with('/') ? next : folderOf(path) + "/" + next;
    }
    errno = ELOOP;
    return std::nullopt;
}

// Holds back the signals that end a program (Ctrl+C, kill, a closed
// terminal) while a save is under way: one that comes meanwhile acts once
// the save has ended either way, and no temporary file is left behind.
class EndingSignalsHeld {
  public:
    EndingSignalsHeld() {
        sigset_t ending;
        sigemptyset(&ending);
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            sigaddset(&ending, signal);
        pthread_sigmask(SIG_BLOCK, &ending, &m_before);
    }
    ~EndingSignalsHeld() { pthread_sigmask(SIG_SETMASK, &m_before, nullptr); }
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

  private:
    sigset_t m_before{};
};

// Makes the rename itself durable; a failure here no longer risks the data.
void syncFolder(const std::string& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

ReadResult refuseUnlessRegular(const struct stat& st) {
    if (S_ISDIR(st.st_mode))
        return {FileError::CannotOpen, EISDIR, {}};
    if (!S_ISREG(st.st_mode))
        return {FileError::NotRegularFile, 0, {}};
    return {};
}

} // namespace

ReadResult readFileStart(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    // Looked at before opening, as opening a device can act on it (a serial
    // port raises its control lines); checked again on what was opened.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {FileError::CannotOpen, errno, {}};
    if (const ReadResult refused = refuseUnlessRegular(st); !refused.ok())
        return refused;
    // Non-blocking, so that a pipe put in its place cannot hang; regular files ignore it.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid())
        return {FileError::CannotOpen, errno, {}};
    if (::fstat(fd.get(), &st) != 0)
        return {FileError::CannotOpen, errno, {}};
    if (const ReadResult refused = refuseUnlessRegular(st); !refused.ok())
        return refused;

    result.bytes.resize(maxBytes);
    std::size_t have = 0;
    while (have < maxBytes) {
        const ssize_t n = ::read(fd.get(), result.bytes.data() + have, maxBytes - have);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return {FileError::CannotRead, errno, {}};
        }
        if (n == 0)
            break;
        have += std::size_t(n);
    }
    result.bytes.resize(have);
    return result;
}

namespace {

// Where a save of a path writes, and with which permission bits.
struct SaveTarget {
    WriteResult refusal; // not ok: the path cannot be replaced, and why
    std::string path;
    std::string folder;
    mode_t mode = 0666; // narrowed by the umask when the file is new
    bool keepMode = false;
    uid_t owner = 0; // of the file replaced, kept where we may give it away
    gid_t group = 0;
};

SaveTarget saveTarget(const std::string& path) {
    SaveTarget target;
    const std::optional<std::string> resolved = resolveTarget(path);
    if (!resolved) {
        target.refusal = {FileError::CannotReplace, errno};
        return target;
    }
    target.path = *resolved;
    target.folder = folderOf(target.path);
    struct stat st {};
    if (::stat(target.path.c_str(), &st) != 0)
        return target;
    if (S_ISDIR(st.st_mode))
        target.refusal = {FileError::CannotReplace, EISDIR};
    // A pipe, a device or a socket is not ours to replace with a file.
    else if (!S_ISREG(st.st_mode))
        target.refusal = {FileError::NotRegularFile, 0};
    // A file that is read-only, or that we may not write, could not be
    // written in place either: the rename must not replace it.
    else if ((st.st_mode & 0222) == 0)
        target.refusal = {FileError::CannotWrite, EACCES};
    else if (::access(target.path.c_str(), W_OK) != 0)
        target.refusal = {FileError::CannotWrite, errno};
    target.mode = st.st_mode & 07777;
    target.keepMode = true;
    target.owner = st.st_uid;
    target.group = st.st_gid;
    return target;
}

} // namespace

WriteResult checkReplaceable(const std::string& path) {
    const SaveTarget target = saveTarget(path);
    if (!target.refusal.ok())
        return target.refusal;
    // Only making a file there tells for every file system and access list.
    const TemporaryFile probe = createTemporaryFile(target.folder, target.mode);
    if (probe.fd < 0)
        return {FileError::CannotWrite, probe.error};
    ::unlink(probe.path.c_str());
    ::close(probe.fd);
    return {};
}

WriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const SaveTarget target = saveTarget(path);
    if (!target.refusal.ok())
        return target.refusal;
    const std::string& folder = target.folder;
    const mode_t mode = target.mode;
    const bool keepMode = target.keepMode;

    removeAbandonedTemporaryFiles(folder);
    const EndingSignalsHeld held;
    const TemporaryFile temporary = createTemporaryFile(folder, mode);
    if (temporary.fd < 0)
        return {FileError::CannotWrite, temporary.error};
    Descriptor file(temporary.fd);
    // The lock lasts while any descriptor of the file is open: this one keeps it
    // until the rename is done, as `file` is closed first to see late write errors.
    const Descriptor lock(::dup(file.get()));
    const auto fail = [&](FileError error) {
        const int saved = errno;
        ::unlink(temporary.path.c_str());
        return WriteResult{error, saved};
    };
    // Another user's file saved by root stays theirs. Anyone else may not
    // give a file away (the save is then theirs, as with any editor), so a
    // refusal is no failure. The mode comes after: a new owner clears set-id bits.
    if (keepMode) {
        [[maybe_unused]] const int kept = ::fchown(file.get(), target.owner, target.group);
    }
    if (keepMode && ::fchmod(file.get(), mode) != 0)
        return fail(FileError::CannotWrite);
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close())
        return fail(FileError::CannotWrite);
    if (::rename(temporary.path.c_str(), target.path.c_str()) != 0)
        return fail(FileError::CannotReplace);
    syncFolder(folder);
    return {};
}

} // namespace files
