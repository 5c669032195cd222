#include "shell/help_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace shell {

void openHelpFile(const QString& programFolder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(programFolder).filePath("PL482.CHM")));
}

} // namespace shell
