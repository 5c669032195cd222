#pragma once

#include "exchange/import_report.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace editors {

class ImportReportView;

// FrmImportPreview: what an import would do, before it is done. The report
// is worked out again whenever the renumber box changes; Import accepts,
// Cancel and Escape reject. Import is offered only while a row would be taken.
class ImportPreviewDialog : public QDialog {
    Q_OBJECT
  public:
    // The report of the import with the rows renumbered or not, done on a
    // copy of the table; it lives as long as the dialog.
    using Preview = std::function<const exchange::ImportReport&(bool renumber)>;

    explicit ImportPreviewDialog(Preview preview, QWidget* parent = nullptr);

    bool renumber() const;

  private:
    void refresh();

    Preview m_preview;
    QLabel* LabelPreview = nullptr;
    ImportReportView* m_report = nullptr;
    QCheckBox* CheckRenumber = nullptr;
    QPushButton* CmdImport = nullptr;
};

} // namespace editors
