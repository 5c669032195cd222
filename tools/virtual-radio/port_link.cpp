#include "port_link.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace radio {

namespace {

std::string dataHome() {
    // XDG says to ignore an empty or relative XDG_DATA_HOME.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share";
}

std::string linkTarget(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    return ec ? std::string() : target.string();
}

} // namespace

std::string comPortLinkPath(int port) {
    return dataHome() + "/TQ305CloneDesk/ports/com" + std::to_string(port);
}

bool PortLink::create(const std::string& linkPath, const std::string& target, std::string& error) {
    struct stat st {};
    if (lstat(linkPath.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        error = linkPath + ": exists and is not a symbolic link";
        return false;
    }
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(linkPath).parent_path();
    // The program may be making the same data folder at this moment (it is
    // started beside us): a folder that another made first fails one attempt,
    // and the next finds it.
    for (int attempt = 0;
         attempt < 3 && !parent.empty() && !std::filesystem::is_directory(parent, ec); ++attempt)
        std::filesystem::create_directories(parent, ec);
    // A new link under a temporary name, renamed over the old one, so the
    // port never points nowhere and never at a dead radio.
    const std::string temporary = linkPath + ".new-" + std::to_string(getpid());
    ::unlink(temporary.c_str());
    if (::symlink(target.c_str(), temporary.c_str()) != 0 ||
        ::rename(temporary.c_str(), linkPath.c_str()) != 0) {
        error = linkPath + ": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    m_path = linkPath;
    m_target = target;
    return true;
}

void PortLink::remove() {
    if (m_path.empty())
        return;
    if (linkTarget(m_path) == m_target)
        ::unlink(m_path.c_str());
    m_path.clear();
}

} // namespace radio
