#pragma once

#include "image/image_layout.h"
#include "link/safe_write.h"
#include "records/history.h"
#include "shell/partial_write_dialog.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

namespace files {
struct WriteResult;
}

namespace radiolink {
class QtSafeWrite;
class SerialPort;
} // namespace radiolink

namespace shell {

// A transfer that ended early sent "E" in the middle of an exchange: the
// radio's last answers are taken off the line here, not by the next transfer
// as answers of its own.
void dropLateAnswers(radiolink::SerialPort& port);

// The folder and the system's words, for the message that a backup cannot
// be kept.
QStringList backupNotKeptTexts(const QString& folder, const files::WriteResult& result);
// Before a write reads the radio: false, after saying why, when no backup
// could be kept in `folder`.
bool backupFolderUsable(const QString& folder);

class MainWindow;
class ProgressWindow;
struct WriteOptions;

// MNWrite as a safe write: the radio's memory read into a backup (kept in the
// backup folder), what will change shown for the user to confirm, the write,
// and a read that checks it; FrmWriting shows one bar over all of it. The
// editors never see the reads. A write that stops part-way offers to write
// again or to put the backup back.
class SafeWriteFlow : public QObject, private radiolink::SafeWriteView {
  public:
    SafeWriteFlow(MainWindow& window, ProgressWindow& progress, radiolink::SerialPort& port,
                  QString backupsFolder);
    ~SafeWriteFlow() override;

    // Encodes the editors and writes them to the radio on `portNumber`.
    void start(const WriteOptions& options, int portNumber);
    // Writes a kept backup (its bytes as they are) back to the radio on
    // `portNumber`, as safely as any write; the end names the backup's file
    // and the history record keeps its path.
    void startRestore(const image::MemoryImage& backup, int band, const QString& backupPath,
                      const WriteOptions& options, int portNumber);
    // FrmWriting's Cancel: a write asks first, the reads stop at once.
    void cancelRequested();
    bool running() const;

  private:
    // What a run writes: the editors, the editors once more after a write
    // that stopped, or the backup.
    enum class Run { Write, WriteAgain, Restore };

    void run(Run what, const image::MemoryImage& image, int band,
             const radiolink::SafeWriteOptions& options);
    void askConfirmation(const radiolink::Confirmation& confirmation);
    void startWith(const image::MemoryImage& image, int band, const WriteOptions& options,
                   int portNumber);
    void present(const radiolink::SafeWriteResult& result);
    void tell(const radiolink::SafeWriteResult& result);
    void presentWritten(const radiolink::SafeWriteResult& result);
    void presentNothingWritten(const radiolink::SafeWriteResult& result);
    void offerAfterPartial(const radiolink::SafeWriteResult& result);

    // SafeWriteView.
    void progressChanged(const radiolink::SafeWriteProgress& progress) override;
    bool keepBackup(const image::MemoryImage& backup, std::optional<int> radioBand) override;
    void confirmationNeeded(const radiolink::Confirmation& confirmation) override;
    bool confirmForcedWrite() override;
    void finished(const radiolink::SafeWriteResult& result) override;

    MainWindow& m_window;
    ProgressWindow& m_progress;
    radiolink::SerialPort& m_port;
    QString m_backupsFolder;
    std::unique_ptr<radiolink::QtSafeWrite> m_link;

    Run m_run = Run::Write;
    image::MemoryImage m_image{};
    int m_band = 0;
    radiolink::SafeWriteOptions m_options;
    int m_portNumber = 0;
    radiolink::SafeWriteStage m_shownStage = radiolink::SafeWriteStage::Idle;
    // The backup this write took, kept for a restore until the next write,
    // and its file.
    std::optional<image::MemoryImage> m_backup;
    int m_backupBand = 0;
    QString m_backupPath;
    // The backup being written back; empty for other writes.
    QString m_restoring;
    // This write's record, kept as it started; whether it was kept anywhere.
    records::Record m_record;
    bool m_recordKept = true;
    // Old backups the folder's limit removed while this write kept its own.
    QStringList m_removedBackups;
    // Why the last backup could not be kept: the folder, the system's words.
    QStringList m_backupNotKept;
    // The stop question is open: a result that comes meanwhile waits for it.
    bool m_asking = false;
    std::optional<radiolink::SafeWriteResult> m_pending;
};

} // namespace shell
