#include "cli/file_windows.h"

#include "cli/link_failure_text.h"
#include "cli/radio_files.h"
#include "cli/window_messages.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "ui/file_names.h"

#include <QTextStream>

namespace cli {

std::unique_ptr<QApplication> windowApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QApplication>(argc, argv); // takes its own options out of argv
    sendWindowMessagesToStandardError();
    return app;
}

std::optional<int> languageArgument(const QString& value) {
    if (value == "zh")
        return 0;
    if (value == "en")
        return 1;
    return std::nullopt;
}

std::optional<files::DatFile> loadForCommand(const QString& path) {
    return loadRadioFile(ui::fileNameBytes(path).toStdString()).file;
}

FileWindows::FileWindows(const files::DatFile& file, int language) : FileWindows(language) {
    m_window->showDatFile(file);
}

FileWindows::FileWindows(int language) : m_window(shell::startProgram(shell::detachedFolders())) {
    m_window->switchLanguage(language);
}

FileWindows::~FileWindows() = default;

} // namespace cli
