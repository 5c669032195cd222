#include "shell/main_window.h"

#include "editors/band_list.h"
#include "editors/band_selection.h"
#include "editors/channel_table.h"
#include "editors/dtmf_editor.h"
#include "editors/fm_presets_editor.h"
#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "platform/qt_link.h"
#include "platform/serial_port.h"
#include "shell/app_icon.h"
#include "shell/apply_language.h"
#include "shell/backups_window.h"
#include "shell/csv_file_commands.h"
#include "shell/file_commands.h"
#include "shell/history_window.h"
#include "shell/parameter_file.h"
#include "shell/print_command.h"
#include "shell/progress_window.h"
#include "shell/qt_translations.h"
#include "shell/safe_write_flow.h"
#include "shell/service_modes.h"
#include "shell/settings_store.h"
#include "shell/toolbar_icons.h"
#include "shell/window_transfer_view.h"
#include "shell/yaml_file_commands.h"
#include "ui/font_fallback.h"
#include "words/chinese_window_texts.h"
#include "words/message_box.h"
#include "words/messages.h"
#include "words/program_flags.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace shell {

namespace {

// An MDI child whose close box hides it: editors live for the whole run.
class EditorSubWindow : public QMdiSubWindow {
  public:
    using QMdiSubWindow::QMdiSubWindow;

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        hide();
    }
};

} // namespace

MainWindow::MainWindow(const AppFolders& folders, QWidget* parent)
    : QMainWindow(parent), m_folders(folders) {
    setObjectName("MDIForm1");
    setWindowTitle(QString::fromUtf8(ui::ApplicationTitle));
    QApplication::setWindowIcon(appIcon());
    resize(1000, 700);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName("MdiArea");
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    TimerW = new QTimer(this);
    TimerW->setObjectName("TimerW");
    TimerMeg = new QTimer(this);
    TimerMeg->setObjectName("TimerMeg");
    MSComm1 = new radiolink::SerialPort(this);
    MSComm1->setObjectName("MSComm1");

    m_files = std::make_unique<FileCommands>(*this);
    createMenus();
    createToolBar();
    createBandBar();
    createStatusBar();
    ui::setMessageBoxOwner(this);
    loadForm();
    createLink();
    createHelp();
    createHistory();
    focusActiveEditor();
}

MainWindow::~MainWindow() {
    if (m_wheelFilterAttached)
        Combo1->removeEventFilter(this);
}

QAction* MainWindow::addMenuItem(QWidget* menu, const char* name, const char* caption,
                                 const QKeySequence& shortcut) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

