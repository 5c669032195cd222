#include "shell/history_records.h"

#include "platform/history_file.h"
#include "records/write_result.h"
#include "words/message_box.h"
#include "words/messages.h"
#include "words/program_version.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

namespace shell {

namespace {

records::Record radioRecord(records::Action action, int port, const QString& device,
                            const image::MemoryImage& memory) {
    records::Record record;
    record.action = action;
    if (port > 0)
        record.port = "port " + std::to_string(port);
    const QString target = QFileInfo(device).canonicalFilePath();
    record.device = QFile::encodeName(target.isEmpty() ? device : target).toStdString();
    record.sha256 =
        QCryptographicHash::hash(QByteArrayView(memory.data(), qsizetype(image::ImageSize)),
                                 QCryptographicHash::Sha256)
            .toHex()
            .toStdString();
    return record;
}

QString lastWhyNotKept;

// The window and its transfers wait no longer than this for another
// program's hold on the history: the record then waits beside it.
constexpr int BusyMilliseconds = 500;

// A history that cannot take the record does not stop the radio's work, nor
// does it ask the user anything mid-batch: one that waits beside it is
// kept; one kept nowhere is told by the caller once the work has ended.
bool keep(records::Record& record) {
    const radiolink::RecordKept kept =
        radiolink::keepRecord(record, ui::ProgramVersion, BusyMilliseconds);
    if (kept.where == radiolink::RecordKept::InHistory)
        return true;
    qWarning("not kept in the history: %s", kept.why.c_str());
    if (kept.where == radiolink::RecordKept::Pending)
        return true;
    lastWhyNotKept = QString::fromLocal8Bit(kept.why);
    return false;
}

} // namespace

records::Record recordWriteStarted(records::Action action, int port, const QString& device,
                                   const image::MemoryImage& sent, bool& kept,
                                   std::vector<records::VariedValue> values, const QString& file) {
    records::Record record = radioRecord(action, port, device, sent);
    record.file = QFile::encodeName(file).toStdString();
    record.values = std::move(values);
    record.result = records::startedResultText();
    kept = keep(record);
    return record;
}

bool recordWriteEnded(records::Record& record, const radiolink::SafeWriteResult& result,
                      const QString& backupPath) {
    record.band = result.radioBand;
    record.result = records::writeResultText(result);
    record.backup = QFile::encodeName(backupPath).toStdString();
    return keep(record);
}

bool recordRead(int port, const QString& device, const image::MemoryImage& received,
                std::optional<int> band) {
    records::Record record = radioRecord(records::Action::Read, port, device, received);
    record.band = band;
    record.result = records::readResultText();
    return keep(record);
}

void tellRecordsNotKept() {
    ui::showMessage(ui::Msg::RecordNotKept, {lastWhyNotKept});
}

} // namespace shell
