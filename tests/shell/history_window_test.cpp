// File > History's window: rows in either language, narrowed by the filter
// box as the user types, sorted by a click on a title, the shown rows (and
// only they) exported as CSV, the chosen row's backup handed on (never one
// that is gone), rows deleted from the history, their backups then left
// to the backup cap, and a job's radios shown by its name and reported.
#include "files/backup_store.h"
#include "platform/history_file.h"
#include "records/write_result.h"
#include "shell/history_window.h"
#include "support/scripted_answers.h"
#include "support/test_images.h"
#include "support/test_registry.h"
#include "support/type_text.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Where the rows' backups are; "1001.dat" ... "1003.dat" exist, other
// codes' backups do not.
const QTemporaryDir& backupsDir() {
    static const QTemporaryDir dir;
    return dir;
}

std::string backupOf(const std::string& code) {
    return backupsDir().filePath(QString::fromStdString(code) + ".dat").toStdString();
}

records::Record historyRow(std::time_t at, const std::string& code, const std::string& result) {
    records::Record record;
    record.at = at;
    record.port = "port 2";
    record.file = "/fleet/security.dat";
    record.band = 3;
    record.values = {{"dtmf.own_code", code}};
    record.result = result;
    record.backup = backupOf(code);
    return record;
}

// A database of its own holding `rows`.
std::unique_ptr<records::History> historyOf(std::vector<records::Record> rows) {
    static int made = 0;
    std::string error;
    auto history = records::History::open(
        backupsDir().filePath(QString("history%1.sqlite").arg(++made)).toStdString(), error);
    for (records::Record& row : rows)
        if (!history->add(row))
            qWarning("not added: %s", history->lastError().c_str());
    return history;
}

std::vector<records::Record> threeRadios() {
    return {historyRow(1796670900, "1001", "verified"),
            historyRow(1796670960, "1002", "partial at block 0x310"),
            historyRow(1796671020, "1003", "verified")};
}

