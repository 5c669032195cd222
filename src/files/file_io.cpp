#include "files/file_io.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

// Closes a descriptor on every path out of a function.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (it can report a late write error).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

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

// The file a save should replace: where a symbolic link points, else the path itself.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a failure here no longer risks the data.
void syncFolder(const std::string& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

} // namespace

ReadResult readFileStart(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    // Non-blocking, so that opening a pipe cannot hang; regular files ignore it.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid())
        return {FileError::CannotOpen, errno, {}};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return {FileError::CannotOpen, errno, {}};
    if (!S_ISREG(st.st_mode))
        return {FileError::CannotOpen, S_ISDIR(st.st_mode) ? EISDIR : EINVAL, {}};

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

WriteResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string target = resolveTarget(path);
    const std::string folder = folderOf(target);

    mode_t mode = 0666; // narrowed by the umask when the file is new
    bool keepMode = false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return {FileError::CannotReplace, EISDIR};
        // A file that is read-only, or that we may not write, could not be
        // written in place either: the rename must not replace it.
        if ((st.st_mode & 0222) == 0)
            return {FileError::CannotWrite, EACCES};
        if (::access(target.c_str(), W_OK) != 0)
            return {FileError::CannotWrite, errno};
        mode = st.st_mode & 07777;
        keepMode = true;
    }

    // A short fixed-length name, so a target name near the length limit still works.
    static std::atomic<unsigned> counter{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + "/.tq305-" + std::to_string(::getpid()) + "-" +
                    std::to_string(counter++) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            return {FileError::CannotWrite, errno};
    }
    if (fd < 0)
        return {FileError::CannotWrite, EEXIST};

    Descriptor file(fd);
    const auto fail = [&](FileError error) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        return WriteResult{error, saved};
    };
    if (keepMode && ::fchmod(file.get(), mode) != 0)
        return fail(FileError::CannotWrite);
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close())
        return fail(FileError::CannotWrite);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(FileError::CannotReplace);
    syncFolder(folder);
    return {};
}

} // namespace files
