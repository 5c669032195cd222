#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace shell {

class MainWindow;

// FrmBackups: the backups a write took of the radio, newest first (when,
// through which port, the band, how many channels were in use, whether a
// record of the history keeps it past the backup cap). Open (a
// click, Enter or a double click on a row) chooses one to open; Restore...
// asks for it to be written back to a radio, the window staying open and
// listing the backup that write takes once it is back; Delete removes it,
// once asked; Close or Escape chooses none.
class BackupsWindow : public QDialog {
    Q_OBJECT
  public:
    BackupsWindow(const QString& folder, int language, QWidget* parent = nullptr);

    // The file of the chosen backup: to open once the window is accepted.
    QString chosenPath() const;
    // The port number the chosen backup was taken through; 0 for a device.
    int chosenPort() const;

  signals:
    void restoreRequested(const QString& path, int port);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void fillTable();
    void open();
    void restore();
    void deleteChosen();
    QString text(const char* control, int index = 0) const;

    QString m_folder;
    int m_language;
    bool m_restoreAsked = false;
    QLabel* LabelFolder = nullptr;
    QTableWidget* TableBackups = nullptr;
    QPushButton* CmdOpen = nullptr;
    QPushButton* CmdRestore = nullptr;
    QPushButton* CmdDelete = nullptr;
    QPushButton* CmdClose = nullptr;
};

// File > Backups...: lists the backup folder and opens the chosen backup as
// File > Open opens a file, or writes it back to the radio on a port the
// user picks.
void showBackups(MainWindow& window);

// Asks for the port to write the backup at `path` back to, offering first
// `offeredPort` (the port chosen now when 0), and writes it there through
// the usual safe write.
void restoreAskingPort(MainWindow& window, const QString& path, int offeredPort);

} // namespace shell
