#include "editors/import_report_view.h"
#include "exchange/channel_csv.h"
#include "support/scripted_answers.h"
#include "support/test_registry.h"
#include "words/program_flags.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>

namespace {

exchange::ImportReport someReport() {
    image::ChannelTableValues table;
    return exchange::importChannels("Location,Frequency,Name\n1,446,Home\n2,146,\n", {}, {}, table);
}

} // namespace

// The report as the paste and the import show it on its own.
class ImportReportTest : public QObject {
    Q_OBJECT
  private slots:
    void reportAloneSpeaksAndCloses_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("copied");
        QTest::newRow("en, Enter") << 1 << int(Qt::Key_Return) << "Import report"
                                   << "line 2: channel 1 imported\n"
                                      "line 3: skipped: receive frequency 146 lies outside the "
                                      "band 400-480 MHz";
        QTest::newRow("zh, Escape") << 0 << int(Qt::Key_Escape) << "导入报告"
                                    << "第 2 行：信道 1 已导入\n"
                                       "第 3 行：已跳过：接收频率 146 超出频段 400-480 MHz";
    }
    void reportAloneSpeaksAndCloses() {
        QFETCH(int, language);
        QFETCH(int, key);
        QFETCH(QString, title);
        QFETCH(QString, copied);
        ui::UILanguage = language;
        QGuiApplication::clipboard()->clear();
        QString seenTitle;
        bool closedByKey = false;
        ScriptedAnswers answers;
        answers.onDialog("FrmImportReport", [&](QDialog* dialog) {
            seenTitle = dialog->windowTitle();
            // The lines are there to be copied, with the keys a user knows.
            auto* rows = dialog->findChild<QPlainTextEdit*>("TextRows");
            QTest::keyClick(rows, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(rows, Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(dialog->focusWidget(), Qt::Key(key));
            closedByKey = !dialog->isVisible();
        });
        editors::showImportReport(nullptr, someReport());
        QCOMPARE(seenTitle, title);
        QVERIFY(closedByKey);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }
};

TQ_REGISTER_TEST(ImportReportTest);
#include "import_report_test.moc"
