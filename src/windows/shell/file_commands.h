#pragma once

#include "files/dat_file.h"
#include "files/file_io.h"

#include <QString>

namespace shell {

class MainWindow;

// A .dat file as Open reads it; a failure has been reported to the user.
files::LoadResult loadReported(const QString& path);

// New, Open and Save of .dat image files for the main window.
class FileCommands {
  public:
    explicit FileCommands(MainWindow& window) : m_window(window) {}

    void New();
    void Open();
    void Save();

    // Open and Save without their dialogs; a failure has been reported to
    // the user when these return it.
    files::FileError openFile(const QString& path);
    files::FileError saveFile(const QString& path);

  private:
    QString askFileName(bool forSaving) const;

    MainWindow& m_window;
};

} // namespace shell
