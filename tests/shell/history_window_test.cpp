// File > History's window: rows in either language, narrowed by the filter
// box as the user types, sorted by a click on a title, the shown rows (and
// only they) exported as CSV, the chosen row's backup handed on (never one
// that is gone), rows deleted from the history, their backups then left
// to the backup cap, and one job's radios shown alone and reported.
#include "files/backup_store.h"
#include "platform/history_file.h"
#include "records/write_result.h"
#include "shell/history_window.h"
#include "support/scripted_answers.h"
#include "support/test_images.h"
#include "support/test_registry.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
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
            QCOMPARE(window.chosenBackup(),
                     QString::fromStdString(backupOf(codes.first().section('=', 1).toStdString())));
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
        shell::HistoryWindow window({record}, language);
        const auto* table = window.findChild<QTableWidget*>("TableHistory");
        QTEST(table->item(0, 1)->text(), "action");
        QCOMPARE(table->item(0, 5)->text(), result);
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
        shell::HistoryWindow window({record}, language);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.findChild<QPushButton*>("CmdOpen")->isEnabled(), offered);
        QCOMPARE(window.findChild<QPushButton*>("CmdRestore")->isEnabled(), offered);
        QCOMPARE(window.findChild<QLabel*>("LabelBackup")->text(),
                 note.isEmpty() ? note : note.arg(QString::fromStdString(record.backup)));
        QTest::keyClick(window.findChild<QTableWidget*>("TableHistory"), Qt::Key_Return);
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
        shell::HistoryWindow window(radiolink::openHistory(error)->list(), 1);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* table = window.findChild<QTableWidget*>("TableHistory");
        QCOMPARE(QApplication::focusWidget(), table);
        // The newest first: the row naming no backup, then the one naming it.
        table->selectRow(1);
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
        QCOMPARE(table->rowCount(), left);
        QCOMPARE(radiolink::recordedBackups()->contains(older), !deleted);
        // The next backup past the cap takes the older one once no record
        // names it.
        QVERIFY(store.add(image, 0, "port2", 1796670180).ok());
        QCOMPARE(QFile::exists(QString::fromStdString(older)), !deleted);
    }

    // Job shows one job's radios alone, chosen with the keyboard, and
    // Report... writes that job's report (its radios only) in the window's
    // language, as CSV or PDF by the name chosen.
    void aJobIsShownAloneAndReported_data() {
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
    void aJobIsShownAloneAndReported() {
        QFETCH(int, language);
        QFETCH(QString, name);
        QFETCH(QStringList, csv);
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        std::string error;
        {
            const auto history = radiolink::openHistory(error);
            QVERIFY(history);
            QVERIFY(history->keepJob({"school", std::string(64, 'a'), "dtmf.own_code=1001+\n"}));
            for (records::Record record : threeRadios()) {
                record.job = record.values[0].second == "1003" ? "" : "school";
                QVERIFY(history->add(record));
            }
        }
        shell::HistoryWindow window(radiolink::openHistory(error)->list(), language);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* table = window.findChild<QTableWidget*>("TableHistory");
        auto* report = window.findChild<QPushButton*>("CmdReport");
        QVERIFY(!report->isEnabled());
        auto* job = window.findChild<QComboBox*>("ComboJob");
        job->setFocus();
        QTest::keyClick(job, Qt::Key_Down);
        QCOMPARE(window.chosenJob(), "school");
        QCOMPARE(visibleColumn(*table, 4),
                 QStringList({"dtmf.own_code=1002", "dtmf.own_code=1001"}));
        QVERIFY(report->isEnabled());
        ScriptedAnswers answers;
        answers.chooseFile(home.filePath(name));
        QTest::mouseClick(report, Qt::LeftButton);
        QVERIFY(answers.done());
        QFile written(home.filePath(name));
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
