#include "shell/history_window.h"

#include "editors/band_selection.h"
#include "files/file_io.h"
#include "link/qt/history_file.h"
#include "shell/file_commands.h"
#include "shell/file_dialog.h"
#include "shell/history_window_texts.h"
#include "shell/main_window.h"
#include "shell/read_only_table.h"
#include "ui/file_names.h"
#include "ui/language_text.h"
#include "ui/program_flags.h"
#include "ui/save_failure.h"

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

namespace shell {

namespace {

constexpr int HistoryColumnCount = 8;
constexpr int BackupRole = Qt::UserRole;

QString bytesText(const std::string& bytes) {
    return ui::fileNameText(QByteArray::fromStdString(bytes));
}

QStringList cellsOf(const records::Record& record) {
    QString values;
    for (const auto& [key, value] : record.values)
        values += (values.isEmpty() ? "" : " ") + QString::fromStdString(key + "=" + value);
    const QString band = record.band ? editors::BandSelection::entryText(*record.band) : QString();
    return {QString::fromStdString(records::localTimeText(record.at)),
            records::actionName(record.action),
            QString::fromStdString(record.port.empty() ? record.device : record.port),
            band.isEmpty() ? QString("-") : band,
            values,
            QString::fromStdString(record.result),
            bytesText(record.file),
            bytesText(record.backup)};
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
    const auto text = [language](const char* control, ui::TextTarget target, int index) {
        return ui::languageText(HistoryTexts, "FrmHistory", control, target, index, language);
    };
    setWindowTitle(text("", ui::TextTarget::Caption, 0));

    auto* filterLabel = new QLabel(text("LabelFilter", ui::TextTarget::Caption, 0), this);
    filterLabel->setObjectName("LabelFilter");
    TextFilter = new QLineEdit(this);
    TextFilter->setObjectName("TextFilter");
    TextFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(TextFilter);

    TableHistory = new QTableWidget(int(rows.size()), HistoryColumnCount, this);
    TableHistory->setObjectName("TableHistory");
    for (int column = 0; column < HistoryColumnCount; ++column)
        TableHistory->setHorizontalHeaderItem(
            column, new QTableWidgetItem(text("TableHistory", ui::TextTarget::HeaderCell, column)));
    // Newest first, as the backups window lists its backups.
    for (int row = 0; row < int(rows.size()); ++row) {
        const records::Record& record = rows[rows.size() - 1 - std::size_t(row)];
        const QStringList cells = cellsOf(record);
        for (int column = 0; column < HistoryColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(BackupRole, bytesText(record.backup));
            TableHistory->setItem(row, column, item);
        }
    }
    makeReadOnlyList(*TableHistory);
    TableHistory->setSortingEnabled(true);
    TableHistory->sortByColumn(0, Qt::DescendingOrder);
    TableHistory->selectRow(0);

    CmdOpen = new QPushButton(text("CmdOpen", ui::TextTarget::Caption, 0), this);
    CmdOpen->setObjectName("CmdOpen");
    CmdOpen->setDefault(true);
    CmdExport = new QPushButton(text("CmdExport", ui::TextTarget::Caption, 0), this);
    CmdExport->setObjectName("CmdExport");
    CmdClose = new QPushButton(text("CmdClose", ui::TextTarget::Caption, 0), this);
    CmdClose->setObjectName("CmdClose");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(CmdOpen, QDialogButtonBox::AcceptRole);
    buttons->addButton(CmdExport, QDialogButtonBox::ActionRole);
    buttons->addButton(CmdClose, QDialogButtonBox::RejectRole);
    const auto updateOpen = [this] { CmdOpen->setEnabled(!chosenBackup().isEmpty()); };
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!chosenBackup().isEmpty())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(CmdExport, &QPushButton::clicked, this, &HistoryWindow::exportRows);
    connect(TableHistory, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!chosenBackup().isEmpty())
            accept();
    });
    connect(TableHistory, &QTableWidget::itemSelectionChanged, this, updateOpen);
    connect(TextFilter, &QLineEdit::textChanged, this, &HistoryWindow::applyFilter);
    updateOpen();

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(TextFilter, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(TableHistory, 1);
    layout->addWidget(buttons);
    fitTableToTexts(*TableHistory);
    resize(std::min(1200, TableHistory->horizontalHeader()->length() + 60), 420);
    TableHistory->setFocus(Qt::OtherFocusReason);
}

void HistoryWindow::applyFilter() {
    const QString wanted = TextFilter->text().trimmed();
    for (int row = 0; row < TableHistory->rowCount(); ++row) {
        bool shown = wanted.isEmpty();
        for (int column = 0; !shown && column < HistoryColumnCount; ++column)
            shown = TableHistory->item(row, column)->text().contains(wanted, Qt::CaseInsensitive);
        TableHistory->setRowHidden(row, !shown);
    }
    // The pick moves to the first row shown when the filter hid it, so
    // Enter opens what the user sees.
    const QList<QTableWidgetItem*> picked = TableHistory->selectedItems();
    if (picked.isEmpty() || TableHistory->isRowHidden(picked.first()->row())) {
        TableHistory->clearSelection();
        for (int row = 0; row < TableHistory->rowCount(); ++row)
            if (!TableHistory->isRowHidden(row)) {
                TableHistory->selectRow(row);
                break;
            }
    }
    CmdOpen->setEnabled(!chosenBackup().isEmpty());
}

QString HistoryWindow::chosenBackup() const {
    const QList<QTableWidgetItem*> picked = TableHistory->selectedItems();
    if (picked.isEmpty() || TableHistory->isRowHidden(picked.first()->row()))
        return {};
    return picked.first()->data(BackupRole).toString();
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
                             ui::languageText(HistoryTexts, "FrmHistory", "ExportFailed",
                                              ui::TextTarget::Caption, 0, m_language)
                                 .arg(ui::shownFileName(path)));
}

void showHistory(MainWindow& window) {
    std::string error;
    std::vector<records::Record> rows;
    if (QFile::exists(radiolink::historyFile()))
        if (const auto history = radiolink::openHistory(error))
            rows = history->list();
    HistoryWindow history(std::move(rows), ui::UILanguage, &window);
    if (history.exec() == QDialog::Accepted)
        window.fileCommands().openFile(history.chosenBackup());
}

} // namespace shell
