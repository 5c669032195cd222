#include "cli/radio_record.h"

#include "platform/history_file.h"
#include "words/program_version.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace cli {

records::Record radioRecord(records::Action action, const RadioPort& where,
                            const std::string& device, const std::string& file,
                            std::optional<int> band) {
    records::Record record;
    record.action = action;
    if (where.number)
        record.port = "port " + std::to_string(*where.number);
    // The device a port's link leads to is the one a dealer can find.
    const QString target =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(device))).canonicalFilePath();
    record.device = target.isEmpty() ? device : QFile::encodeName(target).toStdString();
    // Absolute: the history is read from anywhere.
    record.file =
        QFile::encodeName(
            QFileInfo(QFile::decodeName(QByteArray::fromStdString(file))).absoluteFilePath())
            .toStdString();
    record.sha256 = radiolink::fileSha256(file);
    record.band = band;
    return record;
}

void keepRadioRecord(const records::Record& record) {
    const std::string error = radiolink::keepRecord(record, ui::ProgramVersion);
    if (!error.empty())
        std::fprintf(stderr, "tq305: note: not kept in the history: %s\n", error.c_str());
}

} // namespace cli
