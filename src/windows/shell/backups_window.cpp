#include "shell/backups_window.h"

#include "editors/band_selection.h"
#include "files/backup_store.h"
#include "platform/history_file.h"
#include "platform/port_names.h"
#include "shell/file_commands.h"
#include "shell/main_window.h"
#include "shell/read_only_table.h"
#include "words/backups_window_texts.h"
#include "words/file_names.h"
#include "words/language_text.h"
#include "words/message_box.h"
#include "words/messages.h"
#include "words/program_flags.h"
#include "words/save_failure.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cerrno>

namespace shell {

namespace {

constexpr int BackupColumnCount = 5;
constexpr int PathRole = Qt::UserRole;
constexpr int PortRole = Qt::UserRole + 1;
constexpr int RecordedRole = Qt::UserRole + 2;
constexpr int ShownRows = 12; // the window's height before it scrolls

QString bandText(const std::optional<int>& band) {
    const QString entry = band ? editors::BandSelection::entryText(*band) : QString();
    return entry.isEmpty() ? QString("-") : entry;
}

// "port3" is the program's port 3; a device's name stays as it is.
int portNumberOf(const std::string& label) {
    static const QRegularExpression portName("^port(\\d+)$");
    const QRegularExpressionMatch match = portName.match(QString::fromStdString(label));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

BackupsWindow::BackupsWindow(const QString& folder, int language, QWidget* parent)
    : QDialog(parent), m_folder(folder), m_language(language) {
    setObjectName("FrmBackups");
    setWindowTitle(text(""));

    LabelFolder = new QLabel(this);
    LabelFolder->setObjectName("LabelFolder");
    LabelFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    TableBackups = new QTableWidget(0, BackupColumnCount, this);
    TableBackups->setObjectName("TableBackups");
    setHeaderTitles(*TableBackups, BackupsTexts, "FrmBackups", language);

    auto* buttons = new QDialogButtonBox(this);
    const auto add = [&](const char* name, QDialogButtonBox::ButtonRole role) {
        return addButton(*buttons, name, role, text(name));
    };
    CmdOpen = add("CmdOpen", QDialogButtonBox::AcceptRole);
    CmdRestore = add("CmdRestore", QDialogButtonBox::ActionRole);
    CmdDelete = add("CmdDelete", QDialogButtonBox::DestructiveRole);
    CmdClose = add("CmdClose", QDialogButtonBox::RejectRole);
    CmdOpen->setDefault(true); // Enter on the list opens the backup picked
    connect(CmdOpen, &QPushButton::clicked, this, &BackupsWindow::open);
    connect(CmdRestore, &QPushButton::clicked, this, &BackupsWindow::restore);
    connect(CmdDelete, &QPushButton::clicked, this, &BackupsWindow::deleteChosen);
    connect(CmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(TableBackups, &QTableWidget::cellDoubleClicked, this, &BackupsWindow::open);
    onDeleteKey(*TableBackups, [this] { deleteChosen(); });
    connect(TableBackups, &QTableWidget::itemSelectionChanged, this, [this] {
        const bool chosen = !chosenPath().isEmpty();
        for (QPushButton* button : {CmdOpen, CmdRestore, CmdDelete})
            button->setEnabled(chosen);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelFolder);
    layout->addWidget(TableBackups, 1);
    layout->addWidget(buttons);
    fillTable();
    TableBackups->setFocus(Qt::OtherFocusReason);

    fitTableToTexts(*TableBackups);
    const QHeaderView* rowHeader = TableBackups->verticalHeader();
    const int rowHeight =
        TableBackups->rowCount() == 0 ? rowHeader->defaultSectionSize() : rowHeader->sectionSize(0);
    const int rows = std::clamp(TableBackups->rowCount(), 1, ShownRows);
    TableBackups->setMinimumSize(fittedWidth(*TableBackups) + 2 * TableBackups->frameWidth() +
                                     TableBackups->verticalScrollBar()->sizeHint().width(),
                                 TableBackups->horizontalHeader()->sizeHint().height() +
                                     rows * rowHeight + 2 * TableBackups->frameWidth());
}

QString BackupsWindow::text(const char* control, int index) const {
    return ui::languageText(BackupsTexts, "FrmBackups", control, ui::TextTarget::Caption, index,
                            m_language);
}

void BackupsWindow::fillTable() {
    const std::vector<files::BackupEntry> backups =
        files::BackupStore(ui::fileNameBytes(m_folder).toStdString()).list();
    LabelFolder->setText(text("LabelFolder", backups.empty() ? 1 : 0).arg(m_folder));
    // What the backup cap passes over, so this list and the history agree.
    const std::set<std::string> recorded =
        radiolink::recordedBackups().value_or(std::set<std::string>());
    TableBackups->setRowCount(int(backups.size()));
    for (int row = 0; row < int(backups.size()); ++row) {
        const files::BackupEntry& backup = backups[std::size_t(row)];
        const int port = portNumberOf(backup.portLabel);
        const bool isRecorded = recorded.contains(backup.path);
        const QString cells[BackupColumnCount] = {
            QString::fromStdString(backup.taken),
            port ? text("PortLabel").arg(port) : QString::fromStdString(backup.portLabel),
            bandText(backup.band), QString::number(backup.channelsInUse),
            isRecorded                                ? text("KeptByHistory")
            : files::BackupStore::pinned(backup.path) ? text("KeptByInstruction")
                                                      : QString()};
        for (int column = 0; column < BackupColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(PathRole, ui::fileNameText(QByteArray::fromStdString(backup.path)));
            item->setData(PortRole, port);
            item->setData(RecordedRole, isRecorded);
            item->setToolTip(QString::fromStdString(backup.fileName));
            TableBackups->setItem(row, column, item);
        }
    }
    makeReadOnlyList(*TableBackups);
    TableBackups->selectRow(0);
    const bool chosen = !chosenPath().isEmpty();
    for (QPushButton* button : {CmdOpen, CmdRestore, CmdDelete})
        button->setEnabled(chosen);
}

QString BackupsWindow::chosenPath() const {
    const QList<QTableWidgetItem*> picked = TableBackups->selectedItems();
    return picked.isEmpty() ? QString() : picked.first()->data(PathRole).toString();
}

int BackupsWindow::chosenPort() const {
    const QList<QTableWidgetItem*> picked = TableBackups->selectedItems();
    return picked.isEmpty() ? 0 : picked.first()->data(PortRole).toInt();
}

void BackupsWindow::open() {
    if (!chosenPath().isEmpty())
        accept();
}

void BackupsWindow::restore() {
    if (chosenPath().isEmpty())
        return;
    m_restoreAsked = true;
    emit restoreRequested(chosenPath(), chosenPort());
}

void BackupsWindow::changeEvent(QEvent* event) {
    // Back from a restore: the backup it took is listed.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_restoreAsked) {
        m_restoreAsked = false;
        const int row = TableBackups->currentRow();
        fillTable();
        TableBackups->selectRow(std::max(row, 0));
    }
    QDialog::changeEvent(event);
}

void BackupsWindow::deleteChosen() {
    const QString path = chosenPath();
    if (path.isEmpty())
        return;
    const QString name = QFileInfo(path).fileName();
    const bool isRecorded = TableBackups->selectedItems().first()->data(RecordedRole).toBool();
    if (ui::showMessage(isRecorded ? ui::Msg::DeleteKeptQuery : ui::Msg::DeleteBackupQuery,
                        {name}) != ui::MsgOk)
        return;
    const int row = TableBackups->currentRow();
    if (!files::BackupStore(ui::fileNameBytes(m_folder).toStdString())
             .remove(ui::fileNameBytes(path).toStdString()))
        ui::showMessage(ui::Msg::BackupNotDeleted,
                        {ui::shownFileName(path), ui::systemReason(errno)});
    fillTable();
    TableBackups->selectRow(std::min(row, TableBackups->rowCount() - 1));
    TableBackups->setFocus(Qt::OtherFocusReason);
}

namespace {

// The port to write a backup back to, offered first the one it came from;
// 0 when the user cancels.
int askRestorePort(QWidget* parent, const QString& backupName, int port) {
    QStringList ports;
    for (int number = 1; number <= radiolink::PortCount; ++number)
        ports << QString::number(number);
    const auto text = [](const char* control) {
        return ui::languageText(BackupsTexts, "FrmRestorePort", control, ui::TextTarget::Caption, 0,
                                ui::UILanguage);
    };
    QInputDialog dialog(parent);
    dialog.setObjectName("FrmRestorePort");
    dialog.setWindowTitle(text(""));
    dialog.setLabelText(text("LabelPort").arg(backupName));
    dialog.setOkButtonText(text("CmdOk"));
    dialog.setCancelButtonText(text("CmdCancel"));
    dialog.setComboBoxItems(ports);
    dialog.setComboBoxEditable(false);
    dialog.setTextValue(QString::number(std::clamp(port, 1, radiolink::PortCount)));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().toInt() : 0;
}

} // namespace

void showBackups(MainWindow& window) {
    BackupsWindow backups(window.backupsFolder(), ui::UILanguage, &window);
    QObject::connect(
        &backups, &BackupsWindow::restoreRequested,
        [&window](const QString& path, int port) { restoreAskingPort(window, path, port); });
    if (backups.exec() == QDialog::Accepted)
        window.fileCommands().openFile(backups.chosenPath());
}

void restoreAskingPort(MainWindow& window, const QString& path, int offeredPort) {
    const int from = offeredPort ? offeredPort : window.chosenPortNumber();
    if (const int port = askRestorePort(&window, QFileInfo(path).fileName(), from))
        window.restoreBackup(path, port);
}

} // namespace shell
