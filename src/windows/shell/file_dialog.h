#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace shell {

// What a file dialog offers: its filters, and the suffix a saved name gets
// when it has none.
struct FileKind {
    QStringList nameFilters;
    QString defaultSuffix;
};

// CommonDialog1, for opening an existing file or saving one, starting in
// the folder of the last file chosen; the chosen path, or empty when the
// user cancelled.
QString askFileName(QWidget* parent, bool forSaving, const FileKind& kind);

// The folder the user last chose a file in during this run, opened or saved
// (a .dat, a CSV, a YAML file, a printout); before the first, `otherwise`,
// else the user's documents. Never the program's own folder, which an
// installed program cannot write.
QString lastFileFolder(const QString& otherwise = {});
void rememberFileFolder(const QString& chosenFile);

} // namespace shell
