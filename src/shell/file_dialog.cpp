#include "shell/file_dialog.h"

#include <QFileDialog>

namespace shell {

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
    return dialog.selectedFiles().constFirst();
}

} // namespace shell
