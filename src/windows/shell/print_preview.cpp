#include "shell/print_preview.h"

#include "print/pdf_output.h"
#include "print/print_layout.h"
#include "ui/apply_language.h"
#include "words/print_preview_texts.h"
#include "words/program_flags.h"
#include "words/program_info.h"
#include "words/save_failure.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace print {

namespace {

constexpr double ZoomStep = 1.25;

} // namespace

PrintPreview::PrintPreview(Content content, QWidget* parent)
    : QDialog(parent), m_content(std::move(content)), m_printer(QPrinter::HighResolution) {
    setObjectName("FrmPrint");
    setWindowTitle(QString::fromUtf8(ui::ProgramName) + QString::fromUtf8("打印预览"));
    setModal(true);
    m_printer.setPageLayout(defaultPageLayout());

    CurtPrinter1 = new QPrintPreviewWidget(&m_printer, this);
    CurtPrinter1->setObjectName("CurtPrinter1");
    CurtPrinter1->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(CurtPrinter1, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        const PrintDocument document = m_content();
        printer->setDocName(document.title());
        printDocument(document, *printer);
    });
    // Scrolling turns pages too: the number follows every change.
    connect(CurtPrinter1, &QPrintPreviewWidget::previewChanged, this,
            &PrintPreview::showPageNumber);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createToolBar();
    layout->addWidget(findChild<QToolBar*>("PreviewBar"));
    layout->addWidget(CurtPrinter1, 1);
    ui::applyLanguageTable(this, PrintPreviewTexts, ui::UILanguage);
    showAccessKeys();

    const QSize available = screen() ? screen()->availableSize() : QSize(1024, 768);
    resize(std::min(980, available.width() * 9 / 10), available.height() * 9 / 10);
    CurtPrinter1->setFocus();
}

void PrintPreview::createToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName("PreviewBar");
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto add = [&](const char* name, const QKeySequence& key, auto slot) {
        QAction* action = bar->addAction(QString());
        action->setObjectName(name);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        // Turning a page by command does not count as a change of the preview.
        connect(action, &QAction::triggered, this, &PrintPreview::showPageNumber);
        return action;
    };
    add("PrintButton", QKeySequence::Print, [this] { print(); });
    add("PdfButton", QKeySequence("Ctrl+E"), [this] { exportPdf(); });
    bar->addSeparator();
    add("ZoomInButton", QKeySequence::ZoomIn, [this] { CurtPrinter1->zoomIn(ZoomStep); });
    add("ZoomOutButton", QKeySequence::ZoomOut, [this] { CurtPrinter1->zoomOut(ZoomStep); });
    add("FitWidthButton", QKeySequence(), [this] { CurtPrinter1->fitToWidth(); });
    add("FitPageButton", QKeySequence(), [this] { CurtPrinter1->fitInView(); });
    bar->addSeparator();
    add("FirstPageButton", QKeySequence(Qt::CTRL | Qt::Key_Home),
        [this] { CurtPrinter1->setCurrentPage(1); });
    add("PreviousPageButton", QKeySequence(Qt::Key_PageUp),
        [this] { CurtPrinter1->setCurrentPage(currentPage() - 1); });
    m_pageNumber = new QLabel(bar);
    m_pageNumber->setObjectName("PageNumber");
    m_pageNumber->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_pageNumber);
    add("NextPageButton", QKeySequence(Qt::Key_PageDown),
        [this] { CurtPrinter1->setCurrentPage(currentPage() + 1); });
    add("LastPageButton", QKeySequence(Qt::CTRL | Qt::Key_End),
        [this] { CurtPrinter1->setCurrentPage(pageCount()); });
    bar->addSeparator();
    add("CloseButton", QKeySequence(), [this] { reject(); });
}

void PrintPreview::showAccessKeys() {
    // A tool button shows its action's icon text, which drops the '&' of an
    // access key unless it is given explicitly: then the button shows the key
    // underlined and Alt with it presses the button.
    for (QAction* action : findChild<QToolBar*>("PreviewBar")->actions())
        if (action->text().contains('&'))
            action->setIconText(action->text());
}

void PrintPreview::showPageNumber() {
    m_pageNumber->setText(QString("%1 / %2").arg(currentPage()).arg(pageCount()));
}

int PrintPreview::pageCount() const {
    return CurtPrinter1->pageCount();
}

int PrintPreview::currentPage() const {
    return CurtPrinter1->currentPage();
}

void PrintPreview::print() {
    QPrintDialog dialog(&m_printer, this);
    dialog.setObjectName("PrintDialog");
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PrintDocument document = m_content();
    m_printer.setDocName(document.title());
    printDocument(document, m_printer);
    // The dialog may have changed the paper: the preview shows what was printed.
    CurtPrinter1->updatePreview();
}

void PrintPreview::exportPdf() {
    QFileDialog dialog(this);
    dialog.setObjectName("PdfDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({"PDF (*.pdf)"});
    dialog.setDefaultSuffix("pdf");
    dialog.setDirectory(m_pdfFolder);
    dialog.selectFile(QString::fromUtf8(ui::ProgramName) + ".pdf");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        exportPdfTo(dialog.selectedFiles().constFirst());
}

bool PrintPreview::exportPdfTo(const QString& path) {
    const files::WriteResult written = writePdf(m_content(), path, m_printer.pageLayout());
    ui::reportSaveFailure(path, written);
    if (!written.ok())
        return false;
    m_pdfFolder = QFileInfo(path).absolutePath();
    emit pdfSaved(path);
    return true;
}

} // namespace print
