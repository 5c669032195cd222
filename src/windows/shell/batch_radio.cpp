#include "shell/batch_radio.h"

#include "files/backup_store.h"
#include "platform/history_file.h"
#include "shell/history_records.h"
#include "shell/safe_write_flow.h"
#include "words/port_failure_text.h"

#include <QFile>
#include <QTimer>
#include <ctime>

namespace shell {

BatchRadio::BatchRadio(int port, const radiolink::PortPlaces& places, const BatchJob& job,
                       const image::MemoryImage& image, std::vector<records::VariedValue> values,
                       QObject* parent)
    : QObject(parent), m_portNumber(port), m_places(places), m_job(job), m_image(image),
      m_values(std::move(values)),
      m_safeWrite(m_port, static_cast<radiolink::SafeWriteView&>(*this)) {}

void BatchRadio::start() {
    m_clock.start();
    m_running = true;
    if (!m_port.openPort(m_portNumber, m_places)) {
        m_portError =
            ui::portFailureText(m_port.failure(), m_port.deviceName(), m_port.systemErrorText());
        // After the caller's start loop: every row is there to be told.
        QTimer::singleShot(0, this, &BatchRadio::end);
        return;
    }
    // Before the first block: a program that ends mid-batch leaves it.
    m_record = recordWriteStarted(records::Action::Write, m_portNumber, m_port.deviceName(),
                                  m_image, m_recordKept, m_values);
    m_safeWrite.safeWrite().start(
        std::span<const std::uint8_t, image::ImageSize>(m_image.data(), image::ImageSize),
        m_job.band, m_job.options);
}

void BatchRadio::cancel() {
    m_safeWrite.safeWrite().cancel();
}

void BatchRadio::progressChanged(const radiolink::SafeWriteProgress& progress) {
    m_progress = progress;
    emit changed();
}

bool BatchRadio::keepBackup(const image::MemoryImage& backup, std::optional<int> radioBand) {
    m_radioBand = radioBand;
    files::BackupStore store(QFile::encodeName(m_job.backupsFolder).toStdString());
    radiolink::keepRecordedBackups(store);
    const files::BackupSaved saved =
        store.add(backup, radioBand, files::portLabel(m_portNumber), std::time(nullptr));
    if (saved.ok())
        m_backupPath = QFile::decodeName(saved.path.c_str());
    m_removedBackups = int(saved.removed.size());
    emit changed();
    return saved.ok();
}

void BatchRadio::confirmationNeeded(const radiolink::Confirmation&) {
    m_safeWrite.safeWrite().confirm(true);
}

void BatchRadio::finished(const radiolink::SafeWriteResult& result) {
    m_result = result;
    // The row names the backup to restore a radio left with a mix from.
    if (result.outcome == radiolink::SafeWriteOutcome::Partial && !m_backupPath.isEmpty())
        files::BackupStore(QFile::encodeName(m_job.backupsFolder).toStdString())
            .pin(QFile::encodeName(m_backupPath).toStdString());
    if (result.radioBand)
        m_radioBand = result.radioBand;
    m_recordKept = recordWriteEnded(m_record, result, m_backupPath) && m_recordKept;
    if (result.reason != radiolink::SafeWriteReason::None)
        dropLateAnswers(m_port);
    end();
}

void BatchRadio::end() {
    m_running = false;
    m_elapsedMs = m_clock.elapsed();
    m_port.close();
    emit ended();
}

} // namespace shell
