#pragma once

#include "files/dat_file.h"

#include <QApplication>
#include <QString>
#include <memory>
#include <optional>

namespace shell {
class MainWindow;
}

namespace cli {

// The application the windows need: off screen (unless QT_QPA_PLATFORM
// names another platform), their messages sent to the standard error.
std::unique_ptr<QApplication> windowApplication(int& argc, char** argv);

// The value of --lang: "zh" 0, "en" 1.
std::optional<int> languageArgument(const QString& value);

// Reads a data file or a radio's YAML file; on failure says why on the
// standard error ("tq305: FILE: reason") and gives nothing.
std::optional<files::DatFile> loadForCommand(const QString& path);

// The program's windows, built as the program builds them (never on screen,
// nothing read from or written to disk, no port), in `language`, showing
// `file`. A message the windows would show in a box is one line on the
// standard error instead (see WindowMessages).
class FileWindows {
  public:
    FileWindows(const files::DatFile& file, int language);
    // The same windows as New leaves them, showing no file.
    explicit FileWindows(int language);
    ~FileWindows();
    shell::MainWindow& window() const { return *m_window; }

  private:
    std::unique_ptr<shell::MainWindow> m_window;
};

} // namespace cli
