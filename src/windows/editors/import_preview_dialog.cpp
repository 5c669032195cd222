#include "editors/import_preview_dialog.h"

#include "editors/import_report_view.h"
#include "ui/apply_language.h"
#include "words/editor_texts.h"
#include "words/program_flags.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace editors {

ImportPreviewDialog::ImportPreviewDialog(Preview preview, QWidget* parent)
    : QDialog(parent), m_preview(std::move(preview)) {
    setObjectName("FrmImportPreview");
    LabelPreview = new QLabel(this);
    LabelPreview->setObjectName("LabelPreview");
    m_report = new ImportReportView(this);
    CheckRenumber = new QCheckBox(this);
    CheckRenumber->setObjectName("CheckRenumber");

    auto* buttons = new QDialogButtonBox(this);
    CmdImport = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    CmdImport->setObjectName("CmdImport");
    CmdImport->setDefault(true);
    QPushButton* cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    cancel->setObjectName("CmdCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(CheckRenumber, &QCheckBox::toggled, this, &ImportPreviewDialog::refresh);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelPreview);
    layout->addWidget(m_report, 1);
    layout->addWidget(CheckRenumber);
    layout->addWidget(buttons);
    ui::applyLanguageTable(this, ImportReportTexts, ui::UILanguage);
    refresh();
    m_report->setFocus();
}

bool ImportPreviewDialog::renumber() const {
    return CheckRenumber->isChecked();
}

void ImportPreviewDialog::refresh() {
    const exchange::ImportReport& report = m_preview(renumber());
    m_report->showReport(report);
    // A file read only up to a quote that never closes is not imported, as
    // the command line imports none of it: its rows may be cut anywhere.
    CmdImport->setEnabled(report.unclosedQuoteLine == 0 && report.importedCount() > 0);
}

} // namespace editors
