#include "shell/history_window.h"

#include "editors/band_selection.h"
#include "files/file_io.h"
#include "platform/history_file.h"
#include "print/font_coverage.h"
#include "print/job_report_document.h"
#include "print/pdf_output.h"
#include "records/write_result.h"
#include "shell/backups_window.h"
#include "shell/file_commands.h"
#include "shell/file_dialog.h"
#include "shell/main_window.h"
#include "shell/read_only_table.h"
#include "words/file_names.h"
#include "words/history_window_texts.h"
#include "words/job_report.h"
#include "words/language_text.h"
#include "words/message_box.h"
#include "words/messages.h"
#include "words/program_flags.h"
#include "words/save_failure.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>
#include <filesystem>

namespace shell {

namespace {

constexpr int HistoryColumnCount = 8;
constexpr int FileColumn = 6;
constexpr int BackupColumn = 7;
// Wide enough for a backup's name: "2026-12-08_053931_port4_band3.dat".
constexpr int PathWidth = 300;
// Kept on each row's first cell.
constexpr int BackupRole = Qt::UserRole;
constexpr int IdRole = Qt::UserRole + 1;
constexpr int RadioPortRole = Qt::UserRole + 2;
constexpr int MissingRole = Qt::UserRole + 3;
constexpr int JobRole = Qt::UserRole + 4;

QString bytesText(const std::string& bytes) {
    return ui::fileNameText(QByteArray::fromStdString(bytes));
}

// "port 3" is the program's port 3; a device named directly has none.
int recordPortNumber(const std::string& port) {
    static const QRegularExpression portName("^port (\\d+)$");
    const QRegularExpressionMatch match = portName.match(QString::fromStdString(port));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString csvField(const QString& field) {
    if (!field.contains(QRegularExpression("[\",\r\n]")))
        return field;
    return '"' + QString(field).replace('"', "\"\"") + '"';
}

} // namespace

HistoryWindow::HistoryWindow(std::vector<records::Record> rows, int language, QWidget* parent)
    : QDialog(parent), m_language(language) {
    setObjectName("FrmHistory");
    setWindowTitle(text(""));

    auto* filterLabel = new QLabel(text("LabelFilter"), this);
    filterLabel->setObjectName("LabelFilter");
    TextFilter = new QLineEdit(this);
    TextFilter->setObjectName("TextFilter");
    TextFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(TextFilter);

    auto* jobLabel = new QLabel(text("LabelJob"), this);
    jobLabel->setObjectName("LabelJob");
    ComboJob = new QComboBox(this);
    ComboJob->setObjectName("ComboJob");
    ComboJob->addItem(text("ComboJob"));
    jobLabel->setBuddy(ComboJob);
    for (const records::Record& record : rows)
        if (const QString job = QString::fromStdString(record.job);
            !job.isEmpty() && ComboJob->findData(job) < 0)
            ComboJob->addItem(job, job);

    TableHistory = new QTableWidget(int(rows.size()), HistoryColumnCount, this);
    TableHistory->setObjectName("TableHistory");
    setHeaderTitles(*TableHistory, HistoryTexts, "FrmHistory", language);
    // Newest first, as the backups window lists its backups.
    for (int row = 0; row < int(rows.size()); ++row) {
        const records::Record& record = rows[rows.size() - 1 - std::size_t(row)];
        QString values;
        for (const auto& [key, value] : record.values)
            values += (values.isEmpty() ? "" : " ") + QString::fromStdString(key + "=" + value);
        const QString band =
            record.band ? editors::BandSelection::entryText(*record.band) : QString();
        const QString backup = bytesText(record.backup);
        const int port = recordPortNumber(record.port);
        const QString cells[HistoryColumnCount] = {
            QString::fromStdString(records::localTimeText(record.at)),
            text("Action", int(record.action)),
            port ? text("PortLabel").arg(port)
                 : QString::fromStdString(record.port.empty() ? record.device : record.port),
            band.isEmpty() ? QString("-") : band,
            values,
            QString::fromStdString(records::resultTextIn(record.result, language)),
            bytesText(record.file),
            backup};
        for (int column = 0; column < HistoryColumnCount; ++column)
            TableHistory->setItem(row, column, new QTableWidgetItem(cells[column]));
        // A path column is cut to its file's name and the folder's ends.
        for (int column : {FileColumn, BackupColumn})
            TableHistory->item(row, column)->setToolTip(cells[column]);
        QTableWidgetItem* first = TableHistory->item(row, 0);
        first->setData(BackupRole, backup);
        first->setData(IdRole, qlonglong(record.id));
        first->setData(RadioPortRole, port);
        first->setData(JobRole, QString::fromStdString(record.job));
        std::error_code unknown;
        const bool missing =
            !record.backup.empty() && !std::filesystem::exists(record.backup, unknown);
        first->setData(MissingRole, missing);
        if (missing)
            TableHistory->item(row, BackupColumn)->setToolTip(text("BackupMissing", 1));
    }
    makeReadOnlyList(*TableHistory);
    // A path cut short keeps its file's name.
    TableHistory->setTextElideMode(Qt::ElideMiddle);
    // Several rows go at once; Open and Restore take one.
    TableHistory->setSelectionMode(QAbstractItemView::ExtendedSelection);
    TableHistory->setSortingEnabled(true);
    TableHistory->sortByColumn(0, Qt::DescendingOrder);
    TableHistory->selectRow(0);

    LabelBackup = new QLabel(this);
    LabelBackup->setObjectName("LabelBackup");
    LabelBackup->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    const auto add = [&](const char* name, QDialogButtonBox::ButtonRole role) {
        return addButton(*buttons, name, role, text(name));
    };
    CmdOpen = add("CmdOpen", QDialogButtonBox::AcceptRole);
    CmdRestore = add("CmdRestore", QDialogButtonBox::ActionRole);
    CmdDelete = add("CmdDelete", QDialogButtonBox::ActionRole);
    CmdExport = add("CmdExport", QDialogButtonBox::ActionRole);
    CmdReport = add("CmdReport", QDialogButtonBox::ActionRole);
    CmdClose = add("CmdClose", QDialogButtonBox::RejectRole);
    CmdOpen->setDefault(true); // Enter on the list opens the row's backup
    connect(CmdOpen, &QPushButton::clicked, this, [this] { choose(Choice::Open); });
    connect(CmdRestore, &QPushButton::clicked, this, [this] { choose(Choice::Restore); });
    connect(CmdDelete, &QPushButton::clicked, this, &HistoryWindow::deleteChosen);
    connect(CmdExport, &QPushButton::clicked, this, &HistoryWindow::exportRows);
    connect(CmdReport, &QPushButton::clicked, this, &HistoryWindow::writeReport);
    connect(ComboJob, &QComboBox::currentIndexChanged, this, &HistoryWindow::applyFilter);
    connect(CmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(TableHistory, &QTableWidget::cellDoubleClicked, this, [this] { choose(Choice::Open); });
    connect(TableHistory, &QTableWidget::itemSelectionChanged, this, &HistoryWindow::choiceChanged);
    connect(TextFilter, &QLineEdit::textChanged, this, &HistoryWindow::applyFilter);
    onDeleteKey(*TableHistory, [this] { deleteChosen(); });
    choiceChanged();

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(TextFilter, 1);
    filterRow->addWidget(jobLabel);
    filterRow->addWidget(ComboJob);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(TableHistory, 1);
    layout->addWidget(LabelBackup);
    layout->addWidget(buttons);
    fitTableToTexts(*TableHistory);
    for (int column : {FileColumn, BackupColumn})
        TableHistory->horizontalHeader()->resizeSection(
            column, std::min(TableHistory->horizontalHeader()->sectionSize(column), PathWidth));
    resize(std::min(1200, fittedWidth(*TableHistory) + 60), 420);
    TableHistory->setFocus(Qt::OtherFocusReason);
}

QString HistoryWindow::text(const char* control, int index) const {
    return ui::languageText(HistoryTexts, "FrmHistory", control, ui::TextTarget::Caption, index,
                            m_language);
}

QList<int> HistoryWindow::chosenRows() const {
    QList<int> rows;
    for (const QModelIndex& index : TableHistory->selectionModel()->selectedRows())
        if (!TableHistory->isRowHidden(index.row()))
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString HistoryWindow::chosenJob() const {
    return ComboJob->currentData().toString();
}

void HistoryWindow::applyFilter() {
    const QString wanted = TextFilter->text().trimmed();
    const QString job = chosenJob();
    for (int row = 0; row < TableHistory->rowCount(); ++row) {
        bool shown = wanted.isEmpty();
        for (int column = 0; !shown && column < HistoryColumnCount; ++column)
            shown = TableHistory->item(row, column)->text().contains(wanted, Qt::CaseInsensitive);
        shown = shown && (job.isEmpty() || TableHistory->item(row, 0)->data(JobRole) == job);
        TableHistory->setRowHidden(row, !shown);
    }
    // The pick moves to the first row shown when the filter hid it, so
    // Enter opens what the user sees.
    if (chosenRows().isEmpty()) {
        TableHistory->clearSelection();
        for (int row = 0; row < TableHistory->rowCount(); ++row)
            if (!TableHistory->isRowHidden(row)) {
                TableHistory->selectRow(row);
                break;
            }
    }
    choiceChanged();
}

void HistoryWindow::choiceChanged() {
    const QList<int> rows = chosenRows();
    const QTableWidgetItem* first =
        rows.size() == 1 ? TableHistory->item(rows.first(), 0) : nullptr;
    const bool missing = first && first->data(MissingRole).toBool();
    LabelBackup->setText(missing ? text("BackupMissing").arg(ui::shownFileName(chosenBackup()))
                                 : QString());
    const bool usable = !chosenBackup().isEmpty() && !missing;
    CmdOpen->setEnabled(usable);
    CmdRestore->setEnabled(usable);
    CmdDelete->setEnabled(!rows.isEmpty());
    CmdReport->setEnabled(!chosenJob().isEmpty());
}

QString HistoryWindow::chosenBackup() const {
    const QList<int> rows = chosenRows();
    return rows.size() == 1 ? TableHistory->item(rows.first(), 0)->data(BackupRole).toString()
                            : QString();
}

int HistoryWindow::chosenPort() const {
    const QList<int> rows = chosenRows();
    return rows.size() == 1 ? TableHistory->item(rows.first(), 0)->data(RadioPortRole).toInt() : 0;
}

void HistoryWindow::choose(Choice choice) {
    // Open and Restore are offered alike: for one row whose backup is there.
    if (!CmdOpen->isEnabled())
        return;
    m_choice = choice;
    accept();
}

void HistoryWindow::deleteChosen() {
    const QList<int> rows = chosenRows();
    if (rows.isEmpty() ||
        ui::showMessage(ui::Msg::DeleteRecordsQuery, {QString::number(rows.size())}) != ui::MsgOk)
        return;
    std::string error;
    const std::unique_ptr<records::History> history = radiolink::openHistory(error);
    QList<int> removed;
    for (int row : rows) {
        // A record another program removed first is gone all the same.
        if (history && !history->remove(TableHistory->item(row, 0)->data(IdRole).toLongLong()) &&
            !history->lastError().empty())
            error = history->lastError();
        if (!error.empty())
            break;
        removed << row;
    }
    for (auto row = removed.crbegin(); row != removed.crend(); ++row)
        TableHistory->removeRow(*row);
    if (!error.empty())
        ui::showMessage(ui::Msg::RecordsNotDeleted, {QString::fromStdString(error)});
    const int next = std::min(rows.first(), TableHistory->rowCount() - 1);
    TableHistory->clearSelection();
    if (next >= 0 && !TableHistory->isRowHidden(next))
        TableHistory->selectRow(next);
    choiceChanged();
    TableHistory->setFocus(Qt::OtherFocusReason);
}

QString HistoryWindow::csvText() const {
    QStringList lines;
    QStringList titles;
    for (int column = 0; column < HistoryColumnCount; ++column)
        titles << csvField(TableHistory->horizontalHeaderItem(column)->text());
    lines << titles.join(',');
    for (int row = 0; row < TableHistory->rowCount(); ++row) {
        if (TableHistory->isRowHidden(row))
            continue;
        QStringList cells;
        for (int column = 0; column < HistoryColumnCount; ++column)
            cells << csvField(TableHistory->item(row, column)->text());
        lines << cells.join(',');
    }
    return lines.join("\r\n") + "\r\n";
}

void HistoryWindow::exportRows() {
    const QString path =
        askFileName(this, lastSaveFolder(QDir::homePath()), true, {{"CSV (*.csv)"}, "csv"});
    if (path.isEmpty())
        return;
    const QByteArray bytes = csvText().toUtf8();
    const files::WriteResult written = files::writeFileAtomically(
        ui::fileNameBytes(path).toStdString(),
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  std::size_t(bytes.size())));
    if (!written.ok())
        QMessageBox::warning(this, windowTitle(),
                             text("ExportFailed").arg(ui::shownFileName(path)));
}

// From the history itself: the job's radios the other rows do not show (a
// filter typed) and those recorded since the window opened count too.
void HistoryWindow::writeReport() {
    const QString job = chosenJob();
    if (job.isEmpty())
        return;
    const QString path = askFileName(this, lastSaveFolder(QDir::homePath()), true,
                                     {{"PDF (*.pdf)", "CSV (*.csv)"}, "pdf"});
    if (path.isEmpty())
        return;
    std::string error;
    const std::unique_ptr<records::History> history = radiolink::openHistory(error);
    const std::optional<records::Job> kept =
        history ? history->job(job.toStdString()) : std::nullopt;
    if (!kept) {
        QMessageBox::warning(
            this, windowTitle(),
            text("ReportFailed")
                .arg(QString::fromStdString(history ? history->lastError() : error)));
        return;
    }
    records::Filter filter;
    filter.job = kept->name;
    const ui::JobReport report =
        ui::jobReport(*kept, history->list(filter), m_language, std::time(nullptr));
    files::WriteResult written;
    if (path.endsWith(".csv", Qt::CaseInsensitive)) {
        const std::string csv = ui::jobReportCsv(report);
        written = files::writeFileAtomically(
            ui::fileNameBytes(path).toStdString(),
            std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
    } else {
        const print::PrintDocument document = print::jobReportDocument(report);
        // A report with boxes in place of characters is not written.
        if (const QString missing = print::uncoveredCharacters(document); !missing.isEmpty()) {
            ui::showMessage(ui::Msg::PrintFontMissing, {print::charactersNamed(missing)});
            return;
        }
        written = print::writePdf(document, path);
    }
    if (written.ok())
        rememberSaveFolder(path);
    else
        ui::reportSaveFailure(path, written);
}

void showHistory(MainWindow& window) {
    std::string error;
    std::vector<records::Record> rows;
    if (QFile::exists(radiolink::historyFile()))
        if (const auto history = radiolink::openHistory(error))
            rows = history->list();
    HistoryWindow history(std::move(rows), ui::UILanguage, &window);
    if (history.exec() != QDialog::Accepted)
        return;
    if (history.choice() == HistoryWindow::Choice::Open)
        window.fileCommands().openFile(history.chosenBackup());
    else
        restoreAskingPort(window, history.chosenBackup(), history.chosenPort());
}

} // namespace shell
