// The program's own start-up, ended as soon as the main window is shown.
#include "shell/main_window.h"
#include "shell/startup.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir folder; // never touch the user's settings
    const auto window = shell::startProgram(shell::scratchFolders(folder.path()));
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
