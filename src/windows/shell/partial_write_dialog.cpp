#include "shell/partial_write_dialog.h"

#include "ui/apply_language.h"
#include "words/messages.h"
#include "words/program_flags.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace shell {

PartialWriteDialog::PartialWriteDialog(QWidget* parent, const PartialWrite& where,
                                       bool backupAvailable)
    : QDialog(parent) {
    setObjectName("FrmPartialWrite");
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(ui::messageTitle(ui::Msg::PartialWrite));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(this);
    text->setObjectName("Label1");
    text->setText(
        ui::messageText(ui::Msg::PartialWrite,
                        {ui::blockAddressText(where.lastBlock), QString::number(where.blocksSent),
                         QString::number(where.blockCount), partialCauseText(where.cause)}));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* message = new QHBoxLayout;
    message->setSpacing(14);
    message->addWidget(icon);
    message->addWidget(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addChoice("WriteAgainButton", PartialWriteChoice::WriteAgain);
    QPushButton* restore = addChoice("RestoreButton", PartialWriteChoice::RestoreBackup);
    restore->setVisible(backupAvailable);
    QPushButton* close = addChoice("CloseButton", PartialWriteChoice::Close);
    for (QPushButton* button : findChildren<QPushButton*>())
        buttons->addWidget(button);
    // A mix is in the radio whatever the user does next: nothing is chosen
    // by a stray Enter.
    close->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(16);
    layout->addLayout(message);
    layout->addLayout(buttons);
    ui::applyLanguageTable(this, PartialWriteDialogTexts, ui::UILanguage);
    setFixedSize(sizeHint());
}

QPushButton* PartialWriteDialog::addChoice(const char* name, PartialWriteChoice choice) {
    auto* button = new QPushButton(this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, choice] {
        m_choice = choice;
        accept();
    });
    return button;
}

PartialWriteChoice PartialWriteDialog::ask(QWidget* parent, const PartialWrite& where,
                                           bool backupAvailable) {
    PartialWriteDialog dialog(parent, where, backupAvailable);
    dialog.exec();
    return dialog.choice();
}

} // namespace shell
