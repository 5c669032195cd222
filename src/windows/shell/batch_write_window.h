#pragma once

#include "platform/port_adapters.h"
#include "platform/port_names.h"
#include "shell/batch_radio.h"
#include "shell/batch_values.h"
#include "words/language_table.h"

#include <QDialog>
#include <map>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace shell {

// FrmBatchWrite: writes one image to the radios on several ports at once,
// each with its own backup and verify, one row and progress bar per port,
// and at the end the port, the radio's band, the result and the time of
// each. The transfers run side by side in the program's event loop. While
// they run the window cannot be closed: Cancel (or Escape, or the close box)
// asks, then ends them all.
//
// Each radio may get values of its own ("dtmf.own_code=1001+" counts 1001,
// 1002 ... down the rows), one column each, shown before the write and
// editable per row; a value a radio cannot hold keeps Write off, and a
// counted value the history says another radio got is asked about first. A
// value typed over a counter's uses none of the counter's: the rows below
// count on. Once a set has ended the counters go on, whatever is written
// next: "Program the next radios" (Enter) writes the same to the same ports
// at once; after a set with failures "Write the failed radios again"
// (Enter then) writes those radios again with their own values.
class BatchWriteWindow : public QDialog {
    Q_OBJECT
  public:
    BatchWriteWindow(QWidget* parent, const radiolink::PortPlaces& places, BatchJob job,
                     radiolink::AdapterList adapters);

    bool running() const;
    // The ports checked in the list, in their order.
    QList<int> chosenPorts() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void showRows();
    void startWrites();
    void programNextRadios();
    void writeFailedAgain();
    // A radio for the row, with its values, shown as it goes.
    BatchRadio* makeRadio(int row);
    // False when a counted value of these rows was given to a radio before
    // and the user would not give it again.
    bool givenValuesAllowed(const QList<int>& rows);
    // The counters' values in the rows whose value was not typed over,
    // passing over those typed into another row.
    void fillCounterValues();
    void valuesEdited();
    void valueCellEdited(QTableWidgetItem* item);
    void addSetting(int entry);
    // The values of row `row`, as its cells hold them.
    std::vector<records::VariedValue> rowValues(int row) const;
    // Why a row's value cannot be written, marking the cells; empty if none.
    QString valuesRefusal();
    void askToCancel();
    void showRadio(int row);
    void onRadioFinished();
    void updateButtons();
    int valueColumn(std::size_t pattern) const;

    radiolink::PortPlaces m_places;
    BatchJob m_job;
    radiolink::AdapterList m_adapters;
    QLabel* Label1;
    QListWidget* PortList;
    QLabel* LabelValues;
    QLineEdit* TextValues;
    QComboBox* ComboSettings;
    QTableWidget* Grid1;
    QLabel* Label2;
    QPushButton* WriteButton;
    QPushButton* NextButton;
    QPushButton* RetryButton;
    QPushButton* CancelButton;
    QPushButton* CloseButton;
    std::vector<BatchRadio*> m_radios;
    BatchValues m_values;
    // Values typed over a counter's, by port and key, until the pattern or
    // the set changes.
    std::map<std::pair<int, std::string>, QString> m_typed;
    // Each counter's values the sets ended since the pattern was typed have
    // taken: where it goes on from.
    std::vector<std::uint64_t> m_counted;
    // Where each counter stands after the rows shown: m_counted once they
    // have been written.
    std::vector<std::uint64_t> m_countedThroughRows;
    // The radios running are the failed ones of the set before, again.
    bool m_again = false;
    bool m_filling = false;
    QString m_refusal;
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
