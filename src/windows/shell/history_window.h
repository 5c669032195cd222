#pragma once

#include "records/history.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace shell {

class MainWindow;

// FrmHistory: every radio read, written, verified and restored, newest
// first, sortable by any column (a click on its title) and narrowed to the
// rows that hold what the filter box holds. Open Backup (Enter, a double
// click) opens the row's backup into the editors; Restore... chooses it to
// be written back to a radio; Delete (the Delete key) removes the chosen
// rows from the history, once asked; Export writes the rows shown as CSV.
// A row whose backup is gone says so and offers neither. Job shows the
// radios of one job alone, and Report... writes that job's report for its
// customer, as a PDF or as CSV.
class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Choice { Open, Restore };

    HistoryWindow(std::vector<records::Record> rows, int language, QWidget* parent = nullptr);

    // The backup of the one row chosen (none when several are); once the
    // window is accepted, what to open or write back.
    QString chosenBackup() const;
    Choice choice() const { return m_choice; }
    // The port number of the chosen row's radio; 0 for a device.
    int chosenPort() const;
    // The rows shown, as CSV: a title row, then a row each.
    QString csvText() const;
    // The job whose radios alone are shown; empty for every record.
    QString chosenJob() const;

  private:
    QString text(const char* control, int index = 0) const;
    QList<int> chosenRows() const;
    void applyFilter();
    void choiceChanged();
    void choose(Choice choice);
    void deleteChosen();
    void exportRows();
    void writeReport();

    int m_language;
    Choice m_choice = Choice::Open;
    QLineEdit* TextFilter = nullptr;
    QComboBox* ComboJob = nullptr;
    QTableWidget* TableHistory = nullptr;
    QLabel* LabelBackup = nullptr;
    QPushButton* CmdOpen = nullptr;
    QPushButton* CmdRestore = nullptr;
    QPushButton* CmdDelete = nullptr;
    QPushButton* CmdExport = nullptr;
    QPushButton* CmdReport = nullptr;
    QPushButton* CmdClose = nullptr;
};

// File > History...: the history; the chosen backup opened as File > Open
// opens a file, or written back to the radio on a port the user picks.
void showHistory(MainWindow& window);

} // namespace shell
