#include "cli/radio_write.h"

#include "cli/link_failure_text.h"
#include "cli/write_steps.h"
#include "files/backup_store.h"
#include "settings/value_pattern.h"

#include <QFile>
#include <algorithm>
#include <ctime>

namespace cli {

RadioWrite::RadioWrite(const RadioPort& where, const WriteJob& job, WriteReport& report)
    : m_where(where), m_job(job), m_report(report) {}

bool openRadioPort(radiolink::SerialPort& port, const RadioPort& where) {
    if (where.number)
        return port.openPort(*where.number);
    return port.openDevice(QFile::decodeName(QByteArray::fromStdString(where.device)));
}

bool RadioWrite::open() {
    const bool opened = openRadioPort(m_port, m_where);
    m_name = portName(m_port, m_where);
    return opened;
}

void RadioWrite::vary(const image::MemoryImage& image, std::vector<records::VariedValue> values) {
    m_image = image;
    m_values = std::move(values);
}

std::string RadioWrite::device() const {
    return QFile::encodeName(m_port.deviceName()).toStdString();
}

std::string RadioWrite::openFailure() const {
    return portFailureText(m_port, m_where);
}

void RadioWrite::start() {
    m_clock.start();
    std::array<std::uint8_t, image::ImageSize> own = m_job.image;
    if (m_image)
        std::copy_n(m_image->begin(), own.size(), own.begin());
    m_safeWrite.safeWrite().start(own, m_job.fileBand.value_or(-1), m_job.options);
}

void RadioWrite::interrupt() {
    if (done())
        return;
    m_safeWrite.safeWrite().cancel();
    m_port.drainInput(150, 1000);
}

void RadioWrite::progressChanged(const radiolink::SafeWriteProgress& progress) {
    m_report.progress(*this, progress);
}

std::string RadioWrite::backupLabel() const {
    return m_where.number ? files::portLabel(*m_where.number) : files::deviceLabel(m_where.device);
}

bool RadioWrite::keepBackup(const image::MemoryImage& backup, std::optional<int> radioBand) {
    const files::BackupSaved saved =
        m_job.backups->add(backup, radioBand, backupLabel(), std::time(nullptr));
    if (!saved.ok()) {
        m_backupFailure = saveFailureText(m_job.backups->folder(), saved.result);
        return false;
    }
    m_backupPath = saved.path;
    m_report.say(*this, "backup of the radio's memory: " + shownName(m_backupPath));
    // Appended piece by piece: GCC 12 at -O2 and above takes a literal
    // before a std::string for an overlapping copy (-Wrestrict).
    for (const std::string& name : saved.removed)
        m_report.say(*this, std::string("old backup removed (the folder keeps ")
                                .append(std::to_string(files::DefaultBackupLimit))
                                .append("): ")
                                .append(shownName(name)));
    return true;
}

// The command line has nothing to show and no one to ask: its options are
// the answer, and --force-band has already said yes to another band.
void RadioWrite::confirmationNeeded(const radiolink::Confirmation& confirmation) {
    m_safeWrite.safeWrite().confirm(keepOwnValues(confirmation));
}

bool RadioWrite::keepOwnValues(const radiolink::Confirmation& confirmation) {
    if (m_job.keep.empty() || !confirmation.backup)
        return m_job.keep.empty();
    std::string refusal;
    const auto kept =
        keptValues(m_job.keep, *confirmation.backup, confirmation.radioBand, m_where, refusal);
    if (!kept) {
        m_report.say(*this, refusal + "; nothing is written to it");
        return false;
    }
    image::MemoryImage own{};
    std::copy_n(m_image ? m_image->begin() : m_job.image.begin(), image::ImageSize, own.begin());
    own = settings::imageWithValues(own, m_job.fileBand, *kept);
    m_safeWrite.safeWrite().replaceImage(std::span(own).first<image::ImageSize>());
    std::string said;
    for (const auto& [pattern, value] : *kept) {
        m_values.emplace_back(pattern.key, value);
        said += (said.empty() ? "" : " ") + pattern.key + "=" + value;
    }
    m_report.say(*this, "kept from the radio's own memory: " + said);
    return true;
}

void RadioWrite::finished(const radiolink::SafeWriteResult& result) {
    m_result = result;
    m_seconds = double(m_clock.elapsed()) / 1000;
    // The restore instruction printed for these names the backup: it stays.
    const bool restoreNamed = result.outcome == radiolink::SafeWriteOutcome::Partial ||
                              result.outcome == radiolink::SafeWriteOutcome::VerifyFailed;
    if (restoreNamed && !m_backupPath.empty())
        m_job.backups->pin(m_backupPath);
    emit ended();
}

std::optional<int> RadioWrite::forcedBand() const {
    if (m_result && m_result->radioBand && *m_result->radioBand != m_job.fileBand.value_or(-1))
        return m_result->radioBand;
    return std::nullopt;
}

} // namespace cli
