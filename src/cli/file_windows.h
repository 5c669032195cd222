#pragma once

#include "files/dat_file.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace shell {
class MainWindow;
}

namespace cli {

// The value of --lang: "zh" 0, "en" 1.
std::optional<int> languageArgument(const QString& value);

// Reads a data file; on failure says why on the standard error ("tq305:
// FILE: reason") and gives nothing.
std::optional<files::DatFile> loadForCommand(const QString& path);

// The program's windows, built as the program builds them (never on screen,
// away from the user's settings, no port), in `language`, showing `file`.
class FileWindows {
  public:
    FileWindows(const files::DatFile& file, int language);
    // The same windows as New leaves them, showing no file.
    explicit FileWindows(int language);
    ~FileWindows();
    shell::MainWindow& window() const { return *m_window; }

  private:
    QTemporaryDir m_folder;
    std::unique_ptr<shell::MainWindow> m_window;
};

} // namespace cli
