#include "shell/ports_window.h"

#include "shell/read_only_table.h"
#include "ui/apply_language.h"
#include "words/language_text.h"
#include "words/messages.h"
#include "words/ports_window_texts.h"
#include "words/save_failure.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace shell {

namespace {

// Port, device, maker, product, serial number, bound.
constexpr int PortsColumnCount = 6;

QString portsText(int language, const char* control, int index = 0) {
    return ui::languageText(PortsWindowTexts, "FrmPorts", control, ui::TextTarget::Caption, index,
                            language);
}

} // namespace

radiolink::SummaryWords portSummaryWords(int language) {
    return {portsText(language, "SummaryWords", 0), portsText(language, "SummaryWords", 1)};
}

PortsWindow::PortsWindow(const radiolink::PortPlaces& places, radiolink::AdapterList adapters,
                         int language, QWidget* parent)
    : QDialog(parent), m_places(places), m_adapters(std::move(adapters)), m_language(language) {
    setObjectName("FrmPorts");

    TablePorts = new QTableWidget(radiolink::PortCount, PortsColumnCount, this);
    TablePorts->setObjectName("TablePorts");
    // Header items for the language table's titles to land on.
    TablePorts->setHorizontalHeaderLabels(QStringList(PortsColumnCount, QString()));
    makeReadOnlyList(*TablePorts);

    LabelAdapter = new QLabel(this);
    LabelAdapter->setObjectName("LabelAdapter");
    ComboAdapter = new QComboBox(this);
    ComboAdapter->setObjectName("ComboAdapter");
    ComboAdapter->setPlaceholderText(text("NoAdapter"));
    ComboAdapter->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    LabelAdapter->setBuddy(ComboAdapter);

    auto* buttons = new QDialogButtonBox(this);
    CmdBind = addButton(*buttons, "CmdBind", QDialogButtonBox::ActionRole);
    CmdUnbind = addButton(*buttons, "CmdUnbind", QDialogButtonBox::ActionRole);
    CmdRefresh = addButton(*buttons, "CmdRefresh", QDialogButtonBox::ActionRole);
    CmdClose = addButton(*buttons, "CmdClose", QDialogButtonBox::RejectRole);
    // Enter closes; a binding is made only by its own button.
    for (QPushButton* button : {CmdBind, CmdUnbind, CmdRefresh})
        button->setAutoDefault(false);
    CmdClose->setDefault(true);
    connect(CmdBind, &QPushButton::clicked, this, &PortsWindow::bindChosen);
    connect(CmdUnbind, &QPushButton::clicked, this, &PortsWindow::unbindChosen);
    connect(CmdRefresh, &QPushButton::clicked, this, &PortsWindow::refresh);
    connect(CmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(TablePorts, &QTableWidget::itemSelectionChanged, this, [this] {
        // The adapter a port reaches now is the one it is most often bound to.
        if (const radiolink::PortDescription* port = chosenDescription(); port && port->adapter)
            if (const int at = ComboAdapter->findData(port->adapter->serialNumber); at >= 0)
                ComboAdapter->setCurrentIndex(at);
        updateButtons();
    });
    connect(ComboAdapter, &QComboBox::currentIndexChanged, this, &PortsWindow::updateButtons);

    auto* adapterRow = new QHBoxLayout;
    adapterRow->addWidget(LabelAdapter);
    adapterRow->addWidget(ComboAdapter, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TablePorts, 1);
    layout->addLayout(adapterRow);
    layout->addWidget(buttons);
    ui::applyLanguageTable(this, PortsWindowTexts, language);

    refresh();
    TablePorts->selectRow(0);
    TablePorts->setFocus(Qt::OtherFocusReason);
}

QString PortsWindow::text(const char* control, int index) const {
    return portsText(m_language, control, index);
}

int PortsWindow::chosenPort() const {
    const QList<QTableWidgetItem*> picked = TablePorts->selectedItems();
    return picked.isEmpty() ? 0 : picked.first()->row() + 1;
}

const radiolink::PortDescription* PortsWindow::chosenDescription() const {
    const int port = chosenPort();
    return port ? &m_ports[std::size_t(port - 1)] : nullptr;
}

void PortsWindow::refresh() {
    // One look at what is plugged in, for the table and the adapter list alike.
    const std::vector<radiolink::SerialAdapter> plugged = m_adapters();
    m_ports = radiolink::describePorts(m_places, [&] { return plugged; });
    const radiolink::SummaryWords words = portSummaryWords(m_language);
    for (const radiolink::PortDescription& port : m_ports) {
        const radiolink::SerialAdapter adapter = port.adapter.value_or(radiolink::SerialAdapter{});
        const QString cells[PortsColumnCount] = {QString::number(port.number),
                                                 port.present ? port.device
                                                              : port.device + " " + words.absent,
                                                 adapter.maker,
                                                 adapter.product,
                                                 adapter.serialNumber,
                                                 port.bound ? text("BoundCell") : QString()};
        for (int column = 0; column < PortsColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (!port.present)
                item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
            TablePorts->setItem(port.number - 1, column, item);
        }
    }

    fitTableToTexts(*TablePorts);
    // Every port and column in view, without scrolling, after each refresh
    // too: an adapter plugged in since widens its columns.
    TablePorts->setMinimumSize(fittedWidth(*TablePorts) + 2 * TablePorts->frameWidth() +
                                   TablePorts->verticalScrollBar()->sizeHint().width(),
                               TablePorts->horizontalHeader()->sizeHint().height() +
                                   TablePorts->verticalHeader()->length() +
                                   2 * TablePorts->frameWidth());

    // Only an adapter with a serial number can be told from another.
    const QString chosen = ComboAdapter->currentData().toString();
    ComboAdapter->clear();
    for (const radiolink::SerialAdapter& adapter : plugged)
        if (!adapter.serialNumber.isEmpty())
            ComboAdapter->addItem(radiolink::adapterSummary(adapter, words) + " (" +
                                      adapter.device + ")",
                                  adapter.serialNumber);
    ComboAdapter->setCurrentIndex(ComboAdapter->findData(chosen));
    if (ComboAdapter->currentIndex() < 0 && ComboAdapter->count() > 0)
        ComboAdapter->setCurrentIndex(0);
    updateButtons();
}

void PortsWindow::updateButtons() {
    const radiolink::PortDescription* port = chosenDescription();
    CmdBind->setEnabled(port && ComboAdapter->currentIndex() >= 0);
    CmdUnbind->setEnabled(port && port->bound);
}

void PortsWindow::bindChosen() {
    const int port = chosenPort();
    if (!port || ComboAdapter->currentIndex() < 0)
        return;
    report(port,
           radiolink::bindPort(port, ComboAdapter->currentData().toString(), m_places, m_adapters));
}

void PortsWindow::unbindChosen() {
    if (const radiolink::PortDescription* port = chosenDescription(); port && port->bound)
        report(port->number, radiolink::unbindPort(port->number, m_places));
}

void PortsWindow::report(int port, const radiolink::BindResult& result) {
    if (result.ok())
        emit bindingChanged(port);
    else
        ui::showMessage(
            ui::Msg::PortBindingFailed,
            {QString::number(port), text("BindFailure", int(result.failure))
                                        .arg(ui::shownFileName(result.subject),
                                             result.failure == radiolink::BindFailure::NoStableName
                                                 ? QString(radiolink::StableNameFolder)
                                                 : ui::systemReason(result.systemError))});
    refresh();
    TablePorts->setFocus(Qt::OtherFocusReason);
}

} // namespace shell