void MainWindow::createMenus() {
    QMenuBar* bar = menuBar();
    auto addMenu = [&](const char* name, const char* caption) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(name);
        return menu;
    };
    // Items never offered by this program are hidden and disabled.
    auto notOffered = [](QAction* action) {
        action->setVisible(false);
        action->setEnabled(false);
    };

    QMenu* file = addMenu("MNFile", "文件(&F)");
    connect(addMenuItem(file, "MNNew", "新建(&N)", QKeySequence("Ctrl+N")), &QAction::triggered,
            this, [this] { m_files->New(); });
    connect(addMenuItem(file, "MNOpen", "打开(&O)", QKeySequence("Ctrl+O")), &QAction::triggered,
            this, [this] { m_files->Open(); });
    connect(addMenuItem(file, "MNBackups", "备份(&B)..."), &QAction::triggered, this,
            [this] { showBackups(*this); });
    connect(addMenuItem(file, "MNHistory", "写频记录(&H)..."), &QAction::triggered, this,
            [this] { showHistory(*this); });
    connect(addMenuItem(file, "MNSave", "保存(&S)", QKeySequence("Ctrl+S")), &QAction::triggered,
            this, [this] { m_files->Save(); });
    connect(addMenuItem(file, "MNImportCsv", "导入CSV(&I)..."), &QAction::triggered, this,
            [this] { importCsv(*this); });
    connect(addMenuItem(file, "MNExportCsv", "导出CSV(&E)..."), &QAction::triggered, this,
            [this] { exportCsv(*this); });
    connect(addMenuItem(file, "MNImportYaml", "导入YAML(&Y)..."), &QAction::triggered, this,
            [this] { importYaml(*this); });
    connect(addMenuItem(file, "MNExportYaml", "导出YAML(&L)..."), &QAction::triggered, this,
            [this] { exportYaml(*this); });
    connect(addMenuItem(file, "MNPrint", "打印(&P)"), &QAction::triggered, this,
            [this] { showPrintPreview(*this); });
    file->addSeparator()->setObjectName("MNLine1");
    connect(addMenuItem(file, "MNQuit", "退出(&Q)"), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = addMenu("MNEdit", "编辑(&E)");
    addMenuItem(edit, "MNModel", "信道编辑(&M)", QKeySequence("Ctrl+M"));
    notOffered(addMenuItem(edit, "MNDTMF", "DTMF(双音多频)(&D)", QKeySequence("Ctrl+D")));
    addMenuItem(edit, "MNOption", "可选功能(&P)", QKeySequence("Ctrl+P"));
    addMenuItem(edit, "MNDebug", "调试信息(&B)", QKeySequence("Ctrl+B"));
    notOffered(addMenuItem(edit, "MNFMset", editors::fm::MenuCaption, QKeySequence("Ctrl+F")));

    QMenu* program = addMenu("MNProgram", "编程(&G)");
    addMenuItem(program, "MNRead", "读频(&R)", QKeySequence("Ctrl+R"));
    addMenuItem(program, "MNWrite", "写频(&W)", QKeySequence("Ctrl+W"));
    addMenuItem(program, "MNBatchWrite", "批量写频(&B)...");
    program->addSeparator()->setObjectName("MNLine3");
    addMenuItem(program, "MNBackupFirst", "写频前备份(&K)")->setCheckable(true);
    addMenuItem(program, "MNVerifyAfter", "写频后校验(&V)")->setCheckable(true);

    connect(addMenuItem(bar, "MNCommPort", "通信端口:(&C)"), &QAction::triggered, this,
            &MainWindow::showPortList);
    connect(addMenuItem(bar, "MNPorts", "端口与适配器(&A)..."), &QAction::triggered, this,
            &MainWindow::showPorts);

    QMenu* language = addMenu("MNLanguage", "语言选择");
    connect(addMenuItem(language, "MNChinese", "中文"), &QAction::triggered, this,
            [this] { switchLanguage(0); });
    connect(addMenuItem(language, "MNEnglish", "英文"), &QAction::triggered, this,
            [this] { switchLanguage(1); });

    QMenu* help = addMenu("MNHelp", "帮助(&H)");
    notOffered(addMenuItem(help, "MNF1", "帮助主题", QKeySequence(Qt::Key_F1)));
    addMenuItem(help, "MNAbout", "关于(&A)", QKeySequence("Ctrl+A"));
}

void MainWindow::createToolBar() {
    Toolbar1 = addToolBar(QString());
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    struct Button {
        const char* key;
        const char* tip;
        ToolbarPicture picture;
    };
    const Button buttons[] = {
        {"TNew", "新建", ToolbarPicture::NewFile},
        {"TOpen", "打开", ToolbarPicture::OpenFile},
        {"TSave", "保存", ToolbarPicture::SaveFile},
        {nullptr, nullptr, {}},
        {"TRead", "读频", ToolbarPicture::ReadRadio},
        {"TWrite", "写频", ToolbarPicture::WriteRadio},
        {"TAnMa", "", ToolbarPicture::Warning},
        {"TDebug", "", ToolbarPicture::Computer},
    };
    for (const Button& b : buttons) {
        if (!b.key) {
            Toolbar1->addSeparator();
            continue;
        }
        QAction* action = Toolbar1->addAction(toolbarIcon(b.picture), QString());
        action->setObjectName(b.key);
        action->setToolTip(QString::fromUtf8(b.tip));
        const QString key = QString::fromLatin1(b.key);
        connect(action, &QAction::triggered, this, [this, key] { onToolbarButton(key); });
    }
    findChild<QAction*>("TAnMa")->setVisible(false);
    findChild<QAction*>("TDebug")->setVisible(false);
}

