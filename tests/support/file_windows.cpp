#include "support/file_windows.h"

#include "shell/main_window.h"
#include "shell/startup.h"

namespace testing {

FileWindows::FileWindows(const files::DatFile& file, int language) : FileWindows(language) {
    m_window->showDatFile(file);
}

FileWindows::FileWindows(int language) : m_window(shell::startProgram(shell::detachedFolders())) {
    m_window->switchLanguage(language);
}

FileWindows::~FileWindows() = default;

} // namespace testing
