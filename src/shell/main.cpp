#include "shell/main_window.h"
#include "shell/startup.h"
#include "ui/message_box.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName("TQ305sys");
    const auto window = shell::startProgram(shell::defaultFolders());
    return app.exec();
}
