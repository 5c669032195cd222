#include "shell/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace shell {

namespace {

QString& savedFolder() {
    static QString folder;
    return folder;
}

} // namespace

QString lastSaveFolder(const QString& otherwise) {
    return savedFolder().isEmpty() ? otherwise : savedFolder();
}

void rememberSaveFolder(const QString& savedFile) {
    savedFolder() = QFileInfo(savedFile).absolutePath();
}

QString askFileName(QWidget* parent, const QString& folder, bool forSaving, const FileKind& kind) {
    QFileDialog dialog(parent);
    dialog.setObjectName("CommonDialog1");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(kind.nameFilters);
    dialog.setDirectory(folder);
    if (forSaving)
        dialog.setDefaultSuffix(kind.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    if (forSaving)
        rememberSaveFolder(chosen);
    return chosen;
}

} // namespace shell
