#include "shell/history_window.h"

#include "files/file_io.h"
#include "platform/history_file.h"
#include "print/font_coverage.h"
#include "print/job_report_document.h"
#include "print/pdf_output.h"
#include "shell/backups_window.h"
#include "shell/file_commands.h"
#include "shell/file_dialog.h"
#include "shell/history_model.h"
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

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>
#include <functional>

namespace shell {

namespace {

// Wide enough for a backup's name: "2026-12-08_053931_port4_band3.dat".
constexpr int PathWidth = 260;

QString csvField(const QString& field) {
    if (!field.contains(QRegularExpression("[\",\r\n]")))
        return field;
    return '"' + QString(field).replace('"', "\"\"") + '"';
}

} // namespace

HistoryWindow::HistoryWindow(std::unique_ptr<records::History> history, int language,
                             QWidget* parent)
    : QDialog(parent), m_language(language) {
    setObjectName("FrmHistory");
    setWindowTitle(text(""));

    auto* filterLabel = new QLabel(text("LabelFilter"), this);
    filterLabel->setObjectName("LabelFilter");
    TextFilter = new QLineEdit(this);
    TextFilter->setObjectName("TextFilter");
    TextFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(TextFilter);

    // Newest first, as the backups window lists its backups.
    m_model = new HistoryModel(std::move(history), language, this);
    TableHistory = new QTableView(this);
    TableHistory->setObjectName("TableHistory");
    TableHistory->setModel(m_model);
    makeReadOnlyList(*TableHistory);
    // A path cut short keeps its file's name.
    TableHistory->setTextElideMode(Qt::ElideMiddle);
    // Several rows go at once; Open and Restore take one.
    TableHistory->setSelectionMode(QAbstractItemView::ExtendedSelection);
    TableHistory->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    TableHistory->setSortingEnabled(true);

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
    connect(CmdOpen, &QPushButton::clicked, this, &HistoryWindow::open);
    connect(CmdRestore, &QPushButton::clicked, this, &HistoryWindow::restore);
    connect(CmdDelete, &QPushButton::clicked, this, &HistoryWindow::deleteChosen);
    connect(CmdExport, &QPushButton::clicked, this, &HistoryWindow::exportRows);
    connect(CmdReport, &QPushButton::clicked, this, &HistoryWindow::writeReport);
    connect(CmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(TableHistory, &QTableView::doubleClicked, this, &HistoryWindow::open);
    connect(TableHistory->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HistoryWindow::choiceChanged);
    connect(TextFilter, &QLineEdit::textChanged, this, &HistoryWindow::applyFilter);
    onDeleteKey(*TableHistory, [this] { deleteChosen(); });
    TextFilter->installEventFilter(this);
    selectRow(0);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(TextFilter, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(TableHistory, 1);
    layout->addWidget(LabelBackup);
    layout->addWidget(buttons);
    fitTableToTexts(*TableHistory);
    // The long texts (a result's reason, the paths) are cut to a name's
    // room, their ends kept, so that every column is in view and the
    // backup's name shows; the whole text is the cell's tooltip.
    QHeaderView* header = TableHistory->horizontalHeader();
    int columns = 0;
    for (int column = 0; column < HistoryModel::ColumnCount; ++column) {
        if (column >= HistoryModel::ResultColumn)
            header->resizeSection(column, std::min(header->sectionSize(column), PathWidth));
        columns += header->sectionSize(column);
    }
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(screen.width() - 40, columns +
                                             TableHistory->verticalScrollBar()->sizeHint().width() +
                                             2 * TableHistory->frameWidth() + 40),
           420);
    // Typing at once filters.
    TextFilter->setFocus(Qt::OtherFocusReason);
}

HistoryWindow::~HistoryWindow() = default;

QString HistoryWindow::text(const char* control, int index) const {
    return ui::languageText(HistoryTexts, "FrmHistory", control, ui::TextTarget::Caption, index,
                            m_language);
}

bool HistoryWindow::eventFilter(QObject* watched, QEvent* event) {
    // The choice moves with Up and Down while the keys are the filter's.
    if (watched == TextFilter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(TableHistory, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QList<int> HistoryWindow::chosenRows() const {
    QList<int> rows;
    for (const QModelIndex& index : TableHistory->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void HistoryWindow::selectRow(int row) {
    TableHistory->clearSelection();
    if (row >= 0 && row < m_model->rowCount()) {
        TableHistory->selectRow(row);
        TableHistory->scrollTo(m_model->index(row, 0));
    }
    choiceChanged();
}

void HistoryWindow::applyFilter() {
    keepingTheChoice([this] { m_model->setFilter(TextFilter->text()); });
}

void HistoryWindow::keepingTheChoice(const std::function<void()>& change) {
    // The pick stays while the rows keep it, else moves to the first row
    // shown, so Enter opens what the user sees.
    const QList<int> rows = chosenRows();
    const records::Record* chosen = rows.isEmpty() ? nullptr : m_model->record(rows.first());
    const std::int64_t id = chosen ? chosen->id : 0;
    change();
    const int row = id ? m_model->rowOf(id) : -1;
    selectRow(row >= 0 ? row : 0);
}

void HistoryWindow::choiceChanged() {
    const QList<int> rows = chosenRows();
    const bool missing = rows.size() == 1 && m_model->backupMissing(rows.first());
    LabelBackup->setText(missing ? text("BackupMissing").arg(ui::shownFileName(chosenBackup()))
                                 : QString());
    const bool usable = !chosenBackup().isEmpty() && !missing;
    CmdOpen->setEnabled(usable);
    CmdRestore->setEnabled(usable);
    CmdDelete->setEnabled(!rows.isEmpty());
    CmdReport->setEnabled(!chosenJob().isEmpty());
}

QString HistoryWindow::chosenJob() const {
    const QList<int> rows = chosenRows();
    const records::Record* chosen = rows.isEmpty() ? nullptr : m_model->record(rows.first());
    return chosen ? QString::fromStdString(chosen->job) : QString();
}

QString HistoryWindow::chosenBackup() const {
    const QList<int> rows = chosenRows();
    const records::Record* chosen = rows.size() == 1 ? m_model->record(rows.first()) : nullptr;
    return chosen ? ui::fileNameText(QByteArray::fromStdString(chosen->backup)) : QString();
}

int HistoryWindow::chosenPort() const {
    const QList<int> rows = chosenRows();
    return rows.size() == 1 ? m_model->radioPort(rows.first()) : 0;
}

// Open and Restore are offered alike: for one row whose backup is there.
void HistoryWindow::open() {
    if (CmdOpen->isEnabled())
        accept();
}

void HistoryWindow::restore() {
    if (!CmdRestore->isEnabled())
        return;
    m_restoreAsked = true;
    emit restoreRequested(chosenBackup(), chosenPort());
}

void HistoryWindow::changeEvent(QEvent* event) {
    // Back from a restore: its record is listed.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_restoreAsked) {
        m_restoreAsked = false;
        keepingTheChoice([this] { m_model->refresh(); });
    }
    QDialog::changeEvent(event);
}

void HistoryWindow::deleteChosen() {
    const QList<int> rows = chosenRows();
    if (rows.isEmpty() ||
        ui::showMessage(ui::Msg::DeleteRecordsQuery, {QString::number(rows.size())}) != ui::MsgOk)
        return;
    std::vector<std::int64_t> ids;
    for (int row : rows)
        if (const records::Record* chosen = m_model->record(row))
            ids.push_back(chosen->id);
    std::string error;
    records::History* history = m_model->history();
    for (std::int64_t id : ids)
        // A record another program removed first is gone all the same.
        if (history && !history->remove(id) && !history->lastError().empty()) {
            error = history->lastError();
            break;
        }
    m_model->refresh();
    if (!error.empty())
        ui::showMessage(ui::Msg::RecordsNotDeleted, {QString::fromStdString(error)});
    selectRow(std::min(rows.first(), m_model->rowCount() - 1));
    TableHistory->setFocus(Qt::OtherFocusReason);
}

QString HistoryWindow::csvText() const {
    QStringList lines;
    QStringList titles;
    for (int column = 0; column < HistoryModel::ColumnCount; ++column)
        titles << csvField(m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    lines << titles.join(',');
    for (int row = 0; row < m_model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < HistoryModel::ColumnCount; ++column)
            cells << csvField(m_model->cellText(row, column));
        lines << cells.join(',');
    }
    return lines.join("\r\n") + "\r\n";
}

void HistoryWindow::exportRows() {
    const QString path = askFileName(this, true, {{"CSV (*.csv)"}, "csv"});
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

// From the history itself: the job's radios the filter hides count too.
void HistoryWindow::writeReport() {
    records::History* history = m_model->history();
    const QString job = chosenJob();
    if (!history || job.isEmpty())
        return;
    const QString path = askFileName(this, true, {{"PDF (*.pdf)", "CSV (*.csv)"}, "pdf"});
    if (path.isEmpty())
        return;
    const std::optional<records::Job> kept = history->job(job.toStdString());
    if (!kept) {
        QMessageBox::warning(
            this, windowTitle(),
            text("ReportFailed").arg(QString::fromStdString(history->lastError())));
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
    if (!written.ok())
        ui::reportSaveFailure(path, written);
}

void showHistory(MainWindow& window) {
    std::string error;
    std::unique_ptr<records::History> records;
    if (QFile::exists(radiolink::historyFile()))
        records = radiolink::openHistory(error);
    HistoryWindow history(std::move(records), ui::UILanguage, &window);
    QObject::connect(
        &history, &HistoryWindow::restoreRequested,
        [&window](const QString& backup, int port) { restoreAskingPort(window, backup, port); });
    if (history.exec() == QDialog::Accepted)
        window.fileCommands().openFile(history.chosenBackup());
}

} // namespace shell
