#include "shell/batch_write_window.h"

#include "editors/band_selection.h"
#include "link/qt/port_adapters.h"
#include "shell/safe_write_flow.h"
#include "ui/apply_language.h"
#include "ui/message_box.h"
#include "ui/messages.h"
#include "ui/program_flags.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace shell {

namespace {

enum Column { PortColumn, BandColumn, ProgressColumn, ResultColumn, TimeColumn, ColumnCount };

QPushButton* addButton(QWidget* window, QHBoxLayout* row, const char* name) {
    auto* button = new QPushButton(window);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

// An ended radio's bar: full once written; where the write stopped for a
// radio left with a mix; empty for a radio that holds what it held.
int endedPercent(const BatchRadio& radio) {
    using radiolink::SafeWriteOutcome;
    if (!radio.result())
        return 0;
    switch (radio.result()->outcome) {
    case SafeWriteOutcome::Verified:
    case SafeWriteOutcome::Written:
    case SafeWriteOutcome::VerifyFailed:
        return 100;
    case SafeWriteOutcome::Partial:
        return radio.progress().overallPercent;
    case SafeWriteOutcome::NothingWritten:
    case SafeWriteOutcome::BackupFailed:
        break;
    }
    return 0;
}

} // namespace

BatchWriteWindow::BatchWriteWindow(QWidget* parent, const radiolink::PortPlaces& places,
                                   BatchJob job)
    : QDialog(parent), m_places(places), m_job(std::move(job)), Label1(new QLabel(this)),
      PortList(new QListWidget(this)), Grid1(new QTableWidget(0, ColumnCount, this)),
      Label2(new QLabel(this)) {
    setObjectName("FrmBatchWrite");
    setWindowModality(Qt::ApplicationModal);
    Label1->setObjectName("Label1");
    Label2->setObjectName("Label2");

    // The port names the program offers, side by side.
    PortList->setObjectName("PortList");
    PortList->setFlow(QListView::LeftToRight);
    PortList->setWrapping(true);
    PortList->setGridSize(QSize(56, 26));
    PortList->setFixedHeight(64);
    for (const radiolink::PortDescription& port :
         radiolink::describePorts(m_places, radiolink::systemAdapters)) {
        auto* item = new QListWidgetItem(QString::number(port.number), PortList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setToolTip(radiolink::portSummary(port));
    }

    Grid1->setObjectName("Grid1");
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionMode(QAbstractItemView::NoSelection);
    Grid1->verticalHeader()->hide();
    // Header items for the language table's captions to land on.
    Grid1->setHorizontalHeaderLabels(QStringList(ColumnCount, QString()));
    const int widths[ColumnCount] = {50, 110, 140, 0, 80};
    for (int column = 0; column < ColumnCount; ++column)
        Grid1->setColumnWidth(column, widths[column]);
    Grid1->horizontalHeader()->setSectionResizeMode(ResultColumn, QHeaderView::Stretch);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label2, 1);
    WriteButton = addButton(this, buttons, "WriteButton");
    CancelButton = addButton(this, buttons, "CancelButton");
    CloseButton = addButton(this, buttons, "CloseButton");
    connect(WriteButton, &QPushButton::clicked, this, &BatchWriteWindow::startWrites);
    connect(CancelButton, &QPushButton::clicked, this, &BatchWriteWindow::askToCancel);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(PortList, &QListWidget::itemChanged, this, &BatchWriteWindow::updateButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(PortList);
    layout->addWidget(Grid1, 1);
    layout->addLayout(buttons);
    ui::applyLanguageTable(this, BatchWriteWindowTexts, ui::UILanguage);
    resize(720, 420);
    updateButtons();
}

bool BatchWriteWindow::running() const {
    return std::any_of(m_radios.begin(), m_radios.end(),
                       [](const BatchRadio* radio) { return radio->running(); });
}

QList<int> BatchWriteWindow::chosenPorts() const {
    QList<int> ports;
    for (int row = 0; row < PortList->count(); ++row)
        if (PortList->item(row)->checkState() == Qt::Checked)
            ports << row + 1;
    return ports;
}

void BatchWriteWindow::startWrites() {
    const QList<int> ports = chosenPorts();
    if (ports.isEmpty() || running())
        return;
    // Told once, before any radio is read.
    if (m_job.options.backup && !backupFolderUsable(m_job.backupsFolder))
        return;
    for (BatchRadio* radio : m_radios)
        radio->deleteLater();
    m_radios.clear();
    Label2->clear();
    Grid1->setRowCount(int(ports.size()));
    for (int row = 0; row < ports.size(); ++row) {
        auto* radio = new BatchRadio(ports[row], m_places, m_job, this);
        m_radios.push_back(radio);
        Grid1->setItem(row, PortColumn, new QTableWidgetItem(QString::number(ports[row])));
        for (int column : {BandColumn, ResultColumn, TimeColumn})
            Grid1->setItem(row, column, new QTableWidgetItem);
        auto* bar = new QProgressBar;
        bar->setRange(0, 100);
        bar->setValue(0);
        Grid1->setCellWidget(row, ProgressColumn, bar);
        connect(radio, &BatchRadio::changed, this, [this, row] { showRadio(row); });
        connect(radio, &BatchRadio::ended, this, [this, row] {
            showRadio(row);
            onRadioFinished();
        });
    }
    // Every row is there before the first radio can end.
    for (BatchRadio* radio : m_radios)
        radio->start();
    updateButtons();
}

void BatchWriteWindow::showRadio(int row) {
    const BatchRadio& radio = *m_radios[std::size_t(row)];
    if (radio.radioBand())
        Grid1->item(row, BandColumn)
            ->setText(editors::BandSelection::entryText(*radio.radioBand()));
    auto* bar = static_cast<QProgressBar*>(Grid1->cellWidget(row, ProgressColumn));
    bar->setValue(radio.progress().overallPercent);
    const bool ended = radio.result() || !radio.portError().isEmpty();
    QTableWidgetItem* result = Grid1->item(row, ResultColumn);
    const QString status = batchStatusText(radio);
    result->setText(status);
    // The whole text, which a narrow column cuts, and where the backup went.
    result->setToolTip(radio.backupPath().isEmpty() ? status : status + "\n" + radio.backupPath());
    if (ended) {
        bar->setValue(endedPercent(radio));
        Grid1->item(row, TimeColumn)->setText(batchTimeText(radio.elapsedMs()));
    }
}

void BatchWriteWindow::onRadioFinished() {
    if (running())
        return;
    const auto verified = std::count_if(m_radios.begin(), m_radios.end(), [](BatchRadio* radio) {
        return radio->result() && radio->result()->outcome == radiolink::SafeWriteOutcome::Verified;
    });
    int removed = 0;
    for (const BatchRadio* radio : m_radios)
        removed += radio->removedBackups();
    Label2->setText(batchSummaryText(int(verified), int(m_radios.size())) +
                    (removed ? "\n" + batchRemovedBackupsText(removed) : QString()));
    updateButtons();
}

void BatchWriteWindow::updateButtons() {
    const bool busy = running();
    WriteButton->setEnabled(!busy && !chosenPorts().isEmpty());
    CancelButton->setEnabled(busy);
    CloseButton->setEnabled(!busy);
    PortList->setEnabled(!busy);
}

void BatchWriteWindow::askToCancel() {
    if (!running())
        return;
    // Nothing is sent while the question is open, as for a single write.
    for (BatchRadio* radio : m_radios)
        radio->hold();
    const bool stop = ui::showMessage(ui::Msg::StopBatchQuestion) == ui::MsgOk;
    for (BatchRadio* radio : m_radios)
        stop ? radio->cancel() : radio->release();
}

void BatchWriteWindow::closeEvent(QCloseEvent* event) {
    if (running()) {
        event->ignore();
        askToCancel();
        return;
    }
    QDialog::closeEvent(event);
}

void BatchWriteWindow::reject() {
    if (running()) {
        askToCancel();
        return;
    }
    QDialog::reject();
}

} // namespace shell
