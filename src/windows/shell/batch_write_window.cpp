#include "shell/batch_write_window.h"

#include "editors/band_selection.h"
#include "platform/history_file.h"
#include "platform/port_adapters.h"
#include "records/write_result.h"
#include "shell/history_records.h"
#include "shell/ports_window.h"
#include "shell/safe_write_flow.h"
#include "ui/apply_language.h"
#include "words/message_box.h"
#include "words/messages.h"
#include "words/program_flags.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace shell {

namespace {

// The varied settings' columns follow these, shown next to the port.
enum Column {
    PortColumn,
    BandColumn,
    ProgressColumn,
    ResultColumn,
    TimeColumn,
    DeviceColumn,
    ColumnCount
};

const QBrush RefusedBrush(QColor(255, 200, 200));

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

// A radio to write again: all but those written as the options asked.
bool failed(const BatchRadio* radio) {
    using radiolink::SafeWriteOutcome;
    const auto& result = radio->result();
    return !result || !(result->outcome == SafeWriteOutcome::Verified ||
                        (result->outcome == SafeWriteOutcome::Written &&
                         result->reason == radiolink::SafeWriteReason::None));
}

} // namespace

BatchWriteWindow::BatchWriteWindow(QWidget* parent, const radiolink::PortPlaces& places,
                                   BatchJob job, radiolink::AdapterList adapters)
    : QDialog(parent), m_places(places), m_job(std::move(job)), m_adapters(std::move(adapters)),
      Label1(new QLabel(this)), PortList(new QListWidget(this)), LabelValues(new QLabel(this)),
      TextValues(new QLineEdit(this)), ComboSettings(new QComboBox(this)),
      Grid1(new QTableWidget(0, ColumnCount, this)), Label2(new QLabel(this)) {
    setObjectName("FrmBatchWrite");
    setWindowModality(Qt::ApplicationModal);
    Label1->setObjectName("Label1");
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);

    // The port names the program offers, side by side.
    PortList->setObjectName("PortList");
    PortList->setFlow(QListView::LeftToRight);
    PortList->setWrapping(true);
    PortList->setGridSize(QSize(56, 26));
    PortList->setFixedHeight(64);
    const radiolink::SummaryWords words = portSummaryWords(ui::UILanguage);
    for (const radiolink::PortDescription& port : radiolink::describePorts(m_places, m_adapters)) {
        auto* item = new QListWidgetItem(QString::number(port.number), PortList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setToolTip(radiolink::portSummary(port, words));
    }

    LabelValues->setObjectName("LabelValues");
    LabelValues->setBuddy(TextValues);
    TextValues->setObjectName("TextValues");
    TextValues->setPlaceholderText("dtmf.own_code=1001+");
    TextValues->setClearButtonEnabled(true);
    ComboSettings->setObjectName("ComboSettings");
    // The first entry is the language table's caption, the others keys.
    ComboSettings->addItem(QString());
    ComboSettings->addItems(variableSettings());
    connect(TextValues, &QLineEdit::textChanged, this, &BatchWriteWindow::valuesEdited);
    connect(ComboSettings, &QComboBox::activated, this, &BatchWriteWindow::addSetting);

    Grid1->setObjectName("Grid1");
    Grid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->verticalHeader()->hide();
    // Header items for the language table's captions to land on.
    Grid1->setHorizontalHeaderLabels(QStringList(ColumnCount, QString()));
    const int widths[ColumnCount] = {50, 110, 140, 0, 80, 260};
    for (int column = 0; column < ColumnCount; ++column)
        Grid1->setColumnWidth(column, widths[column]);
    Grid1->horizontalHeader()->setSectionResizeMode(ResultColumn, QHeaderView::Stretch);
    connect(Grid1, &QTableWidget::itemChanged, this, &BatchWriteWindow::valueCellEdited);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label2, 1);
    WriteButton = addButton(this, buttons, "WriteButton");
    NextButton = addButton(this, buttons, "NextButton");
    RetryButton = addButton(this, buttons, "RetryButton");
    CancelButton = addButton(this, buttons, "CancelButton");
    CloseButton = addButton(this, buttons, "CloseButton");
    connect(WriteButton, &QPushButton::clicked, this, &BatchWriteWindow::startWrites);
    connect(NextButton, &QPushButton::clicked, this, &BatchWriteWindow::programNextRadios);
    connect(RetryButton, &QPushButton::clicked, this, &BatchWriteWindow::writeFailedAgain);
    connect(CancelButton, &QPushButton::clicked, this, &BatchWriteWindow::askToCancel);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(PortList, &QListWidget::itemChanged, this, [this] {
        m_typed.clear();
        showRows();
    });

    auto* valuesRow = new QHBoxLayout;
    valuesRow->addWidget(LabelValues);
    valuesRow->addWidget(TextValues, 1);
    valuesRow->addWidget(ComboSettings);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(PortList);
    layout->addLayout(valuesRow);
    layout->addWidget(Grid1, 1);
    layout->addLayout(buttons);
    ui::applyLanguageTable(this, BatchWriteWindowTexts, ui::UILanguage);
    resize(860, 460);
    updateButtons();
}

