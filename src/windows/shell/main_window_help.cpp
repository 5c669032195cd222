// The Help menu of the main window: the help file (MNF1) and the About box
// (MNAbout, FrmAbout).
#include "editors/channel_table.h"
#include "shell/about_box.h"
#include "shell/help_file.h"
#include "shell/main_window.h"

#include <QAction>

namespace shell {

void MainWindow::createHelp() {
    FrmAbout = new AboutBox(this);
    connect(findChild<QAction*>("MNF1"), &QAction::triggered, this,
            [this] { openHelpFile(m_folders.programFolder); });
    connect(findChild<QAction*>("MNAbout"), &QAction::triggered, this,
            [this] { FrmAbout->showModal(Form1->windowIcon()); });
}

} // namespace shell
