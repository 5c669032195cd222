#pragma once

#include "image/image_layout.h"
#include "link/safe_write.h"
#include "platform/port_names.h"
#include "platform/qt_safe_write.h"
#include "platform/serial_port.h"
#include "records/history.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <optional>

namespace shell {

// What every radio of a batch gets.
struct BatchJob {
    image::MemoryImage image{}; // the editors' image; 2048 unused
    int band = 0;               // the band the radios must be set to
    radiolink::SafeWriteOptions options;
    QString backupsFolder;
};

// One radio of a batch write: its own serial port, timers and safe write,
// with the confirmation answered at once (the user chose the batch) and a
// radio of another band refused. Opened at start, closed at the end. It
// writes `image`: the job's, with the values of its own.
class BatchRadio : public QObject, private radiolink::SafeWriteView {
    Q_OBJECT
  public:
    BatchRadio(int port, const radiolink::PortPlaces& places, const BatchJob& job,
               const image::MemoryImage& image, std::vector<records::VariedValue> values,
               QObject* parent = nullptr);

    void start();
    // Ends the running transfer with "E"; a write that had begun is left
    // part-way.
    void cancel();
    // The stop question is open: nothing is sent until release() or cancel().
    void hold() { m_safeWrite.safeWrite().hold(); }
    void release() { m_safeWrite.safeWrite().release(); }

    int port() const { return m_portNumber; }
    const std::vector<records::VariedValue>& values() const { return m_values; }
    bool running() const { return m_running; }
    radiolink::SafeWriteProgress progress() const { return m_progress; }
    // Once the radio's ident was read.
    std::optional<int> radioBand() const { return m_radioBand; }
    // Once it has ended; a port that did not open ended with `portError`.
    const std::optional<radiolink::SafeWriteResult>& result() const { return m_result; }
    // Why the port did not open, as the port error says it; empty if it did.
    const QString& portError() const { return m_portError; }
    const QString& backupPath() const { return m_backupPath; }
    // Old backups the folder's limit removed when this one was kept.
    int removedBackups() const { return m_removedBackups; }
    qint64 elapsedMs() const { return m_elapsedMs; }
    // False when its record could be kept neither in the history nor beside it.
    bool recordKept() const { return m_recordKept; }

  signals:
    void changed();
    void ended();

  private:
    void progressChanged(const radiolink::SafeWriteProgress& progress) override;
    bool keepBackup(const image::MemoryImage& backup, std::optional<int> radioBand) override;
    void confirmationNeeded(const radiolink::Confirmation& confirmation) override;
    bool confirmForcedWrite() override { return false; }
    void finished(const radiolink::SafeWriteResult& result) override;
    void end();

    int m_portNumber;
    radiolink::PortPlaces m_places;
    const BatchJob& m_job;
    image::MemoryImage m_image;
    std::vector<records::VariedValue> m_values;
    radiolink::SerialPort m_port;
    radiolink::QtSafeWrite m_safeWrite;
    QElapsedTimer m_clock;
    qint64 m_elapsedMs = 0;
    bool m_running = false;
    radiolink::SafeWriteProgress m_progress;
    std::optional<int> m_radioBand;
    std::optional<radiolink::SafeWriteResult> m_result;
    QString m_portError;
    QString m_backupPath;
    int m_removedBackups = 0;
    records::Record m_record;
    bool m_recordKept = true;
};

} // namespace shell
