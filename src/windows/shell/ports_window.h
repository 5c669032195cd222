#pragma once

#include "platform/port_adapters.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace shell {

// FrmPorts: what each port number reaches (device, maker, product, serial
// number, whether it is bound), and binding the chosen port to one of the
// adapters plugged in, or unbinding it. Adapters come and go: the list is
// read again after each change and by Refresh.
class PortsWindow : public QDialog {
    Q_OBJECT
  public:
    PortsWindow(const radiolink::PortPlaces& places, radiolink::AdapterList adapters, int language,
                QWidget* parent = nullptr);

    // The port number of the row picked; 0 for none.
    int chosenPort() const;

  signals:
    // The port's link was made or removed: it leads elsewhere from its next open.
    void bindingChanged(int port);

  private:
    const radiolink::PortDescription* chosenDescription() const;
    void refresh();
    void bindChosen();
    void unbindChosen();
    void updateButtons();
    void report(int port, const radiolink::BindResult& result);
    QString text(const char* control, int index = 0) const;

    radiolink::PortPlaces m_places;
    radiolink::AdapterList m_adapters;
    int m_language;
    std::vector<radiolink::PortDescription> m_ports;
    QTableWidget* TablePorts = nullptr;
    QLabel* LabelAdapter = nullptr;
    QComboBox* ComboAdapter = nullptr;
    QPushButton* CmdBind = nullptr;
    QPushButton* CmdUnbind = nullptr;
    QPushButton* CmdRefresh = nullptr;
    QPushButton* CmdClose = nullptr;
};

// The summary words of `language` (0 Chinese, 1 English).
radiolink::SummaryWords portSummaryWords(int language);

} // namespace shell