int BatchWriteWindow::valueColumn(std::size_t pattern) const {
    return ColumnCount + int(pattern);
}

void BatchWriteWindow::valuesEdited() {
    m_values = parseBatchValues(TextValues->text());
    m_typed.clear();
    // A pattern typed anew counts from its own start.
    m_counted.assign(m_values.patterns.size(), 0);
    showRows();
}

void BatchWriteWindow::addSetting(int entry) {
    if (entry <= 0)
        return;
    const QString key = ComboSettings->itemText(entry).section(' ', 0, 0);
    ComboSettings->setCurrentIndex(0);
    QString text = TextValues->text().trimmed();
    TextValues->setText(text + (text.isEmpty() ? "" : " ") + key + "=");
    TextValues->setFocus();
    TextValues->end(false);
}

// One row a checked port, holding its values and nothing of an earlier set.
void BatchWriteWindow::showRows() {
    if (running())
        return;
    for (BatchRadio* radio : m_radios)
        radio->deleteLater();
    m_radios.clear();
    const QList<int> ports = chosenPorts();
    const std::vector<radiolink::PortDescription> described =
        radiolink::describePorts(m_places, m_adapters);
    m_filling = true;
    Grid1->clearContents();
    Grid1->setColumnCount(valueColumn(m_values.patterns.size()));
    Grid1->setRowCount(int(ports.size()));
    for (std::size_t n = 0; n < m_values.patterns.size(); ++n) {
        const int column = valueColumn(n);
        Grid1->setHorizontalHeaderItem(
            column, new QTableWidgetItem(QString::fromStdString(m_values.patterns[n].key)));
        Grid1->setColumnWidth(column, 110);
        // Next to the port: what sets one radio apart from the next.
        Grid1->horizontalHeader()->moveSection(Grid1->horizontalHeader()->visualIndex(column),
                                               1 + int(n));
    }
    for (int row = 0; row < ports.size(); ++row) {
        const int port = ports[row];
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            Grid1->setItem(row, column, item);
        }
        Grid1->item(row, PortColumn)->setText(QString::number(port));
        const QString device = radiolink::portSummary(described[std::size_t(port - 1)],
                                                      portSummaryWords(ui::UILanguage));
        Grid1->item(row, DeviceColumn)->setText(device);
        Grid1->item(row, DeviceColumn)->setToolTip(device);
        for (std::size_t n = 0; n < m_values.patterns.size(); ++n) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            Grid1->setItem(row, valueColumn(n), item);
        }
        auto* bar = new QProgressBar;
        bar->setRange(0, 100);
        bar->setValue(0);
        Grid1->setCellWidget(row, ProgressColumn, bar);
    }
    m_filling = false;
    fillCounterValues();
    Label2->setText(m_values.error.isEmpty() ? valuesRefusal() : m_values.error);
    updateButtons();
}

void BatchWriteWindow::fillCounterValues() {
    m_counted.resize(m_values.patterns.size());
    m_countedThroughRows = m_counted;
    m_filling = true;
    for (std::size_t n = 0; n < m_values.patterns.size(); ++n) {
        const settings::ValuePattern& pattern = m_values.patterns[n];
        QStringList typedValues;
        for (const auto& [place, value] : m_typed)
            if (place.second == pattern.key)
                typedValues << value;
        std::uint64_t& next = m_countedThroughRows[n];
        for (int row = 0; row < Grid1->rowCount(); ++row) {
            const int port = Grid1->item(row, PortColumn)->text().toInt();
            QString value;
            if (const auto typed = m_typed.find({port, pattern.key}); typed != m_typed.end())
                value = typed->second;
            else
                do
                    value = QString::fromStdString(settings::patternValue(pattern, next++));
                while (pattern.first && typedValues.contains(value));
            Grid1->item(row, valueColumn(n))->setText(value);
        }
    }
    m_filling = false;
}

