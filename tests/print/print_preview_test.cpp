#include "editors/optional_features.h"
#include "shell/file_commands.h"
#include "shell/print_preview.h"
#include "shell/settings_store.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"

#include <QAction>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <functional>

namespace {

void trigger(QWidget* window, const char* action) {
    window->findChild<QAction*>(action)->trigger();
}

} // namespace

class PrintPreviewTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

  private slots:
    // MNPrint: the modal preview over the document, the grid held still
    // while it shows and repainting again after.
    void menuOpensTheModalPreview_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("nextPage");
        QTest::newRow("zh") << 0 << QString::fromUtf8("下一页");
        QTest::newRow("en") << 1 << "Next Page";
    }
    void menuOpensTheModalPreview() {
        QFETCH(int, language);
        QFETCH(QString, nextPage);
        ProgramFixture p(language);
        QVERIFY(p.window->fileCommands().openFile(TQ_TEST_DATA "/full_image_band0.dat") ==
                files::FileError::None);
        ScriptedAnswers answers;
        answers.onDialog("FrmPrint", [&](QDialog* preview) {
            QCOMPARE(preview->windowTitle(), QString::fromUtf8("TQ305sys打印预览"));
            QVERIFY(preview->isModal());
            QVERIFY(!p.grid->updatesEnabled());
            auto* frm = static_cast<print::PrintPreview*>(preview);
            QCOMPARE(frm->pageCount(), 4);
            QCOMPARE(frm->currentPage(), 1);
            QAction* next = preview->findChild<QAction*>("NextPageButton");
            QCOMPARE(next->text(), nextPage);
            next->trigger();
            QCOMPARE(frm->currentPage(), 2);
            trigger(preview, "LastPageButton");
            QCOMPARE(frm->currentPage(), 4);
            QCOMPARE(preview->findChild<QLabel*>("PageNumber")->text(), "4 / 4");
            trigger(preview, "FirstPageButton");
            QCOMPARE(frm->currentPage(), 1);
            auto* widget = preview->findChild<QPrintPreviewWidget*>("CurtPrinter1");
            const qreal zoom = widget->zoomFactor();
            trigger(preview, "ZoomInButton");
            QVERIFY(widget->zoomFactor() > zoom);
        });
        trigger(p.window.get(), "MNPrint");
        QVERIFY(answers.done());
        QVERIFY(p.grid->updatesEnabled());
    }

    // Print builds the document again: what changed since the preview opened
    // is on the paper. The system's dialog is answered with a PDF printer.
    void printBuildsTheDocumentAgain() {
        ProgramFixture p(1);
        const QString pdf = m_folder.filePath("printed.pdf");
        ScriptedAnswers answers;
        answers.onDialog("FrmPrint", [&](QDialog* preview) {
            p.window->optionalFeatures()->setPresentChannelText("77");
            trigger(preview, "PrintButton");
        });
        answers.onDialog("QPrintDialog", [&](QDialog* dialog) {
            auto* printDialog = static_cast<QPrintDialog*>(dialog);
            printDialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            printDialog->printer()->setOutputFileName(pdf);
            dialog->done(QDialog::Accepted);
        });
        trigger(p.window.get(), "MNPrint");
        QVERIFY(answers.done());
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(60000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput())
                    .contains(QRegularExpression("Present Channel:\\s+77")));
    }

    // Export: the PDF goes where the dialog says; a place that cannot take
    // it is reported and nothing is claimed.
    void exportToPdf() {
        ProgramFixture p(1);
        const QString pdf = m_folder.filePath("printout.pdf");
        ScriptedAnswers answers;
        answers.onDialog("FrmPrint", [&](QDialog* preview) {
            trigger(preview, "PdfButton");
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.read(5) == "%PDF-");

            QVERIFY(!static_cast<print::PrintPreview*>(preview)->exportPdfTo(
                m_folder.filePath("missing/printout.pdf")));
            QVERIFY(answers.box(0).text.contains("printout.pdf"));
        });
        answers.chooseFile(pdf).press("OK");
        trigger(p.window.get(), "MNPrint");
        QVERIFY(answers.done());
        // The next run of the program starts its PDF dialog there.
        QCOMPARE(shell::loadPdfFolder(p.window->folders().settingsFile), m_folder.path());
    }
};

TQ_REGISTER_TEST(PrintPreviewTest);
#include "print_preview_test.moc"
