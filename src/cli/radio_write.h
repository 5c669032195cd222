// One radio of `tq305 write`: its port, its safe write (backup, write,
// verify) on the shared event loop, and its backup in the backup folder.
#pragma once

#include "cli/link_options.h"
#include "platform/qt_safe_write.h"
#include "platform/serial_port.h"
#include "records/history.h"

#include <QElapsedTimer>
#include <QObject>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace files {
class BackupStore;
}

namespace cli {

// What every radio of one command writes, and how.
struct WriteJob {
    std::array<std::uint8_t, image::ImageSize> image{};
    std::optional<int> fileBand;
    radiolink::SafeWriteOptions options;
    files::BackupStore* backups = nullptr; // none with --no-backup
    std::vector<std::string> keep;         // settings each radio keeps (--keep)
};

class RadioWrite;

// Opens the port the user gave: --port N or --device PATH.
bool openRadioPort(radiolink::SerialPort& port, const RadioPort& where);

// Where a radio's progress and lines go: a line per event for one radio, a
// status line per radio for several.
class WriteReport {
  public:
    virtual ~WriteReport() = default;
    virtual void progress(const RadioWrite& radio,
                          const radiolink::SafeWriteProgress& progress) = 0;
    virtual void say(const RadioWrite& radio, const std::string& line) = 0;
};

class RadioWrite : public QObject, private radiolink::SafeWriteView {
    Q_OBJECT
  public:
    RadioWrite(const RadioPort& where, const WriteJob& job, WriteReport& report);

    // False when the port did not open: openFailure() says why.
    bool open();
    // This radio's own image and the values that made it (--set).
    void vary(const image::MemoryImage& image, std::vector<records::VariedValue> values);
    // With the values kept from the backup once it was read (--keep).
    const std::vector<records::VariedValue>& values() const { return m_values; }
    // A job's radio: kept as started when it took its values.
    void startedInJob(const records::Record& record) { m_jobRecord = record; }
    const std::optional<records::Record>& jobRecord() const { return m_jobRecord; }
    std::string openFailure() const;
    void start();
    // A signal: the radio is told to end what runs, and its last answers
    // are taken here rather than by whoever uses the line next.
    void interrupt();

    const RadioPort& where() const { return m_where; }
    // "port 2 (DEVICE)" or the device.
    const std::string& name() const { return m_name; }
    // The device the port reached, its link followed.
    std::string device() const;
    bool done() const { return m_result.has_value(); }
    const std::optional<radiolink::SafeWriteResult>& result() const { return m_result; }
    // Where the backup went, and why it could not be kept.
    const std::string& backupPath() const { return m_backupPath; }
    const std::string& backupFailure() const { return m_backupFailure; }
    // From the start to the end of its write.
    double seconds() const { return m_seconds; }

    // The radio's band when it differed from the file's and was written
    // anyway (--force-band).
    std::optional<int> forcedBand() const;

  signals:
    void ended();

  private:
    void progressChanged(const radiolink::SafeWriteProgress& progress) override;
    bool keepBackup(const image::MemoryImage& backup, std::optional<int> radioBand) override;
    void confirmationNeeded(const radiolink::Confirmation& confirmation) override;
    bool confirmForcedWrite() override { return true; } // asked only with --force-band
    void finished(const radiolink::SafeWriteResult& result) override;
    std::string backupLabel() const;
    // The image with the values the radio keeps from `backup`; false when
    // one of them cannot be written back.
    bool keepOwnValues(const radiolink::Confirmation& confirmation);

    RadioPort m_where;
    const WriteJob& m_job;
    WriteReport& m_report;
    radiolink::SerialPort m_port;
    radiolink::QtSafeWrite m_safeWrite{m_port, *this};
    std::string m_name;
    std::optional<radiolink::SafeWriteResult> m_result;
    std::string m_backupPath;
    std::optional<image::MemoryImage> m_image;
    std::vector<records::VariedValue> m_values;
    std::optional<records::Record> m_jobRecord;
    std::string m_backupFailure;
    QElapsedTimer m_clock;
    double m_seconds = 0;
};

} // namespace cli