QStringList visibleColumn(const QTableView& table, int column) {
    QStringList texts;
    for (int row = 0; row < table.model()->rowCount(); ++row)
        texts << table.model()->index(row, column).data().toString();
    return texts;
}

} // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        for (const char* code : {"1001", "1002", "1003"}) {
            QFile backup(QString::fromStdString(backupOf(code)));
            QVERIFY(backup.open(QIODevice::WriteOnly));
        }
    }

    void titles_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("valuesTitle");
        QTest::newRow("Chinese") << 0 << "写频记录"
                                 << "本机数值";
        QTest::newRow("English") << 1 << "History"
                                 << "Own values";
    }
    void titles() {
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QString, valuesTitle);
        shell::HistoryWindow window(historyOf(threeRadios()), language);
        QCOMPARE(window.windowTitle(), caption);
        auto* table = window.findChild<QTableView*>("TableHistory");
        QCOMPARE(table->model()->headerData(4, Qt::Horizontal).toString(), valuesTitle);
        // Newest first.
        QCOMPARE(visibleColumn(*table, 4),
                 QStringList({"dtmf.own_code=1003", "dtmf.own_code=1002", "dtmf.own_code=1001"}));
    }

    // The filter looks through the texts as the rows show them, in the
    // window's language, and follows each key, Backspace too.
    void filter_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("backspaces");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("chosen"); // the code of the row Enter opens
        const QStringList all{"dtmf.own_code=1003", "dtmf.own_code=1002", "dtmf.own_code=1001"};
        const QStringList verified{"dtmf.own_code=1003", "dtmf.own_code=1001"};
        QTest::newRow("a code") << 1 << "1002" << 0 << QStringList{"dtmf.own_code=1002"} << "1002";
        QTest::newRow("a result, in other case") << 1 << "VERIFIED" << 0 << verified << "1003";
        QTest::newRow("a result as the Chinese window shows it")
            << 0 << "校验无误" << 0 << verified << "1003";
        QTest::newRow("the port as shown") << 1 << "port 2" << 0 << all << "1003";
        QTest::newRow("nothing matches") << 1 << "1017" << 0 << QStringList{} << "";
        QTest::newRow("typed past a code, then taken back")
            << 1 << "10027" << 1 << QStringList{"dtmf.own_code=1002"} << "1002";
        // The row picked on the way stays picked.
        QTest::newRow("all taken back") << 1 << "1002" << 4 << all << "1002";
        QTest::newRow("spaces alone filter nothing") << 1 << "  " << 0 << all << "1003";
    }
    void filter() {
        QFETCH(int, language);
        QFETCH(QString, typed);
        QFETCH(int, backspaces);
        QFETCH(QStringList, codes);
        QFETCH(QString, chosen);
        shell::HistoryWindow window(historyOf(threeRadios()), language);
        auto* table = window.findChild<QTableView*>("TableHistory");
        // Typed at once, into whatever has the keys when the window opens.
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        typeText(QApplication::focusWidget(), typed);
        for (int n = 0; n < backspaces; ++n)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QCOMPARE(visibleColumn(*table, 4), codes);
        const QStringList csv = window.csvText().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(csv.size(), codes.size() + 1);
        if (language == 1)
            QVERIFY(csv[0].startsWith("Time,Action,Port,Band,Own values,Result,File,Backup"));
        // A row hidden by the filter cannot be opened; the first shown is
        // picked instead.
        auto* open = window.findChild<QPushButton*>("CmdOpen");
        QCOMPARE(window.chosenBackup(),
                 chosen.isEmpty() ? QString()
                                  : QString::fromStdString(backupOf(chosen.toStdString())));
        QCOMPARE(open->isEnabled(), !chosen.isEmpty());
    }

    void sortsByAClickOnATitle() {
        shell::HistoryWindow window(historyOf(threeRadios()), 1);
        auto* table = window.findChild<QTableView*>("TableHistory");
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
        shell::HistoryWindow window(historyOf(rows), 1);
        QVERIFY(window.csvText().contains(",\"refused: a, b \"\"c\"\"\","));
    }

    void enterOpensTheChosenBackup() {
        shell::HistoryWindow window(historyOf(threeRadios()), 1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(window.findChild<QTableView*>("TableHistory"), Qt::Key_Return);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(window.chosenBackup(), QString::fromStdString(backupOf("1003")));
    }

    // Results are kept in English; a window in Chinese shows them in
    // Chinese, whatever came of the write, and leaves block addresses and
    // texts it does not know as they are.
    void actionsAndResultsInBothLanguages_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("result");
        using radiolink::SafeWriteOutcome;
        using radiolink::SafeWriteReason;
        const auto written = [](SafeWriteOutcome outcome, SafeWriteReason reason,
                                std::optional<std::uint16_t> block = {},
                                std::vector<std::uint16_t> differing = {}) {
            radiolink::SafeWriteResult result;
            result.outcome = outcome;
            result.reason = reason;
            result.lastBlockSent = block;
            result.differingBlocks = std::move(differing);
            return QString::fromStdString(records::writeResultText(result));
        };
        const int read = int(records::Action::Read), write = int(records::Action::Write),
                  restore = int(records::Action::Restore), verify = int(records::Action::Verify);
        QTest::newRow("verified") << 0 << write
                                  << written(SafeWriteOutcome::Verified, SafeWriteReason::None)
                                  << "写频"
                                  << "校验无误";
        QTest::newRow("restored, line lost in the verify")
            << 0 << restore << written(SafeWriteOutcome::Written, SafeWriteReason::LineLost)
            << "恢复"
            << "已写入，未校验：连线中断";
        QTest::newRow("band refused")
            << 0 << write << written(SafeWriteOutcome::NothingWritten, SafeWriteReason::BandRefused)
            << "写频"
            << "拒绝写入：频段不符";
        QTest::newRow("partial, cancelled")
            << 0 << write << written(SafeWriteOutcome::Partial, SafeWriteReason::Cancelled, 0x310)
            << "写频"
            << "写入中断于数据块 0x310：已取消";
        QTest::newRow("verify failed")
            << 0 << verify
            << written(SafeWriteOutcome::VerifyFailed, SafeWriteReason::None, {}, {0x000, 0x7F0})
            << "校验"
            << "校验失败：0x000, 0x7F0";
        QTest::newRow("backup failed")
            << 0 << write << written(SafeWriteOutcome::BackupFailed, SafeWriteReason::LinkFailed)
            << "写频"
            << "未写入：备份失败：对讲机未正确应答";
        QTest::newRow("read") << 0 << read << QString::fromStdString(records::readResultText())
                              << "读频"
                              << "已读频";
        QTest::newRow("a later version's words") << 0 << write << "skipped: radio asleep"
                                                 << "写频"
                                                 << "skipped：radio asleep";
        QTest::newRow("English as stored")
            << 1 << write << written(SafeWriteOutcome::Partial, SafeWriteReason::Cancelled, 0x310)
            << "write"
            << "partial at block 0x310: cancelled";
    }
    void actionsAndResultsInBothLanguages() {
        QFETCH(int, language);
        QFETCH(int, kind);
        QFETCH(QString, stored);
        QFETCH(QString, result);
        records::Record record = historyRow(1796670900, "1001", stored.toStdString());
        record.action = records::Action(kind);
        shell::HistoryWindow window(historyOf({record}), language);
        const auto* table = window.findChild<QTableView*>("TableHistory");
        QTEST(table->model()->index(0, 1).data().toString(), "action");
        QCOMPARE(table->model()->index(0, 5).data().toString(), result);
    }

    // A row whose backup is gone says so and offers neither Open nor
    // Restore; Enter then opens nothing.
    void aMissingBackupIsNotOffered_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("noBackup");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("note");
        QTest::newRow("there") << 1 << "1001" << false << true << "";
        QTest::newRow("gone") << 1 << "1017" << false << false
                              << "This record's backup is missing: %1";
        QTest::newRow("gone, Chinese")
            << 0 << "1017" << false << false << "此记录的备份已不存在：%1";
        QTest::newRow("a read takes none") << 1 << "1001" << true << false << "";
    }
    void aMissingBackupIsNotOffered() {
        QFETCH(int, language);
        QFETCH(QString, code);
        QFETCH(bool, noBackup);
        QFETCH(bool, offered);
        QFETCH(QString, note);
        records::Record record = historyRow(1796670900, code.toStdString(), "verified");
        if (noBackup)
            record.backup.clear();
        shell::HistoryWindow window(historyOf({record}), language);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.findChild<QPushButton*>("CmdOpen")->isEnabled(), offered);
        QCOMPARE(window.findChild<QPushButton*>("CmdRestore")->isEnabled(), offered);
        QCOMPARE(window.findChild<QLabel*>("LabelBackup")->text(),
                 note.isEmpty() ? note : note.arg(QString::fromStdString(record.backup)));
        QTest::keyClick(window.findChild<QTableView*>("TableHistory"), Qt::Key_Return);
        QCOMPARE(window.isVisible(), !offered);
    }

    // Deleted rows leave the database once the user says so, and the backup
    // cap may then take their backups; until then it passes over them.
    void deleteRemovesRowsAndFreesTheirBackups_data() {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("bothRows");
        QTest::addColumn<QString>("answer");
        QTest::newRow("Delete key, one row") << true << false << "OK";
        QTest::newRow("button, both rows") << false << true << "OK";
        QTest::newRow("Cancel keeps them") << true << true << "Cancel";
    }
    void deleteRemovesRowsAndFreesTheirBackups() {
        QFETCH(bool, byKey);
        QFETCH(bool, bothRows);
        QFETCH(QString, answer);
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        // One backup a port before the cap of one: the older one is kept
        // only by its record.
        files::BackupStore store(home.filePath("backups").toStdString(), 1);
        radiolink::keepRecordedBackups(store);
        const image::MemoryImage image = testImage("full_image_band0.dat");
        const std::string older = store.add(image, 0, "port2", 1796670000).path;
        {
            std::string error;
            const auto history = radiolink::openHistory(error);
            QVERIFY(history);
            for (const auto& [at, backup] : {std::pair(1796670900, older), {1796670960, ""}}) {
                records::Record record = historyRow(at, "1001", "verified");
                record.backup = backup;
                QVERIFY(history->add(record));
            }
        }
        QVERIFY(store.add(image, 0, "port2", 1796670060).ok());
        QVERIFY(store.add(image, 0, "port2", 1796670120).ok());
        QVERIFY(QFile::exists(QString::fromStdString(older)));

        std::string error;
        shell::HistoryWindow window(radiolink::openHistory(error), 1);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* table = window.findChild<QTableView*>("TableHistory");
        // The filter has the keys at once.
        QCOMPARE(QApplication::focusWidget(), window.findChild<QLineEdit*>("TextFilter"));
        // The newest first: the row naming no backup, then the one naming it,
        // clicked, which gives the list the keys.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(1, 0)).center());
        QCOMPARE(QApplication::focusWidget(), table);
        if (bothRows)
            QTest::keyClick(table, Qt::Key_Up, Qt::ShiftModifier);
        ScriptedAnswers answers;
        answers.press(answer);
        if (byKey)
            QTest::keyClick(table, Qt::Key_Delete);
        else
            QTest::mouseClick(window.findChild<QPushButton*>("CmdDelete"), Qt::LeftButton);
        QVERIFY(answers.done());
        QCOMPARE(answers.box(0).text,
                 QString("Delete the %1 chosen records from the history?\nTheir backups are then "
                         "no longer kept, and may go with the older backups.")
                     .arg(bothRows ? 2 : 1));
        const bool deleted = answer == "OK";
        const int left = deleted ? (bothRows ? 0 : 1) : 2;
        QCOMPARE(int(radiolink::openHistory(error)->list().size()), left);
        QCOMPARE(table->model()->rowCount(), left);
        QCOMPARE(radiolink::recordedBackups()->contains(older), !deleted);
        // The next backup past the cap takes the older one once no record
        // names it.
        QVERIFY(store.add(image, 0, "port2", 1796670180).ok());
        QCOMPARE(QFile::exists(QString::fromStdString(older)), !deleted);
    }

    // A job's name typed into the filter shows its radios alone, and
    // Report... writes that job's report (its radios only) in the window's
    // language, as CSV or PDF by the name chosen.
    void aJobIsShownAndReported_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("csv"); // its first and last lines; none for a PDF
        QTest::newRow("English CSV")
            << 1 << "school.csv"
            << QStringList{"No.,Date,Port,dtmf.own_code,Result,Backup", "Not finished,0"};
        QTest::newRow("Chinese CSV")
            << 0 << "school.csv"
            << QStringList{"序号,时间,端口,dtmf.own_code,结果,备份", "未完成,0"};
        QTest::newRow("PDF") << 1 << "school.pdf" << QStringList{};
    }
    void aJobIsShownAndReported() {
        QFETCH(int, language);
        QFETCH(QString, name);
        QFETCH(QStringList, csv);
        std::vector<records::Record> rows = threeRadios();
        rows[0].job = rows[1].job = "school";
        auto history = historyOf(rows);
        QVERIFY(history->keepJob({"school", std::string(64, 'a'), "dtmf.own_code=1001+\n"}));
        shell::HistoryWindow window(std::move(history), language);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* table = window.findChild<QTableView*>("TableHistory");
        auto* report = window.findChild<QPushButton*>("CmdReport");
        QVERIFY(!report->isEnabled()); // the newest radio belongs to no job
        typeText(QApplication::focusWidget(), "school");
        QCOMPARE(visibleColumn(*table, 4),
                 QStringList({"dtmf.own_code=1002", "dtmf.own_code=1001"}));
        QCOMPARE(window.chosenJob(), "school");
        QVERIFY(report->isEnabled());
        QTemporaryDir folder;
        ScriptedAnswers answers;
        answers.chooseFile(folder.filePath(name));
        QTest::mouseClick(report, Qt::LeftButton);
        QVERIFY(answers.done());
        QFile written(folder.filePath(name));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        if (csv.isEmpty()) {
            QVERIFY(bytes.startsWith("%PDF"));
            return;
        }
        const QStringList lines = QString::fromUtf8(bytes).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 2 + 4);
        QCOMPARE(lines.first(), csv.first());
        QVERIFY(lines[2].contains(",1002,"));
        QCOMPARE(lines.last(), csv.last());
    }
};

TQ_REGISTER_TEST(HistoryWindowTest);
#include "history_window_test.moc"
