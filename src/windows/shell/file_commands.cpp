#include "shell/file_commands.h"

#include "editors/band_selection.h"
#include "files/dat_file.h"
#include "shell/file_dialog.h"
#include "shell/main_window.h"
#include "words/file_names.h"
#include "words/messages.h"
#include "words/read_failure.h"
#include "words/save_failure.h"

namespace shell {

QString FileCommands::askFileName(bool forSaving) const {
    static const FileKind dat{{QString::fromUtf8("DAT文件(*.dat)"), "AllFiles(*.*)"}, "dat"};
    return shell::askFileName(&m_window, forSaving, dat);
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

files::LoadResult loadReported(const QString& path) {
    files::LoadResult loaded = files::loadDatFile(ui::fileNameBytes(path).toStdString());
    if (loaded.error == files::FileError::WrongType)
        ui::showMessage(ui::Msg::WrongFileType);
    else
        ui::reportReadFailure(path, loaded.error, loaded.systemError);
    return loaded;
}

files::FileError FileCommands::openFile(const QString& path) {
    const files::LoadResult loaded = loadReported(path);
    if (!loaded.ok())
        return loaded.error;
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
