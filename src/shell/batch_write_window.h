#pragma once

#include "link/qt/port_names.h"
#include "shell/batch_radio.h"
#include "ui/language_table.h"

#include <QDialog>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace shell {

// FrmBatchWrite: writes one image to the radios on several ports at once,
// each with its own backup and verify, one row and progress bar per port,
// and at the end the port, the radio's band, the result and the time of
// each. The transfers run side by side in the program's event loop. While
// they run the window cannot be closed: Cancel (or Escape, or the close box)
// asks, then ends them all.
class BatchWriteWindow : public QDialog {
    Q_OBJECT
  public:
    BatchWriteWindow(QWidget* parent, const radiolink::PortPlaces& places, BatchJob job);

    bool running() const;
    // The ports checked in the list, in their order.
    QList<int> chosenPorts() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void startWrites();
    void askToCancel();
    void showRadio(int row);
    void onRadioFinished();
    void updateButtons();

    radiolink::PortPlaces m_places;
    BatchJob m_job;
    QLabel* Label1;
    QListWidget* PortList;
    QTableWidget* Grid1;
    QLabel* Label2;
    QPushButton* WriteButton;
    QPushButton* CancelButton;
    QPushButton* CloseButton;
    std::vector<BatchRadio*> m_radios;
};

// FrmBatchWrite's rows of the language table.
extern const ui::LanguageTable BatchWriteWindowTexts;

// A radio's Result cell while it runs and once it has ended, in the language
// in force.
QString batchStatusText(const BatchRadio& radio);
// The line under the table once every radio has ended.
QString batchSummaryText(int verified, int radios);
// The line under the summary when the backups' limit removed old ones.
QString batchRemovedBackupsText(int removed);
// A time in the Time column.
QString batchTimeText(qint64 milliseconds);

} // namespace shell
