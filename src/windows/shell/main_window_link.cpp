// The radio link of the main window: the port choice (ComboCom, MSComm1,
// status panel 1, ComPortIndex) and the transfers (MNRead, MNWrite).
#include "editors/band_selection.h"
#include "platform/port_adapters.h"
#include "platform/qt_link.h"
#include "platform/serial_port.h"
#include "shell/batch_write_window.h"
#include "shell/file_commands.h"
#include "shell/main_window.h"
#include "shell/ports_window.h"
#include "shell/progress_window.h"
#include "shell/safe_write_flow.h"
#include "shell/window_transfer_view.h"
#include "words/messages.h"
#include "words/port_failure_text.h"
#include "words/program_flags.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTreeView>

namespace shell {

void MainWindow::createLink() {
    FrmWriting = new ProgressWindow(this);
    m_transferView = std::make_unique<WindowTransferView>(*this, *FrmWriting);
    m_link = std::make_unique<radiolink::QtLink>(*MSComm1, *TimerW, *TimerMeg, *m_transferView,
                                                 ReceiveImage, TransmitImage);
    connect(findChild<QAction*>("MNRead"), &QAction::triggered, this, [this] {
        if (!transferRunning() && reopenLostPort())
            m_link->engine().startRead();
    });
    m_write = std::make_unique<SafeWriteFlow>(*this, *FrmWriting, *MSComm1, backupsFolder());
    connect(findChild<QAction*>("MNWrite"), &QAction::triggered, this, [this] {
        if (!transferRunning() && reopenLostPort())
            m_write->start(m_writeOptions, ComboCom->currentText().toInt());
    });
    // Cancel ends a read at once; a write decides for itself.
    connect(FrmWriting, &ProgressWindow::cancelRequested, this, [this] {
        if (m_link->engine().busy()) {
            m_link->engine().cancel();
            dropLateAnswers(*MSComm1);
        } else
            m_write->cancelRequested();
    });
    connect(findChild<QAction*>("MNBatchWrite"), &QAction::triggered, this,
            &MainWindow::showBatchWrite);
    createWriteOptions();
    createPortListView();
}

void MainWindow::createPortListView() {
    // The numbers stay the list's entries; what each reaches is a second
    // column of its opened entries.
    auto* view = new QTreeView(ComboCom);
    view->setObjectName("PortListView");
    view->setHeaderHidden(true);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ComboCom->setView(view);
    ComboCom->model()->insertColumn(1);
    ComboCom->setMaxVisibleItems(radiolink::PortCount);
}

void MainWindow::showPorts() {
    if (transferRunning())
        return;
    PortsWindow ports(m_folders.ports, m_folders.adapters, ui::UILanguage, this);
    connect(&ports, &PortsWindow::bindingChanged, this, [this](int port) {
        // Let go of the device it reached: the next transfer opens the port
        // where its link leads now.
        if (port == chosenPortNumber())
            MSComm1->close();
    });
    ports.exec();
}

void MainWindow::showBatchWrite() {
    if (transferRunning())
        return;
    EncodeImage();
    BatchJob job{TransmitImage,
                 m_bandSelection->bandCode(),
                 {m_writeOptions.backupFirst, m_writeOptions.verifyAfter, {false, ui::DebugMode}},
                 backupsFolder()};
    MSComm1->close();
    auto* batch = new BatchWriteWindow(this, m_folders.ports, std::move(job), m_folders.adapters);
    batch->setAttribute(Qt::WA_DeleteOnClose);
    connect(batch, &QDialog::finished, this, [this] {
        if (ComboCom->currentIndex() >= 0)
            openChosenPort();
    });
    batch->show();
}

void MainWindow::createWriteOptions() {
    if (!m_folders.detached)
        m_writeOptions = loadWriteOptions(m_folders.settingsFile);
    const std::pair<const char*, bool WriteOptions::*> items[] = {
        {"MNBackupFirst", &WriteOptions::backupFirst},
        {"MNVerifyAfter", &WriteOptions::verifyAfter},
    };
    for (const auto& [name, option] : items) {
        QAction* item = findChild<QAction*>(name);
        item->setChecked(m_writeOptions.*option);
        connect(item, &QAction::toggled, this, [this, option = option](bool on) {
            m_writeOptions.*option = on;
            if (!m_folders.detached)
                saveWriteOptions(m_folders.settingsFile, m_writeOptions);
        });
    }
}

int MainWindow::chosenPortNumber() const {
    return ComboCom->currentIndex() < 0 ? 0 : ComboCom->currentText().toInt();
}

void MainWindow::restoreBackup(const QString& path, int port) {
    if (transferRunning())
        return;
    const files::LoadResult loaded = loadReported(path);
    if (!loaded.ok())
        return;
    // Another radio's port is lent to this restore alone: the program's
    // port stays the chosen one, in the window and in its saved setting.
    if (port != chosenPortNumber()) {
        m_lentPort = port;
        if (!openChosenPort()) {
            showPortError();
            endLentPort();
            return;
        }
    } else if (!reopenLostPort()) {
        return;
    }
    image::MemoryImage backup{};
    loaded.file.copyInto(backup);
    m_write->startRestore(backup, loaded.file.band.value_or(-1), path, m_writeOptions, port);
    if (!m_write->running())
        endLentPort();
}

void MainWindow::endLentPort() {
    if (!m_lentPort)
        return;
    m_lentPort = 0;
    MSComm1->close();
    // A chosen port that will not open now says so at the next transfer.
    if (ComboCom->currentIndex() >= 0)
        openChosenPort();
}

bool MainWindow::reopenLostPort() {
    // Without a choice the transfer itself says the port is invalid.
    if (MSComm1->isOpen() || (ComboCom->currentIndex() < 0 && !m_lentPort))
        return true;
    if (openChosenPort())
        return true;
    // The choice stays: the cable may be plugged back in before the next try.
    showPortError();
    return false;
}

// Closes the port first, the one chosen again too.
bool MainWindow::openChosenPort() {
    MSComm1->openPort(m_lentPort ? m_lentPort : ComboCom->currentText().toInt(), m_folders.ports);
    return MSComm1->isOpen();
}

bool MainWindow::transferRunning() const {
    return m_link->engine().busy() || m_write->running();
}

void MainWindow::showPortList() {
    // What each number reaches now: adapters come and go.
    const radiolink::SummaryWords words = portSummaryWords(ui::UILanguage);
    for (const radiolink::PortDescription& port :
         radiolink::describePorts(m_folders.ports, m_folders.adapters))
        ComboCom->model()->setData(ComboCom->model()->index(port.number - 1, 1),
                                   radiolink::portSummary(port, words));
    auto* view = static_cast<QTreeView*>(ComboCom->view());
    view->resizeColumnToContents(0);
    view->resizeColumnToContents(1);
    view->setMinimumWidth(view->header()->length() + 2 * view->frameWidth() +
                          view->verticalScrollBar()->sizeHint().width());
    ComboCom->show();
    ComboCom->setFocus();
    ComboCom->showPopup();
}

void MainWindow::onPortChosen() {
    if (ComboCom->currentIndex() >= 0) {
        if (!openChosenPort()) {
            showPortError();
            ComboCom->setCurrentIndex(-1);
        }
    }

    // The caption shows the port only while it holds a ":" (the captions
    // the language sets hold none).
    QAction* menu = findChild<QAction*>("MNCommPort");
    const QString caption = menu->text();
    if (caption.contains(':'))
        menu->setText(caption.section(':', 0, 0) + ":" + ComboCom->currentText() + "(&C)");

    ui::ComPortIndex = ComboCom->currentIndex();
    ComboCom->hide();
    m_panels[0]->setText("COM: " + ComboCom->currentText());
    focusActiveEditor();
}

void MainWindow::showPortError() {
    ui::showMessage(ui::Msg::PortError,
                    {m_lentPort ? QString::number(m_lentPort) : ComboCom->currentText(),
                     ui::portFailureText(MSComm1->failure(), MSComm1->deviceName(),
                                         MSComm1->systemErrorText())});
}

void MainWindow::focusActiveEditor() {
    if (QMdiSubWindow* sub = m_mdiArea->currentSubWindow(); sub && sub->widget())
        sub->widget()->setFocus();
}

} // namespace shell