void MainWindow::createBandBar() {
    QToolBar* band = addToolBar(QString());
    band->setObjectName("CoolBar1");
    band->setMovable(false);

    // The selectors sit at fixed places in the frame; the language moves
    // them. The frame reaches past the port list at its English place.
    auto* frame = new QWidget(band);
    frame->setObjectName("Frame1");
    frame->setFixedSize(312, 28);
    Label1 = new QLabel(QString::fromUtf8("频段:"), frame);
    Label1->setObjectName("Label1");
    Label1->setGeometry(2, 2, 70, 24);
    Combo1 = new editors::BandList(frame);
    Combo1->setObjectName("Combo1");
    Combo1->setGeometry(39, 2, 130, 24);
    ComboCom = new QComboBox(frame);
    ComboCom->setObjectName("ComboCom");
    ComboCom->setGeometry(165, 0, 79, 24);
    ComboCom->hide();
    ComboCom->installEventFilter(this);
    // A choice from the list, even of the port already open, reopens it.
    connect(ComboCom, &QComboBox::activated, this, &MainWindow::onPortChosen);
    band->addWidget(frame);
}

void MainWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QString("Panel%1").arg(i + 1));
        m_panels[i]->setMinimumWidth(110);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        if (i == 0)
            bar->addWidget(m_panels[i], 1);
        else
            bar->addPermanentWidget(m_panels[i]);
    }
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::tickClock);
    m_clock->start();
    tickClock();
}

void MainWindow::tickClock() {
    const QDateTime now = QDateTime::currentDateTime();
    m_panels[1]->setText(now.date().toString("yyyy-MM-dd"));
    m_panels[2]->setText(now.time().toString("HH:mm:ss"));
}

void MainWindow::createEditors() {
    m_bandSelection = new editors::BandSelection(Combo1, Band, this);

    Form1 = new editors::ChannelTable(Band);
    addEditor(Form1)->resize(editors::ChannelTable::initialWindowSize());
    showEditor(Form1);
    Form2 = new editors::DtmfEditor;
    Form3 = new editors::OptionalFeatures(Band);
    Form4 = new editors::PowerLevels;
    Form5 = new editors::FmPresetsEditor;
    for (QWidget* form : std::initializer_list<QWidget*>{Form2, Form3, Form4, Form5})
        addEditor(form);

    const std::pair<const char*, QWidget*> menuItems[] = {
        {"MNModel", Form1}, {"MNDTMF", Form2},  {"MNOption", Form3},
        {"MNDebug", Form4}, {"MNFMset", Form5},
    };
    for (const auto& [name, form] : menuItems)
        connect(findChild<QAction*>(name), &QAction::triggered, this,
                [this, form = form] { showEditor(form); });

    connect(m_bandSelection, &editors::BandSelection::clearChannelsRequested, Form1,
            &editors::ChannelTable::ClearGrid);
    connect(m_bandSelection, &editors::BandSelection::bandCentreChanged, Form3,
            &editors::OptionalFeatures::setVfoFrequencyText);

    m_serviceModes = new ServiceModes(this);
    m_serviceModes->watchLabels(Form3);
    connect(m_serviceModes, &ServiceModes::modeShown, this, &MainWindow::onServiceModeShown);
    addChannelOperations();
}

void MainWindow::addChannelOperations() {
    QMenu* edit = findChild<QMenu*>("MNEdit");
    edit->addSeparator()->setObjectName("MNLine2");
    edit->addActions(Form1->operationActions());
    // They act on the channel table, so they are offered while it is in front.
    auto offer = [this] {
        const bool inFront = m_mdiArea->currentSubWindow() == Form1->parentWidget();
        for (QAction* action : Form1->operationActions())
            action->setEnabled(inFront);
    };
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, offer);
    offer();
}

