#include "words/save_failure.h"

#include "words/file_names.h"
#include "words/messages.h"

#include <QDir>
#include <cstring>

namespace ui {

QString systemReason(int systemError) {
    return systemError ? QString::fromLocal8Bit(std::strerror(systemError)) : QString();
}

QString shownFileName(const QString& path) {
    return printableFileName(QDir::toNativeSeparators(path));
}

void reportSaveFailure(const QString& path, const files::WriteResult& written) {
    if (written.error == files::FileError::NotRegularFile)
        showMessage(Msg::FileNotSavedNotRegular, {shownFileName(path)});
    else if (!written.ok())
        showMessage(Msg::FileNotSaved, {shownFileName(path), systemReason(written.systemError)});
}

} // namespace ui
