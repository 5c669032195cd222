#include "platform/interrupt_notifier.h"
#include "shell/main_window.h"
#include "shell/program_help.h"
#include "shell/startup.h"
#include "words/message_box.h"
#include "words/program_info.h"
#include "words/program_version.h"

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
    // Ended from outside (a logout, kill), the windows are taken down as on
    // quitting, so the serial port is closed and its lock file removed.
    int endedBy = 0;
    auto endings = std::make_unique<ui::InterruptNotifier>();
    QObject::connect(endings.get(), &ui::InterruptNotifier::interrupted, &app, [&](int signal) {
        endedBy = signal;
        QCoreApplication::exit(128 + signal);
    });
    auto window = shell::startProgram(shell::defaultFolders());
    const int code = app.exec();
    window.reset();
    if (!endedBy)
        return code;
    // Whoever sent the signal sees it as what ended us.
    endings.reset();
    std::raise(endedBy);
    return code;
}
