// File > Backups...: the backups of the backup folder, newest first, in both
// languages, which of them the history keeps, and the one chosen opened as
// File > Open opens a file.
#include "files/backup_store.h"
#include "platform/backup_folder.h"
#include "platform/history_file.h"
#include "shell/app_folders.h"
#include "shell/backups_window.h"
#include "support/program_fixture.h"
#include "support/table_texts.h"
#include "support/test_images.h"
#include "support/test_registry.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

// Noon of 7 December 2026, local time, plus `minutes`.
std::time_t at(int minutes) {
    std::tm noon{};
    noon.tm_year = 126;
    noon.tm_mon = 11;
    noon.tm_mday = 7;
    noon.tm_hour = 12;
    noon.tm_min = minutes;
    noon.tm_isdst = -1;
    return std::mktime(&noon);
}

} // namespace

class BackupsWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;

    // Three backups in the folder, taken in this order: the full test image
    // through port 3 in band 0, an erased radio on ttyUSB0 in band 3, and the
    // full image again from a radio that named no band.
    static void takeBackups(const QString& folder) {
        files::BackupStore store(folder.toStdString());
        QVERIFY(store.add(testImage("full_image_band0.dat"), 0, "port3", at(0)).ok());
        QVERIFY(store.add(testImage("all_ff_image_band3.dat"), 3, "ttyUSB0", at(1)).ok());
        QVERIFY(store.add(testImage("full_image_band0.dat"), std::nullopt, "port3", at(2)).ok());
    }

  private slots:
    void initTestCase() {
        // The program's backup folder, in here.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.path()));
        takeBackups(radiolink::backupFolder());
        // The history names the backup of ttyUSB0; a restore instruction
        // names the oldest.
        const files::BackupStore store(radiolink::backupFolder().toStdString());
        recordBackup(store.list()[1].path);
        QVERIFY(store.pin(store.list().back().path));
    }

    static void recordBackup(const std::string& path) {
        std::string error;
        const auto history = radiolink::openHistory(error);
        QVERIFY(history);
        records::Record record;
        record.backup = path;
        QVERIFY(history->add(record));
    }

    void listsTheBackupsNewestFirst_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("folderLine");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("port3");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("pinned");
        QTest::newRow("Chinese") << 0 << "备份文件夹：%1"
                                 << QStringList{"时间", "端口", "频段", "使用的信道", "保留"}
                                 << "端口3"
                                 << "写频记录保留"
                                 << "恢复说明保留";
        QTest::newRow("English") << 1 << "Backup folder: %1"
                                 << QStringList{"Taken", "Port", "Band", "Channels in use", "Kept"}
                                 << "port 3"
                                 << "by the history"
                                 << "to restore from";
    }
    void listsTheBackupsNewestFirst() {
        QFETCH(int, language);
        QFETCH(QString, folderLine);
        QFETCH(QStringList, titles);
        QFETCH(QString, port3);
        QFETCH(QString, kept);
        QFETCH(QString, pinned);
        const QString folder = radiolink::backupFolder();
        shell::BackupsWindow window(folder, language);
        QCOMPARE(window.findChild<QLabel*>("LabelFolder")->text(), folderLine.arg(folder));
        const auto* table = window.findChild<QTableWidget*>("TableBackups");
        QStringList shownTitles;
        for (int column = 0; column < table->columnCount(); ++column)
            shownTitles << table->horizontalHeaderItem(column)->text();
        QCOMPARE(shownTitles, titles);
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(rowTexts(table, 0), (QStringList{"2026-12-07 12:02:00", port3, "-", "7", ""}));
        QCOMPARE(rowTexts(table, 1),
                 (QStringList{"2026-12-07 12:01:00", "ttyUSB0", "400-480MHz", "0", kept}));
        QCOMPARE(rowTexts(table, 2),
                 (QStringList{"2026-12-07 12:00:00", port3, "136-174MHz", "7", pinned}));
        // The newest is picked, so Enter opens it at once.
        QVERIFY(window.chosenPath().endsWith("_port3_noband.dat"));
        // Shown, every column is in view without scrolling sideways.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!table->horizontalScrollBar()->isVisible());
    }

    // The program as started, with no folder of its own for backups, keeps
    // them where tq305 keeps its own.
    void theProgramSharesTheUsersBackupFolder() {
        QCOMPARE(shell::backupsFolder(shell::defaultFolders()),
                 m_home.filePath("TQ305CloneDesk/backups"));
    }

    void anEmptyFolderOffersNothingToOpen() {
        QTemporaryDir empty;
        const shell::BackupsWindow window(empty.filePath("backups"), 1);
        QCOMPARE(window.findChild<QLabel*>("LabelFolder")->text(),
                 "No backups yet in " + empty.filePath("backups"));
        QCOMPARE(window.findChild<QTableWidget*>("TableBackups")->rowCount(), 0);
        QVERIFY(!window.findChild<QPushButton*>("CmdOpen")->isEnabled());
        QVERIFY(window.chosenPath().isEmpty());
    }

    // Delete removes the picked backup once the user says so, warned when
    // the history keeps it; the list shows what is left, the next row picked.
    void deletesTheChosenBackup_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<QString>("question");
        const QString kept = "Delete the backup %1?\nThe history keeps it as the backup of a radio "
                             "programmed: that record will then show its backup as missing.";
        QTest::newRow("OK") << "OK" << false << "Delete the backup %1?";
        QTest::newRow("Cancel") << "Cancel" << false << "Delete the backup %1?";
        QTest::newRow("kept by the history, Delete key") << "OK" << true << kept;
    }
    void deletesTheChosenBackup() {
        QFETCH(QString, answer);
        QFETCH(bool, recorded);
        QFETCH(QString, question);
        QTemporaryDir dir;
        const QString folder = dir.filePath("backups");
        takeBackups(folder);
        if (recorded)
            recordBackup(files::BackupStore(folder.toStdString()).list()[1].path);
        shell::BackupsWindow window(folder, 1);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* table = window.findChild<QTableWidget*>("TableBackups");
        table->selectRow(1);
        const QString picked = window.chosenPath();
        ScriptedAnswers answers;
        answers.press(answer);
        if (recorded)
            QTest::keyClick(table, Qt::Key_Delete);
        else
            QTest::mouseClick(window.findChild<QPushButton*>("CmdDelete"), Qt::LeftButton);
        QVERIFY(answers.done());
        QCOMPARE(answers.box(0).text, question.arg(QFileInfo(picked).fileName()));
        const bool deleted = answer == "OK";
        QCOMPARE(QFile::exists(picked), !deleted);
        QCOMPARE(table->rowCount(), deleted ? 2 : 3);
        QVERIFY(!window.chosenPath().isEmpty());
        QCOMPARE(window.chosenPath() == picked, !deleted);
    }

    // From the menu: the row picked with the arrow keys opens with Enter, as
    // File > Open would open its file; Escape opens nothing.
    void opensTheChosenBackup_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("channel1");
        QTest::newRow("oldest, Enter")
            << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << "136-174MHz"
            << "438.50000";
        QTest::newRow("erased radio, Enter")
            << QList<int>{Qt::Key_Down, Qt::Key_Enter} << "400-480MHz"
            << "";
        QTest::newRow("Escape") << QList<int>{Qt::Key_Down, Qt::Key_Escape} << "400-480MHz"
                                << "";
    }
    void opensTheChosenBackup() {
        QFETCH(QList<int>, keys);
        QFETCH(QString, band);
        QFETCH(QString, channel1);
        ProgramFixture p;
        // The menu lists the folder the program's writes keep their backups in.
        takeBackups(p.window->backupsFolder());
        p.enterFrequency(1, 1, "410");
        {
            ScriptedAnswers script;
            script.onDialog("FrmBackups", [keys](QDialog* dialog) {
                for (int key : keys)
                    QTest::keyClick(dialog->focusWidget(), Qt::Key(key));
                QVERIFY(!dialog->isVisible());
            });
            p.window->findChild<QAction*>("MNBackups")->trigger();
            QVERIFY(script.done());
        }
        QCOMPARE(p.bandList()->currentText(), band);
        QCOMPARE(p.cell(1, 1), keys.last() == Qt::Key_Escape ? QString("410.00000") : channel1);
    }
};

TQ_REGISTER_TEST(BackupsWindowTest);
#include "backups_window_test.moc"