void BatchWriteWindow::valueCellEdited(QTableWidgetItem* item) {
    if (m_filling || item->column() < ColumnCount)
        return;
    const std::size_t n = std::size_t(item->column() - ColumnCount);
    m_typed[{Grid1->item(item->row(), PortColumn)->text().toInt(), m_values.patterns[n].key}] =
        item->text();
    // The rows below take the counter's value this row no longer uses.
    if (m_radios.empty())
        fillCounterValues();
    Label2->setText(valuesRefusal());
    updateButtons();
}

QString BatchWriteWindow::valuesRefusal() {
    m_refusal.clear();
    m_filling = true;
    for (int row = 0; row < Grid1->rowCount(); ++row)
        for (std::size_t n = 0; n < m_values.patterns.size(); ++n) {
            QTableWidgetItem* cell = Grid1->item(row, valueColumn(n));
            const QString why = batchValueRefusal(m_values.patterns[n],
                                                  Grid1->item(row, PortColumn)->text().toInt(),
                                                  m_job.band, cell->text());
            cell->setBackground(why.isEmpty() ? QBrush() : RefusedBrush);
            cell->setToolTip(why);
            if (m_refusal.isEmpty())
                m_refusal = why;
        }
    m_filling = false;
    return m_refusal;
}

std::vector<records::VariedValue> BatchWriteWindow::rowValues(int row) const {
    std::vector<records::VariedValue> values;
    for (std::size_t n = 0; n < m_values.patterns.size(); ++n)
        values.emplace_back(m_values.patterns[n].key,
                            Grid1->item(row, valueColumn(n))->text().toStdString());
    return values;
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
    if (running())
        return;
    // A row may hold the results of the set before.
    if (!m_radios.empty())
        showRows();
    if (chosenPorts().isEmpty() || !m_values.error.isEmpty() || !m_refusal.isEmpty())
        return;
    QList<int> rows;
    for (int row = 0; row < Grid1->rowCount(); ++row)
        rows << row;
    if (!givenValuesAllowed(rows))
        return;
    // Told once, before any radio is read.
    if (m_job.options.backup && !backupFolderUsable(m_job.backupsFolder))
        return;
    Label2->clear();
    m_again = false;
    for (int row : rows)
        m_radios.push_back(makeRadio(row));
    // Every row is there before the first radio can end.
    for (BatchRadio* radio : m_radios)
        radio->start();
    updateButtons();
}

BatchRadio* BatchWriteWindow::makeRadio(int row) {
    std::vector<records::VariedValue> values = rowValues(row);
    std::vector<settings::AssignedValue> assigned;
    for (std::size_t n = 0; n < values.size(); ++n)
        assigned.emplace_back(m_values.patterns[n], values[n].second);
    auto* radio =
        new BatchRadio(Grid1->item(row, PortColumn)->text().toInt(), m_places, m_job,
                       assigned.empty() ? m_job.image
                                        : settings::imageWithValues(m_job.image, m_job.band,
                                                                    assigned, ui::UILanguage),
                       std::move(values), this);
    connect(radio, &BatchRadio::changed, this, [this, row] { showRadio(row); });
    connect(radio, &BatchRadio::ended, this, [this, row] {
        showRadio(row);
        onRadioFinished();
    });
    return radio;
}

bool BatchWriteWindow::givenValuesAllowed(const QList<int>& rows) {
    for (int row : rows)
        for (std::size_t n = 0; n < m_values.patterns.size(); ++n) {
            const settings::ValuePattern& pattern = m_values.patterns[n];
            if (!pattern.first)
                continue; // the same for every radio
            const std::string value = Grid1->item(row, valueColumn(n))->text().toStdString();
            std::string error;
            const auto given = radiolink::recordsGiving(pattern.key, value, error);
            if (!given) {
                qWarning("the history cannot tell the values given before: %s", error.c_str());
                continue;
            }
            if (given->empty())
                continue;
            const records::Record& first = given->front();
            const QString where =
                QString::fromStdString(first.port.empty() ? first.device : first.port);
            return ui::showMessage(ui::Msg::ValueGivenBefore,
                                   {QString::fromStdString(pattern.key + "=" + value), where,
                                    QString::fromStdString(records::localTimeText(first.at)),
                                    QString::fromStdString(records::resultTextIn(
                                        first.result, ui::isChinese() ? 0 : 1))}) == ui::MsgOk;
        }
    return true;
}

