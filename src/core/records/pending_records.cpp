#include "records/pending_records.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records {

namespace {

// The first field of every line: a later program that changes the line
// knows an older one's lines. Lines of format 1 have no job.
constexpr std::string_view LineFormat = "2";
constexpr std::string_view JoblessFormat = "1";
constexpr std::size_t FixedFields = 13;

std::string escaped(std::string_view field) {
    std::string text;
    for (char c : field) {
        if (c == '\\')
            text += "\\\\";
        else if (c == '\t')
            text += "\\t";
        else if (c == '\n')
            text += "\\n";
        else
            text += c;
    }
    return text;
}

std::vector<std::string> fieldsOf(std::string_view line) {
    std::vector<std::string> fields(1);
    for (std::size_t n = 0; n < line.size(); ++n) {
        const char c = line[n];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\' && n + 1 < line.size()) {
            const char next = line[++n];
            fields.back() += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::optional<std::int64_t> numberOf(const std::string& text) {
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return number;
}

// The file's whole text; nothing when it could not be read.
std::optional<std::string> readAll(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return text;
        if (got < 0 && errno != EINTR)
            return std::nullopt;
        if (got > 0)
            text.append(buffer, std::size_t(got));
    }
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = ::write(fd, text.data(), text.size());
        if (put < 0 && errno != EINTR)
            return false;
        if (put > 0)
            text.remove_prefix(std::size_t(put));
    }
    return true;
}

// The file open and locked against every other program's append and add;
// an appender that opened it just before another program replaced it
// opens it again.
class LockedFile {
  public:
    LockedFile(const std::string& path, int flags) {
        for (int tries = 0; tries < 10; ++tries) {
            m_fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
            if (m_fd < 0)
                return;
            struct stat opened {};
            struct stat named {};
            if (::flock(m_fd, LOCK_EX) == 0 && ::fstat(m_fd, &opened) == 0 &&
                ::stat(path.c_str(), &named) == 0 && opened.st_ino == named.st_ino &&
                opened.st_dev == named.st_dev)
                return;
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~LockedFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    int fd() const { return m_fd; }

  private:
    int m_fd = -1;
};

} // namespace

std::string pendingLine(const Record& record) {
    std::string line(LineFormat);
    for (const std::string& field :
         {record.token, std::to_string(record.at), std::string(actionName(record.action)),
          record.port, record.device, record.file, record.sha256,
          record.band ? std::to_string(*record.band) : std::string(), record.result, record.backup,
          record.version, record.job})
        line.append("\t").append(escaped(field));
    for (const auto& [key, value] : record.values)
        line.append("\t").append(escaped(key)).append("\t").append(escaped(value));
    return line;
}

std::optional<Record> pendingRecord(std::string_view line) {
    const std::vector<std::string> fields = fieldsOf(line);
    const bool jobless = !fields.empty() && fields[0] == JoblessFormat;
    const std::size_t fixed = jobless ? FixedFields - 1 : FixedFields;
    if (fields.size() < fixed || (fields[0] != LineFormat && !jobless) ||
        (fields.size() - fixed) % 2 != 0)
        return std::nullopt;
    Record record;
    record.token = fields[1];
    const std::optional<std::int64_t> at = numberOf(fields[2]);
    const std::optional<Action> action = actionNamed(fields[3]);
    if (!at || !action)
        return std::nullopt;
    record.at = std::time_t(*at);
    record.action = *action;
    record.port = fields[4];
    record.device = fields[5];
    record.file = fields[6];
    record.sha256 = fields[7];
    if (const std::optional<std::int64_t> band = numberOf(fields[8]))
        record.band = int(*band);
    record.result = fields[9];
    record.backup = fields[10];
    record.version = fields[11];
    if (!jobless)
        record.job = fields[12];
    for (std::size_t n = fixed; n < fields.size(); n += 2)
        record.values.emplace_back(fields[n], fields[n + 1]);
    return record;
}

bool PendingRecords::append(const Record& record) const {
    const LockedFile file(m_path, O_WRONLY | O_APPEND | O_CREAT);
    return file.fd() >= 0 && writeAll(file.fd(), pendingLine(record) + "\n") &&
           ::fsync(file.fd()) == 0;
}

std::vector<Record> PendingRecords::waiting() const {
    std::vector<Record> found;
    const LockedFile file(m_path, O_RDONLY);
    const std::optional<std::string> text =
        file.fd() >= 0 ? readAll(file.fd()) : std::optional<std::string>();
    std::string_view rest = text ? std::string_view(*text) : std::string_view();
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (std::optional<Record> record = pendingRecord(rest.substr(0, end)))
            found.push_back(std::move(*record));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return found;
}

int PendingRecords::addTo(const std::function<bool(Record&)>& add) const {
    const LockedFile file(m_path, O_RDWR);
    if (file.fd() < 0)
        return 0;
    const std::optional<std::string> text = readAll(file.fd());
    if (!text || text->empty())
        return 0;
    int added = 0;
    bool refused = false;
    std::string kept;
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        std::optional<Record> record = pendingRecord(line);
        // A line this program cannot read stays for one that can; after a
        // refusal the history is not asked again (each would wait for it).
        refused = refused || !record || !add(*record);
        if (!refused)
            ++added;
        else if (!line.empty())
            kept.append(line).append("\n");
    }
    if (kept.empty()) {
        ::unlink(m_path.c_str());
        return added;
    }
    if (::ftruncate(file.fd(), 0) == 0 && ::lseek(file.fd(), 0, SEEK_SET) == 0)
        writeAll(file.fd(), kept);
    return added;
}

} // namespace records
