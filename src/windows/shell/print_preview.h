#pragma once

#include "print/print_document.h"

#include <QDialog>
#include <QPrinter>
#include <functional>

class QLabel;
class QPrintPreviewWidget;

namespace print {

// FrmPrint, the print preview: the document on the pages of the printer it
// will go to, with print, PDF export, zoom, page turning and close. Every
// view, print and export builds the document anew from `content`.
class PrintPreview : public QDialog {
    Q_OBJECT
  public:
    using Content = std::function<PrintDocument()>;

    explicit PrintPreview(Content content, QWidget* parent = nullptr);

    // The system's print dialog, then the document on the chosen printer.
    void print();
    // A file dialog starting in the PDF folder, then the document as a PDF
    // file there.
    void exportPdf();
    // The document as a PDF at `path`, on the preview's pages; a failure is
    // reported to the user. Returns whether the file was written; a written
    // file's folder becomes the PDF folder.
    bool exportPdfTo(const QString& path);

    // Where the export dialog starts.
    void setPdfFolder(const QString& folder) { m_pdfFolder = folder; }

    int pageCount() const;
    int currentPage() const;

  signals:
    void pdfSaved(const QString& path);

  private:
    void createToolBar();
    void showAccessKeys();
    void showPageNumber();

    Content m_content;
    QPrinter m_printer;
    QPrintPreviewWidget* CurtPrinter1 = nullptr;
    QLabel* m_pageNumber = nullptr;
    QString m_pdfFolder;
};

} // namespace print