// The failed radios of the set that ended, each with the values its row
// holds: theirs, given to nobody else meanwhile.
void BatchWriteWindow::writeFailedAgain() {
    if (running())
        return;
    QList<int> rows;
    for (int row = 0; row < int(m_radios.size()); ++row)
        if (failed(m_radios[std::size_t(row)]))
            rows << row;
    if (rows.isEmpty() || !m_values.error.isEmpty() || !m_refusal.isEmpty() ||
        (m_job.options.backup && !backupFolderUsable(m_job.backupsFolder)))
        return;
    Label2->clear();
    m_again = true;
    for (int row : rows) {
        m_radios[std::size_t(row)]->deleteLater();
        m_radios[std::size_t(row)] = makeRadio(row);
        Grid1->item(row, BandColumn)->setText(QString());
        Grid1->item(row, TimeColumn)->setText(QString());
    }
    for (int row : rows)
        m_radios[std::size_t(row)]->start();
    updateButtons();
}

void BatchWriteWindow::programNextRadios() {
    if (running() || m_radios.empty())
        return;
    startWrites();
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
    // A long result ("PARTIAL (a mix of old and new) at block 0x310") widens
    // the window rather than be cut.
    const int missing = Grid1->fontMetrics().horizontalAdvance(status) +
                        2 * Grid1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 2 -
                        Grid1->columnWidth(ResultColumn);
    if (missing > 0)
        resize(width() + missing, height());
    // The whole text, which a narrow column cuts, what the radio got of its
    // own, and where the backup went.
    QStringList tip{status};
    for (const auto& [key, value] : radio.values())
        tip << QString::fromStdString(key + "=" + value);
    if (!radio.backupPath().isEmpty())
        tip << radio.backupPath();
    result->setToolTip(tip.join('\n'));
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
    // Whatever is written next, the counters' values of this set are taken
    // (a failed radio's stay its own, for writing it again): they go on.
    if (!m_again)
        m_counted = m_countedThroughRows;
    m_typed.clear();
    Label2->setText(batchSummaryText(int(verified), int(m_radios.size())) +
                    (removed ? "\n" + batchRemovedBackupsText(removed) : QString()));
    updateButtons();
    if (RetryButton->isEnabled())
        RetryButton->setFocus();
    else if (NextButton->isEnabled())
        NextButton->setFocus();
    if (std::any_of(m_radios.begin(), m_radios.end(),
                    [](const BatchRadio* radio) { return !radio->recordKept(); }))
        tellRecordsNotKept();
}

void BatchWriteWindow::updateButtons() {
    const bool busy = running();
    const bool valuesHold = m_values.error.isEmpty() && m_refusal.isEmpty();
    const bool setEnded = !busy && !m_radios.empty();
    WriteButton->setEnabled(!busy && !chosenPorts().isEmpty() && valuesHold);
    NextButton->setEnabled(setEnded && valuesHold);
    RetryButton->setEnabled(setEnded && valuesHold &&
                            std::any_of(m_radios.begin(), m_radios.end(), failed));
    // Enter puts the next radios in hand once a set has ended well, and
    // writes the failed ones again after one that did not.
    RetryButton->setDefault(RetryButton->isEnabled());
    NextButton->setDefault(NextButton->isEnabled() && !RetryButton->isEnabled());
    CancelButton->setEnabled(busy);
    CloseButton->setEnabled(!busy);
    PortList->setEnabled(!busy);
    TextValues->setEnabled(!busy);
    ComboSettings->setEnabled(!busy);
    Grid1->setEditTriggers(busy ? QAbstractItemView::NoEditTriggers
                                : QAbstractItemView::DoubleClicked |
                                      QAbstractItemView::EditKeyPressed |
                                      QAbstractItemView::AnyKeyPressed);
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
