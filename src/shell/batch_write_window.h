#pragma once

#include "image/image_layout.h"
#include "link/qt/port_names.h"
#include "ui/language_table.h"

#include <QDialog>
#include <QElapsedTimer>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace shell {

class BatchRadio;
struct BatchJob;

// FrmBatchWrite: writes one image to the radios on several ports at once,
// each with the program's backup and verify, one row and progress bar per
// port, and at the end the port, the radio's band, the result and the time
// of each. The transfers run side by side in the program's event loop. While
// they run the window cannot be closed: Cancel (or Escape, or the close box)
// asks, then ends them all.
class BatchWriteWindow : public QDialog {
    Q_OBJECT
  public:
    // `job` is what every radio gets (the image, its band, the options).
    BatchWriteWindow(QWidget* parent, const radiolink::PortPlaces& places, const BatchJob& job);
    ~BatchWriteWindow() override;

    bool running() const;

  signals:
    // Every radio's transfer has ended.
    void allFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void startWrites();
    void askToCancel();
    void showRow(int row);
    void onRadioFinished();
    void updateButtons();
    QStringList chosenPorts() const;

    radiolink::PortPlaces m_places;
    const BatchJob& m_job;
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

} // namespace shell
