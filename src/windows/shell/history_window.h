#pragma once

#include "records/history.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace shell {

class HistoryModel;
class MainWindow;

// FrmHistory: every radio read, written, verified and restored, newest
// first, sortable by any column (a click on its title) and narrowed to the
// rows that hold what the filter box holds. Open Backup (Enter, a double
// click) opens the row's backup into the editors; Restore... asks for it to
// be written back to a radio, the window staying open; Delete (the Delete key) removes the chosen
// rows from the history, once asked; Export writes the rows shown as CSV.
// A row whose backup is gone says so and offers neither. The filter box
// has the keys when the window opens; Up and Down move the choice from it.
// A job's name typed into it shows that job's radios; Report... writes the
// report of the chosen row's job for its customer, as a PDF or as CSV.
class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    // The records of `history`, which the window keeps; none without one.
    HistoryWindow(std::unique_ptr<records::History> history, int language,
                  QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // The backup of the one row chosen (none when several are); once the
    // window is accepted, what to open.
    QString chosenBackup() const;
    // The port number of the chosen row's radio; 0 for a device.
    int chosenPort() const;
    // The rows shown, as CSV: a title row, then a row each.
    QString csvText() const;
    // The job of the first row chosen; empty when it belongs to none.
    QString chosenJob() const;

  signals:
    // Restore...: the window stays open, and lists the restore once back.
    void restoreRequested(const QString& backup, int port);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QString text(const char* control, int index = 0) const;
    QList<int> chosenRows() const;
    void selectRow(int row);
    void applyFilter();
    // Runs `change` to the rows, the same record chosen after it if shown.
    void keepingTheChoice(const std::function<void()>& change);
    void choiceChanged();
    void open();
    void restore();
    void deleteChosen();
    void exportRows();
    void writeReport();

    int m_language;
    bool m_restoreAsked = false;
    HistoryModel* m_model = nullptr;
    QLineEdit* TextFilter = nullptr;
    QTableView* TableHistory = nullptr;
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
