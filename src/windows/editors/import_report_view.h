#pragma once

#include "exchange/import_report.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace editors {

// The report of an import or a paste, in the language in force: one line
// per row of what became of it (text that can be selected and copied), the
// line on rows that could not be read, then a summary of the counts and the
// note on columns that were not kept.
class ImportReportView : public QWidget {
    Q_OBJECT
  public:
    explicit ImportReportView(QWidget* parent = nullptr);

    void showReport(const exchange::ImportReport& report);

  private:
    QLabel* m_summary = nullptr;
    QPlainTextEdit* m_rows = nullptr;
    QLabel* m_note = nullptr;
};

// FrmImportReport: the report on its own, modal; its button, Enter and
// Escape close it.
void showImportReport(QWidget* parent, const exchange::ImportReport& report);

} // namespace editors
