#include "files/backup_store.h"

#include "files/dat_file.h"
#include "image/image_decoder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <set>
#include <system_error>
#include <tuple>
#include <unistd.h>

namespace files {

namespace fs = std::filesystem;

namespace {

// Header byte 7 for a band code no band has: read back, it names none.
constexpr std::uint8_t NoBandByte = 0x10;

// Beside a backup: the mark that keeps it past the limit.
constexpr const char* PinSuffix = ".keep";

// YYYY-MM-DD_HHMMSS_<port>_band<N>[-k].dat; compiled when first needed,
// not at every start of every program that links the store.
const std::regex& backupName() {
    static const std::regex pattern(
        R"((\d{4}-\d{2}-\d{2})_(\d{2})(\d{2})(\d{2})_(.+)_(band\d+|noband)(?:-(\d+))?\.dat)");
    return pattern;
}

struct NameParts {
    std::string taken;
    std::string portLabel;
    int sequence = 1;
};

std::optional<NameParts> parseName(const std::string& name) {
    std::smatch match;
    if (!std::regex_match(name, match, backupName()))
        return std::nullopt;
    NameParts parts;
    parts.taken =
        match[1].str() + " " + match[2].str() + ":" + match[3].str() + ":" + match[4].str();
    parts.portLabel = match[5].str();
    if (match[7].matched)
        parts.sequence = std::stoi(match[7].str());
    return parts;
}

// Another program's checkUsable() takes away the empty folders it made to
// try, and may do so just after this one found or made them: a folder that
// vanished under a step is made again and the step tried again.
constexpr int FolderAttempts = 20;

template <typename Step> WriteResult inFolder(const std::string& folder, Step step) {
    WriteResult result;
    for (int attempt = 0; attempt < FolderAttempts; ++attempt) {
        std::error_code error;
        fs::create_directories(folder, error);
        result = error ? WriteResult{FileError::CannotWrite, error.value()} : step();
        if (result.ok() || result.systemError != ENOENT)
            break;
    }
    return result;
}

std::string timeStamp(std::time_t taken) {
    std::tm local{};
    ::localtime_r(&taken, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H%M%S", &local);
    return text;
}

bool isBand(std::optional<int> band) {
    return band && *band >= 0 && *band <= 7;
}

int channelsInUse(const image::MemoryImage& image) {
    const image::DecodedImage decoded = image::decodeImage(image);
    return int(std::ranges::count_if(
        decoded.Form1.rows, [](const image::ChannelRow& row) { return !row.freqText[0].empty(); }));
}

struct Found {
    std::string name;
    NameParts parts;
};

// Oldest first: the names begin with the time; a later "-k" is newer.
std::vector<Found> backupsIn(const std::string& folder) {
    std::vector<Found> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (const std::optional<NameParts> parts = parseName(name);
            parts && entry.is_regular_file(error))
            found.push_back({name, *parts});
    }
    std::ranges::sort(found, [](const Found& a, const Found& b) {
        return std::tie(a.parts.taken, a.parts.sequence, a.name) <
               std::tie(b.parts.taken, b.parts.sequence, b.name);
    });
    return found;
}

} // namespace

BackupStore::BackupStore(std::string folder, std::size_t limit)
    : m_folder(std::move(folder)), m_limit(std::max<std::size_t>(limit, 1)) {}

BackupSaved BackupStore::add(const image::MemoryImage& image, std::optional<int> band,
                             const std::string& portLabel, std::time_t taken) {
    BackupSaved saved;
    // Written whole under a name of its own, then given its final name with
    // a link, which never replaces a file already there. Once the partial
    // file is in, the folder is no longer empty, and stays.
    const std::string partial =
        m_folder + "/.tq305-backup-" + std::to_string(::getpid()) + ".partial";
    saved.result = inFolder(m_folder, [&] {
        return saveDatFile(partial, image, isBand(band) ? std::uint8_t(*band) : NoBandByte);
    });
    if (!saved.ok())
        return saved;
    const std::string stem = m_folder + "/" + timeStamp(taken) + "_" + portLabel + "_" +
                             (isBand(band) ? "band" + std::to_string(*band) : "noband");
    for (int sequence = 1;; ++sequence) {
        // Appended piece by piece: GCC 12 at -O2 and above takes
        // `"-" + std::to_string(n)` for an overlapping copy (-Wrestrict).
        std::string path = stem;
        if (sequence > 1)
            path.append("-").append(std::to_string(sequence));
        path.append(".dat");
        if (::link(partial.c_str(), path.c_str()) == 0) {
            saved.path = path;
            break;
        }
        if (errno != EEXIST) {
            saved.result = {FileError::CannotReplace, errno};
            break;
        }
    }
    ::unlink(partial.c_str());
    if (saved.ok())
        saved.removed = removeOldest();
    return saved;
}

bool BackupStore::pin(const std::string& path) const {
    const int fd = ::open((path + PinSuffix).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool BackupStore::pinned(const std::string& path) {
    return ::access((path + PinSuffix).c_str(), F_OK) == 0;
}

bool BackupStore::remove(const std::string& path) const {
    if (::unlink(path.c_str()) != 0)
        return false;
    ::unlink((path + PinSuffix).c_str());
    return true;
}

WriteResult BackupStore::checkUsable() const {
    // The folders made to try are taken away again: a write that ends
    // before its backup leaves nothing behind.
    std::vector<fs::path> made;
    std::error_code error;
    for (fs::path folder = fs::path(m_folder).lexically_normal();
         !folder.empty() && fs::symlink_status(folder, error).type() == fs::file_type::not_found;
         folder = folder.parent_path()) {
        made.push_back(folder);
        if (folder == folder.parent_path())
            break;
    }
    const WriteResult usable =
        inFolder(m_folder, [&] { return checkReplaceable(m_folder + "/.tq305-backup-probe.dat"); });
    for (const fs::path& folder : made)
        fs::remove(folder, error);
    return usable;
}

std::vector<std::string> BackupStore::removeOldest() const {
    std::vector<std::string> removed;
    // Backups a record names neither count towards the limit nor go; with
    // the records unreadable, none goes.
    const std::optional<std::set<std::string>> named =
        m_named ? m_named() : std::set<std::string>();
    if (!named)
        return removed;
    std::vector<Found> found;
    for (Found& backup : backupsIn(m_folder))
        if (!named->contains(m_folder + "/" + backup.name))
            found.push_back(std::move(backup));
    if (found.size() <= m_limit)
        return removed;
    // Oldest first: the last of each port's is its newest.
    std::set<std::string> portsSeen;
    std::vector<bool> newestOfPort(found.size());
    for (std::size_t n = found.size(); n-- > 0;)
        newestOfPort[n] = portsSeen.insert(found[n].parts.portLabel).second;
    std::size_t excess = found.size() - m_limit;
    for (std::size_t n = 0; n < found.size() && excess > 0; ++n) {
        const std::string path = m_folder + "/" + found[n].name;
        if (newestOfPort[n] || pinned(path))
            continue;
        if (::unlink(path.c_str()) == 0) {
            removed.push_back(found[n].name);
            --excess;
        }
    }
    return removed;
}

std::vector<BackupEntry> BackupStore::list() const {
    std::vector<BackupEntry> entries;
    const std::vector<Found> found = backupsIn(m_folder);
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        BackupEntry entry;
        entry.path = m_folder + "/" + it->name;
        entry.fileName = it->name;
        entry.taken = it->parts.taken;
        entry.portLabel = it->parts.portLabel;
        const LoadResult loaded = loadDatFile(entry.path);
        if (loaded.ok()) {
            image::MemoryImage memory{};
            loaded.file.copyInto(memory);
            entry.band = loaded.file.band;
            entry.channelsInUse = channelsInUse(memory);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string portLabel(int port) {
    return "port" + std::to_string(port);
}

std::string deviceLabel(const std::string& devicePath) {
    const fs::path path(devicePath);
    std::string label = path.filename().string();
    if (!label.empty() && std::ranges::all_of(label, [](char c) { return c >= '0' && c <= '9'; }))
        label = path.parent_path().filename().string() + label;
    for (char& c : label)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '+')
            c = '_';
    return label.empty() ? "device" : label;
}

} // namespace files
