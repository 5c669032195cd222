#include "print/pdf_output.h"
#include "shell/file_commands.h"
#include "shell/print_preview.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"
#include "words/program_flags.h"

#include <QAction>
#include <QImage>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

// The ink of the first two lines of text on a page image, found as bands
// of rows holding dark pixels between `left` and `right`.
QList<int> inkOfFirstTwoLines(const QImage& image, int top, int left, int right) {
    QList<int> lines;
    int ink = 0;
    for (int y = top; y < image.height() && lines.size() < 2; ++y) {
        int row = 0;
        for (int x = left; x < right; ++x)
            row += qGray(image.pixel(x, y)) < 128;
        if (row > 0)
            ink += row;
        else if (ink > 0)
            lines << std::exchange(ink, 0);
    }
    return lines;
}

// How much heavier the first line is drawn than the second.
double weightRatio(const QList<int>& lines) {
    return lines.size() == 2 && lines[1] > 0 ? double(lines[0]) / lines[1] : 0;
}

// A heading above the same text as a plain line of the same size.
print::PrintDocument headingOverBody(const QString& text) {
    print::PrintDocument document;
    document.setTextSize(14);
    document.heading(text);
    document.textLine(text);
    return document;
}

double previewRatio(const print::PrintDocument& document) {
    print::PrintPreview preview([document] { return document; });
    auto* pages = preview.findChild<QPrintPreviewWidget*>("CurtPrinter1");
    pages->setZoomFactor(1.5);
    preview.show();
    if (!QTest::qWaitForWindowExposed(&preview))
        return 0;
    const QImage image = pages->grab().toImage();
    // The sheet is the white run across the middle of the view.
    const int middle = image.height() / 2;
    int left = 0;
    while (left < image.width() && image.pixel(left, middle) != qRgb(255, 255, 255))
        ++left;
    int right = left;
    while (right < image.width() && image.pixel(right, middle) == qRgb(255, 255, 255))
        ++right;
    return weightRatio(inkOfFirstTwoLines(image, 0, left, right));
}

double pdfRatio(const print::PrintDocument& document, const QString& folder) {
    const QString pdf = folder + "/page.pdf";
    if (!print::writePdf(document, pdf).ok())
        return 0;
    QProcess render;
    render.start("pdftoppm", {"-r", "144", "-png", "-singlefile", pdf, folder + "/page"});
    if (!render.waitForFinished(60000))
        return 0;
    const QImage image(folder + "/page.png");
    return weightRatio(inkOfFirstTwoLines(image, 0, 0, image.width()));
}

QToolButton* toolButton(QWidget* preview, const char* action) {
    auto* bar = preview->findChild<QToolBar*>("PreviewBar");
    return qobject_cast<QToolButton*>(bar->widgetForAction(preview->findChild<QAction*>(action)));
}

} // namespace

class PreviewPageTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

  private slots:
    // The preview shows the page the PDF holds: a heading of Chinese glyphs,
    // whose font has no bold cut, is as much heavier than body text in the
    // preview as in the PDF.
    void headingsAreAsBoldAsInThePdf_data() {
        QTest::addColumn<QString>("heading");
        QTest::newRow("function settings") << QString::fromUtf8("功能设置");
        QTest::newRow("VOX") << QString::fromUtf8("VOX(声控发射)");
        QTest::newRow("debug information") << QString::fromUtf8("调试信息");
    }
    void headingsAreAsBoldAsInThePdf() {
        QFETCH(QString, heading);
        const print::PrintDocument document = headingOverBody(heading);
        const double inPdf = pdfRatio(document, m_folder.path());
        const double inPreview = previewRatio(document);
        QVERIFY2(inPdf > 1.15, qPrintable(QString("PDF heading weight %1").arg(inPdf)));
        QVERIFY2(qAbs(inPreview - inPdf) < 0.15 * inPdf,
                 qPrintable(QString("preview %1, PDF %2").arg(inPreview).arg(inPdf)));
    }

    // Export PDF starts in the folder a file was last saved to, a `.dat` or
    // an earlier printout, and not where the process happens to run.
    void pdfDialogStartsWhereTheLastFileWent_data() {
        QTest::addColumn<QString>("saved");
        QTest::newRow("data file") << "dat";
        QTest::newRow("printout") << "pdf";
    }
    void pdfDialogStartsWhereTheLastFileWent() {
        QFETCH(QString, saved);
        ProgramFixture p(1);
        QTemporaryDir elsewhere;
        const QString file = elsewhere.filePath("saved." + saved);
        ScriptedAnswers answers;
        if (saved == "dat") {
            answers.chooseFile(file);
            p.window->fileCommands().Save();
        } else {
            answers.onDialog("FrmPrint", [](QDialog* preview) {
                preview->findChild<QAction*>("PdfButton")->trigger();
            });
            answers.chooseFile(file);
            p.window->findChild<QAction*>("MNPrint")->trigger();
        }
        QVERIFY(QFile::exists(file));
        answers.onDialog("FrmPrint", [](QDialog* preview) {
            preview->findChild<QAction*>("PdfButton")->trigger();
        });
        answers.chooseFile("");
        p.window->findChild<QAction*>("MNPrint")->trigger();
        QVERIFY(answers.done());
        QCOMPARE(answers.fileDialogs().constLast().directory, elsewhere.path());
    }

    // The tool bar's buttons carry their access keys in both languages:
    // shown underlined, and Alt with the key presses the button.
    void toolBarAccessKeys_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("zh") << 0;
        QTest::newRow("en") << 1;
    }
    void toolBarAccessKeys() {
        QFETCH(int, language);
        ui::UILanguage = language;
        print::PrintPreview preview([] { return print::PrintDocument(); });
        QCOMPARE(toolButton(&preview, "PrintButton")->shortcut(),
                 QKeySequence(Qt::ALT | Qt::Key_P));
        QCOMPARE(toolButton(&preview, "PdfButton")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_E));
    }
};

TQ_REGISTER_TEST(PreviewPageTest);
#include "preview_page_test.moc"
