#include "shell/backups_window.h"

#include "editors/band_selection.h"
#include "files/backup_store.h"
#include "shell/backups_window_texts.h"
#include "shell/file_commands.h"
#include "shell/main_window.h"
#include "shell/read_only_table.h"
#include "ui/file_names.h"
#include "ui/language_text.h"
#include "ui/program_flags.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace shell {

namespace {

constexpr int BackupColumnCount = 4;
constexpr int PathRole = Qt::UserRole;
constexpr int ShownRows = 12; // the window's height before it scrolls

QString bandText(const std::optional<int>& band) {
    const QString entry = band ? editors::BandSelection::entryText(*band) : QString();
    return entry.isEmpty() ? QString("-") : entry;
}

} // namespace

BackupsWindow::BackupsWindow(const QString& folder, int language, QWidget* parent)
    : QDialog(parent) {
    setObjectName("FrmBackups");
    const auto text = [language](const char* control, ui::TextTarget target, int index) {
        return ui::languageText(BackupsTexts, "FrmBackups", control, target, index, language);
    };
    setWindowTitle(text("", ui::TextTarget::Caption, 0));

    const std::vector<files::BackupEntry> backups =
        files::BackupStore(ui::fileNameBytes(folder).toStdString()).list();

    LabelFolder = new QLabel(
        text("LabelFolder", ui::TextTarget::Caption, backups.empty() ? 1 : 0).arg(folder), this);
    LabelFolder->setObjectName("LabelFolder");
    LabelFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    TableBackups = new QTableWidget(int(backups.size()), BackupColumnCount, this);
    TableBackups->setObjectName("TableBackups");
    for (int column = 0; column < BackupColumnCount; ++column)
        TableBackups->setHorizontalHeaderItem(
            column, new QTableWidgetItem(text("TableBackups", ui::TextTarget::HeaderCell, column)));
    for (int row = 0; row < int(backups.size()); ++row) {
        const files::BackupEntry& backup = backups[std::size_t(row)];
        const QString cells[BackupColumnCount] = {
            QString::fromStdString(backup.taken), QString::fromStdString(backup.portLabel),
            bandText(backup.band), QString::number(backup.channelsInUse)};
        for (int column = 0; column < BackupColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(PathRole, ui::fileNameText(QByteArray::fromStdString(backup.path)));
            item->setToolTip(QString::fromStdString(backup.fileName));
            TableBackups->setItem(row, column, item);
        }
    }
    makeReadOnlyList(*TableBackups);
    TableBackups->selectRow(0);

    CmdOpen = new QPushButton(text("CmdOpen", ui::TextTarget::Caption, 0), this);
    CmdOpen->setObjectName("CmdOpen");
    CmdOpen->setEnabled(!backups.empty());
    CmdOpen->setDefault(true); // Enter on the list opens the backup picked
    CmdClose = new QPushButton(text("CmdClose", ui::TextTarget::Caption, 0), this);
    CmdClose->setObjectName("CmdClose");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(CmdOpen, QDialogButtonBox::AcceptRole);
    buttons->addButton(CmdClose, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!chosenPath().isEmpty())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(TableBackups, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    connect(TableBackups, &QTableWidget::itemSelectionChanged, this,
            [this] { CmdOpen->setEnabled(!chosenPath().isEmpty()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelFolder);
    layout->addWidget(TableBackups, 1);
    layout->addWidget(buttons);
    TableBackups->setFocus(Qt::OtherFocusReason);

    fitTableToTexts(*TableBackups);
    const QHeaderView* rowHeader = TableBackups->verticalHeader();
    const int rowHeight =
        backups.empty() ? rowHeader->defaultSectionSize() : rowHeader->sectionSize(0);
    const int rows = std::clamp(int(backups.size()), 1, ShownRows);
    TableBackups->setMinimumSize(TableBackups->horizontalHeader()->length() +
                                     2 * TableBackups->frameWidth() +
                                     TableBackups->verticalScrollBar()->sizeHint().width(),
                                 TableBackups->horizontalHeader()->sizeHint().height() +
                                     rows * rowHeight + 2 * TableBackups->frameWidth());
}

QString BackupsWindow::chosenPath() const {
    const QList<QTableWidgetItem*> picked = TableBackups->selectedItems();
    return picked.isEmpty() ? QString() : picked.first()->data(PathRole).toString();
}

void showBackups(MainWindow& window) {
    BackupsWindow backups(window.backupsFolder(), ui::UILanguage, &window);
    if (backups.exec() == QDialog::Accepted)
        window.fileCommands().openFile(backups.chosenPath());
}

} // namespace shell
