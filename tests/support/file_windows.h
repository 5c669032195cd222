// The program's windows showing a data file, for tests that compare what
// the commands compute without windows with what the windows show.
#pragma once

#include "files/dat_file.h"

#include <memory>

namespace shell {
class MainWindow;
}

namespace testing {

// The program's windows, built as the program builds them (never on screen,
// nothing read from or written to disk, no port), in `language`, showing
// `file`.
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

} // namespace testing