void MainWindow::loadForm() {
    createEditors();
    for (int port = 1; port <= radiolink::PortCount; ++port)
        ComboCom->addItem(QString::number(port));
    ComboCom->setCurrentIndex(-1);
    ui::ComPortIndex = m_folders.detached ? -1 : readComPortIndex(m_folders.parameterFolder);
    // A stored index the list lacks (255 from a stored -1) selects nothing,
    // opens nothing and stays as it is.
    if (ui::ComPortIndex < radiolink::PortCount) {
        ComboCom->setCurrentIndex(ui::ComPortIndex);
        onPortChosen();
    }
    m_panels[0]->setText("COM: " + ComboCom->currentText());

    // The wheel never changes the band.
    Combo1->installEventFilter(this);
    m_wheelFilterAttached = true;
}

void MainWindow::onToolbarButton(const QString& key) {
    if (key == "TAnMa" || key == "TDebug") {
        m_serviceModes->toolbarButtonClicked(key == "TAnMa" ? ServiceMode::ForceWrite
                                                            : ServiceMode::Debug);
        return;
    }
    if (QAction* item = findChild<QAction*>(key == "TNew"     ? "MNNew"
                                            : key == "TOpen"  ? "MNOpen"
                                            : key == "TSave"  ? "MNSave"
                                            : key == "TRead"  ? "MNRead"
                                            : key == "TWrite" ? "MNWrite"
                                                              : ""))
        item->trigger();
}

void MainWindow::onServiceModeShown(ServiceMode mode, bool on) {
    const bool debug = mode == ServiceMode::Debug;
    findChild<QAction*>(debug ? "TDebug" : "TAnMa")->setVisible(on);
    if (debug)
        Form4->setSlidersEnabled(on);
}

void MainWindow::switchLanguage(int language) {
    ui::UILanguage = language;
    ApplyLanguage(this);
    applyQtTranslations(language);
    Form1->RefreshGrid();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Combo1 && event->type() == QEvent::Wheel)
        return true;
    // The port list is on the bar only until it loses the focus; its own
    // opened entries taking it does not count.
    if (watched == ComboCom && event->type() == QEvent::FocusOut && !ComboCom->view()->isVisible())
        ComboCom->hide();
    return QMainWindow::eventFilter(watched, event);
}

QMdiSubWindow* MainWindow::addEditor(QWidget* form) {
    auto* sub = new EditorSubWindow;
    ui::deferFontFallback(sub); // its title may be Chinese in any language
    sub->setWidget(form);
    sub->setObjectName(form->objectName() + "Window");
    // Ctrl+W is MNWrite's: the child window's own close keeps Ctrl+F4 only,
    // or the two would cancel each other out and neither would run.
    for (QAction* action : sub->systemMenu()->actions())
        if (action->shortcuts().contains(QKeySequence("Ctrl+W")))
            action->setShortcut(QKeySequence("Ctrl+F4"));
    m_mdiArea->addSubWindow(sub);
    sub->hide();
    return sub;
}

void MainWindow::showEditor(QWidget* form) {
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    if (!sub)
        return;
    sub->show();
    form->show();
    m_mdiArea->setActiveSubWindow(sub);
    sub->raise();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ui::showMessage(ui::Msg::QuitConfirm) != ui::MsgOk) {
        event->ignore();
        return;
    }
    unloadForm();
    event->accept();
}

void MainWindow::unloadForm() {
    if (m_wheelFilterAttached) {
        Combo1->removeEventFilter(this);
        m_wheelFilterAttached = false;
    }
    if (m_folders.detached)
        return;
    writeComPortIndex(m_folders.parameterFolder, ui::ComPortIndex);
    SettingsStore(m_folders.settingsFile)
        .SetRegByte(LanguageKey, LanguageValue, QString::number(ui::UILanguage));
    // Only this copy of the program ends; other running copies keep their
    // windows and their unsaved work.
}

} // namespace shell
