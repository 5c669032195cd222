#include "shell/history_records.h"

#include "platform/history_file.h"
#include "records/write_result.h"
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

// A history that cannot take the record does not stop the radio's work, nor
// does it ask the user anything mid-batch.
void keep(const records::Record& record) {
    if (const std::string error = radiolink::keepRecord(record, ui::ProgramVersion); !error.empty())
        qWarning("not kept in the history: %s", error.c_str());
}

} // namespace

void recordWrite(records::Action action, int port, const QString& device,
                 const image::MemoryImage& sent, const radiolink::SafeWriteResult& result,
                 const QString& backupPath, std::vector<records::VariedValue> values,
                 const QString& file) {
    records::Record record = radioRecord(action, port, device, sent);
    record.file = QFile::encodeName(file).toStdString();
    record.band = result.radioBand;
    record.values = std::move(values);
    record.result = records::writeResultText(result);
    record.backup = QFile::encodeName(backupPath).toStdString();
    keep(record);
}

void recordRead(int port, const QString& device, const image::MemoryImage& received,
                std::optional<int> band) {
    records::Record record = radioRecord(records::Action::Read, port, device, received);
    record.band = band;
    record.result = records::readResultText();
    keep(record);
}

} // namespace shell
