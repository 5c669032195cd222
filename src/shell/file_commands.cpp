#include "shell/file_commands.h"

#include "editors/band_selection.h"
#include "files/dat_file.h"
#include "shell/main_window.h"
#include "ui/file_names.h"
#include "ui/messages.h"
#include "ui/save_failure.h"

#include <QFileDialog>

namespace shell {

QString FileCommands::askFileName(bool forSaving) const {
    QFileDialog dialog(&m_window);
    dialog.setObjectName("CommonDialog1");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters({QString::fromUtf8("DAT文件(*.dat)"), "AllFiles(*.*)"});
    dialog.setDirectory(m_window.programFolder());
    if (forSaving)
        dialog.setDefaultSuffix("dat");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void FileCommands::New() {
    if (ui::showMessage(ui::Msg::NewConfirm) != 1)
        return;
    m_window.bandSelection()->ResetBand();
    m_window.StartForms();
}

void FileCommands::Open() {
    m_window.bandSelection()->BandPickPending = false;
    const QString path = askFileName(false);
    if (!path.isEmpty())
        openFile(path);
}

files::FileError FileCommands::openFile(const QString& path) {
    const files::LoadResult loaded = files::loadDatFile(ui::fileNameBytes(path).toStdString());
    switch (loaded.error) {
    case files::FileError::None:
        break;
    case files::FileError::WrongType:
        ui::showMessage(ui::Msg::WrongFileType);
        return loaded.error;
    case files::FileError::NotRegularFile:
        ui::showMessage(ui::Msg::FileNotReadNotRegular, {ui::shownFileName(path)});
        return loaded.error;
    default:
        ui::showMessage(ui::Msg::FileNotRead,
                        {ui::shownFileName(path), ui::systemReason(loaded.systemError)});
        return loaded.error;
    }
    m_window.showDatFile(loaded.file);
    return files::FileError::None;
}

void FileCommands::Save() {
    const QString path = askFileName(true);
    if (!path.isEmpty())
        saveFile(path);
}

files::FileError FileCommands::saveFile(const QString& path) {
    m_window.EncodeImage();
    const files::WriteResult written =
        files::saveDatFile(ui::fileNameBytes(path).toStdString(), m_window.TransmitImage,
                           static_cast<std::uint8_t>(m_window.bandSelection()->bandCode()));
    ui::reportSaveFailure(path, written);
    return written.error;
}

} // namespace shell
