#include "shell/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace shell {

namespace {

QString& chosenFolder() {
    static QString folder;
    return folder;
}

} // namespace

QString lastFileFolder(const QString& otherwise) {
    if (!chosenFolder().isEmpty())
        return chosenFolder();
    if (!otherwise.isEmpty())
        return otherwise;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void rememberFileFolder(const QString& chosenFile) {
    chosenFolder() = QFileInfo(chosenFile).absolutePath();
}

QString askFileName(QWidget* parent, bool forSaving, const FileKind& kind) {
    QFileDialog dialog(parent);
    dialog.setObjectName("CommonDialog1");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(kind.nameFilters);
    dialog.setDirectory(lastFileFolder());
    if (forSaving)
        dialog.setDefaultSuffix(kind.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    rememberFileFolder(chosen);
    return chosen;
}

} // namespace shell
