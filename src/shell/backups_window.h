#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace shell {

class MainWindow;

// FrmBackups: the backups a write took of the radio, newest first (when,
// through which port, the band, how many channels were in use). Open (a
// click, Enter or a double click on a row) chooses one; Close or Escape
// chooses none.
class BackupsWindow : public QDialog {
    Q_OBJECT
  public:
    BackupsWindow(const QString& folder, int language, QWidget* parent = nullptr);

    // The file of the chosen backup once the window is accepted.
    QString chosenPath() const;

  private:
    QLabel* LabelFolder = nullptr;
    QTableWidget* TableBackups = nullptr;
    QPushButton* CmdOpen = nullptr;
    QPushButton* CmdClose = nullptr;
};

// File > Backups...: lists the backup folder and opens the chosen backup as
// File > Open opens a file.
void showBackups(MainWindow& window);

} // namespace shell
