#include "shell/main_window.h"
#include "shell/program_help.h"
#include "shell/startup.h"
#include "ui/message_box.h"
#include "ui/program_info.h"
#include "ui/program_version.h"

#include <QApplication>
#include <csignal>

int main(int argc, char* argv[]) {
    if (const std::optional<int> answered = shell::answerProgramHelp(argc, argv))
        return *answered;
    // Past a file size limit a save fails with its message, instead of the signal ending us.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    app.setApplicationName(ui::ProgramName);
    app.setApplicationVersion(ui::ProgramVersion);
    // The installed desktop entry, so the desktop shows its name and icon.
    QGuiApplication::setDesktopFileName(TQ_APP_ID);
    const auto window = shell::startProgram(shell::defaultFolders());
    return app.exec();
}
