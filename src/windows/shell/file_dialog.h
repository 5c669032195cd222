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
// `folder`; the chosen path, or empty when the user cancelled.
QString askFileName(QWidget* parent, const QString& folder, bool forSaving, const FileKind& kind);

// The folder the user last saved a file into during this run (a `.dat`, a
// CSV, a printout), or `otherwise` before the first save: the printout's
// dialog starts there. Every save dialog answered remembers its folder.
QString lastSaveFolder(const QString& otherwise);
void rememberSaveFolder(const QString& savedFile);

} // namespace shell
