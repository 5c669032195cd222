#include "shell/parameter_file.h"

#include <QDir>
#include <QFile>

namespace shell {

QString parameterPath(const QString& folder) {
    return QDir(folder).filePath("parameter");
}

int readComPortIndex(const QString& folder) {
    QFile file(parameterPath(folder));
    if (!file.open(QIODevice::ReadWrite))
        return 0;
    char byte = 0;
    if (file.read(&byte, 1) != 1)
        return 0;
    return static_cast<quint8>(byte);
}

void writeComPortIndex(const QString& folder, int index) {
    QFile file(parameterPath(folder));
    if (!file.open(QIODevice::ReadWrite))
        return;
    const auto value = static_cast<quint16>(static_cast<qint16>(index));
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    file.write(bytes, 2);
}

} // namespace shell
