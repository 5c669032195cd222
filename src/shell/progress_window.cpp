#include "shell/progress_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace shell {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label1(new QLabel(this)), ProgressBar1(new QProgressBar(this)) {
    setObjectName("FrmWriting");
    Label1->setObjectName("Label1");
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 18);
    layout->setSpacing(10);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    setFixedSize(380, 96);
}

void ProgressWindow::setValue(int value) {
    if (value >= ProgressBar1->minimum() && value <= ProgressBar1->maximum())
        ProgressBar1->setValue(value);
}

void ProgressWindow::finish() {
    hide();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void ProgressWindow::reject() {}

} // namespace shell
