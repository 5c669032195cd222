#pragma once

#include "records/history.h"

#include <QDialog>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace shell {

class MainWindow;

// FrmHistory: every radio read, written, verified and restored, newest
// first, sortable by any column (a click on its title) and narrowed to the
// rows that hold what the filter box holds. Open Backup (Enter, a double
// click) opens the row's backup into the editors, from where Write puts it
// back through the usual safe write; Export writes the rows shown as CSV.
class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    HistoryWindow(std::vector<records::Record> rows, int language, QWidget* parent = nullptr);

    // The backup of the chosen row once the window is accepted.
    QString chosenBackup() const;
    // The rows shown, as CSV: a title row, then a row each.
    QString csvText() const;

  private:
    void applyFilter();
    void exportRows();

    int m_language;
    QLineEdit* TextFilter = nullptr;
    QTableWidget* TableHistory = nullptr;
    QPushButton* CmdOpen = nullptr;
    QPushButton* CmdExport = nullptr;
    QPushButton* CmdClose = nullptr;
};

// File > History...: the history, and the chosen backup opened as File >
// Open opens a file.
void showHistory(MainWindow& window);

} // namespace shell
