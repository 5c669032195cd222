// File > History's window: rows in either language, narrowed by the filter
// box as the user types, sorted by a click on a title, the shown rows (and
// only they) exported as CSV, and the chosen row's backup handed on.
#include "shell/history_window.h"
#include "support/test_registry.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

records::Record historyRow(std::time_t at, const std::string& code, const std::string& result) {
    records::Record record;
    record.at = at;
    record.port = "port 2";
    record.file = "/fleet/security.dat";
    record.band = 3;
    record.values = {{"dtmf.own_code", code}};
    record.result = result;
    record.backup = "/backups/" + code + ".dat";
    return record;
}

std::vector<records::Record> threeRadios() {
    return {historyRow(1796670900, "1001", "verified"),
            historyRow(1796670960, "1002", "partial at block 0x310"),
            historyRow(1796671020, "1003", "verified")};
}

QStringList visibleColumn(const QTableWidget& table, int column) {
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        if (!table.isRowHidden(row))
            texts << table.item(row, column)->text();
    return texts;
}

} // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void titles_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("valuesTitle");
        QTest::newRow("Chinese") << 0 << "写频记录"
                                 << "本机数值";
        QTest::newRow("English") << 1 << "Radios Programmed"
                                 << "Own values";
    }
    void titles() {
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QString, valuesTitle);
        shell::HistoryWindow window(threeRadios(), language);
        QCOMPARE(window.windowTitle(), caption);
        auto* table = window.findChild<QTableWidget*>("TableHistory");
        QCOMPARE(table->horizontalHeaderItem(4)->text(), valuesTitle);
        // Newest first.
        QCOMPARE(visibleColumn(*table, 4),
                 QStringList({"dtmf.own_code=1003", "dtmf.own_code=1002", "dtmf.own_code=1001"}));
    }

    void filter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("a code") << "1002" << QStringList{"dtmf.own_code=1002"};
        QTest::newRow("a result, in other case")
            << "VERIFIED" << QStringList{"dtmf.own_code=1003", "dtmf.own_code=1001"};
        QTest::newRow("nothing matches") << "1017" << QStringList{};
        QTest::newRow("spaces alone filter nothing")
            << "  "
            << QStringList{"dtmf.own_code=1003", "dtmf.own_code=1002", "dtmf.own_code=1001"};
    }
    void filter() {
        QFETCH(QString, typed);
        QFETCH(QStringList, codes);
        shell::HistoryWindow window(threeRadios(), 1);
        auto* table = window.findChild<QTableWidget*>("TableHistory");
        QTest::keyClicks(window.findChild<QLineEdit*>("TextFilter"), typed);
        QCOMPARE(visibleColumn(*table, 4), codes);
        const QStringList csv = window.csvText().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(csv.size(), codes.size() + 1);
        QVERIFY(csv[0].startsWith("Time,Action,Port,Band,Own values,Result,File,Backup"));
        // A row hidden by the filter cannot be opened; the first shown is
        // picked instead.
        auto* open = window.findChild<QPushButton*>("CmdOpen");
        if (codes.isEmpty()) {
            QVERIFY(window.chosenBackup().isEmpty());
            QVERIFY(!open->isEnabled());
        } else {
            QCOMPARE(window.chosenBackup(), "/backups/" + codes.first().section('=', 1) + ".dat");
            QVERIFY(open->isEnabled());
        }
    }

    void sortsByAClickOnATitle() {
        shell::HistoryWindow window(threeRadios(), 1);
        auto* table = window.findChild<QTableWidget*>("TableHistory");
        QHeaderView* header = table->horizontalHeader();
        const QPoint result(header->sectionViewportPosition(5) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, result);
        const QStringList once = visibleColumn(*table, 5);
        QCOMPARE(once.first(), once.first() < once.last() ? once.first() : once.last());
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, result);
        QCOMPARE(visibleColumn(*table, 5).first(), once.last());
    }

    void aFieldWithACommaIsQuoted() {
        std::vector<records::Record> rows{historyRow(1796670900, "1001", "refused: a, b \"c\"")};
        shell::HistoryWindow window(rows, 1);
        QVERIFY(window.csvText().contains(",\"refused: a, b \"\"c\"\"\","));
    }

    void enterOpensTheChosenBackup() {
        shell::HistoryWindow window(threeRadios(), 1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(window.findChild<QTableWidget*>("TableHistory"), Qt::Key_Return);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(window.chosenBackup(), "/backups/1003.dat");
    }
};

TQ_REGISTER_TEST(HistoryWindowTest);
#include "history_window_test.moc"
