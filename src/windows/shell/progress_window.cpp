#include "shell/progress_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label1(new QLabel(this)), ProgressBar1(new QProgressBar(this)),
      CancelButton(new QPushButton(this)) {
    setObjectName("FrmWriting");
    Label1->setObjectName("Label1");
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    CancelButton->setObjectName("CancelButton");
    // Enter must not end a transfer by accident: only a click or Escape.
    CancelButton->setAutoDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, &ProgressWindow::cancelRequested);
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);
    setFixedSize(400, 132);
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

// Escape: the same as the Cancel button.
void ProgressWindow::reject() {
    if (isVisible())
        emit cancelRequested();
}

} // namespace shell
