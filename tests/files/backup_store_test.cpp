// The folder of backups: names that say when and where, never a backup
// overwritten, the oldest gone past the limit, the list newest first.
// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include "files/backup_store.h"
#include "files/dat_file.h"
// clang-format on

#include <cstdlib>

namespace {

// 19:15:00 on 7 December 2026 in the test's own time zone (UTC).
constexpr std::time_t Taken = 1796670900;

image::MemoryImage imageWithChannels(int used) {
    image::MemoryImage memory{};
    memory.fill(0xFF);
    for (int n = 1; n <= used; ++n) {
        image::ChannelRecord record = image::channelRecord(memory, n);
        const std::uint8_t frequency[] = {0x00, 0x50, 0x85, 0x43}; // 438.50000
        for (std::size_t i = 0; i < 4; ++i)
            record[i] = frequency[i];
    }
    return memory;
}

QStringList namesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class BackupStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { ::setenv("TZ", "UTC", 1); }

    void names_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("band"); // -1: none
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("headerBand");
        QTest::newRow("a port") << files::portLabel(3).c_str() << 3
                                << "2026-12-07_191500_port3_band3.dat" << 3;
        QTest::newRow("a device") << files::deviceLabel("/dev/ttyUSB0").c_str() << 0
                                  << "2026-12-07_191500_ttyUSB0_band0.dat" << 0;
        QTest::newRow("a band code no band has")
            << "port1" << 12 << "2026-12-07_191500_port1_noband.dat" << 0x10;
    }
    void names() {
        QFETCH(QString, port);
        QFETCH(int, band);
        QFETCH(QString, name);
        QFETCH(int, headerBand);
        QTemporaryDir dir;
        const QString folder = dir.filePath("new/backups"); // made on the way
        files::BackupStore store(folder.toStdString());
        const image::MemoryImage memory = imageWithChannels(5);
        const files::BackupSaved saved = store.add(
            memory, band < 0 ? std::nullopt : std::optional(band), port.toStdString(), Taken);
        QVERIFY(saved.ok());
        QCOMPARE(QString::fromStdString(saved.path), folder + "/" + name);
        QCOMPARE(namesIn(folder), QStringList{name});
        // Exactly as Save writes it.
        const files::LoadResult loaded = files::loadDatFile(saved.path);
        QVERIFY(loaded.ok());
        QVERIFY(std::equal(loaded.file.image.begin(), loaded.file.image.end(), memory.begin()));
        QFile file(QString::fromStdString(saved.path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(int(std::uint8_t(file.read(8).at(7))), headerBand);
    }

    // Backups in the same second never replace one another; the list puts
    // the newest first and says what each holds; past the limit the oldest
    // go, and files of other names stay.
    void keepsEveryBackupUpToTheLimit() {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        QFile other(dir.filePath("notes.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        files::BackupStore store(folder, 3);
        QStringList paths;
        for (int n = 0; n < 4; ++n) {
            const files::BackupSaved saved =
                store.add(imageWithChannels(n + 1), 3, "port1", Taken + (n == 3 ? 1 : 0));
            QVERIFY(saved.ok());
            paths << QString::fromStdString(saved.path);
        }
        QCOMPARE(namesIn(dir.path()),
                 QStringList({"2026-12-07_191500_port1_band3-2.dat",
                              "2026-12-07_191500_port1_band3-3.dat",
                              "2026-12-07_191501_port1_band3.dat", "notes.txt"}));
        const std::vector<files::BackupEntry> list = store.list();
        QCOMPARE(list.size(), std::size_t(3));
        QCOMPARE(QString::fromStdString(list[0].path), paths[3]);
        QCOMPARE(QString::fromStdString(list[1].path), paths[2]);
        QCOMPARE(QString::fromStdString(list[2].path), paths[1]);
        QCOMPARE(list[0].channelsInUse, 4);
        QCOMPARE(list[2].channelsInUse, 2);
        QCOMPARE(QString::fromStdString(list[0].taken), "2026-12-07 19:15:01");
        QCOMPARE(QString::fromStdString(list[0].portLabel), "port1");
        QCOMPARE(list[0].band, std::optional(3));
    }

    // Past the limit the oldest go, but not the newest backup of a port (the
    // last a radio on it had) nor one a restore instruction pinned; what
    // goes is said. "*" pins a backup as soon as it is taken.
    void theLimitSparesWhatIsStillNeeded_data() {
        QTest::addColumn<QStringList>("ports"); // one backup each, in the order taken
        QTest::addColumn<QList<int>>("removed");
        QTest::newRow("the oldest goes")
            << QStringList{"port1", "port1", "port1", "port1"} << QList<int>{0};
        QTest::newRow("the newest of a port stays")
            << QStringList{"port2", "port1", "port1", "port1"} << QList<int>{1};
        QTest::newRow("a pinned one stays")
            << QStringList{"port1*", "port1", "port1", "port1"} << QList<int>{1};
        QTest::newRow("nothing may go")
            << QStringList{"port1*", "port2", "port3", "port4"} << QList<int>{};
    }
    void theLimitSparesWhatIsStillNeeded() {
        QFETCH(QStringList, ports);
        QFETCH(QList<int>, removed);
        QTemporaryDir dir;
        files::BackupStore store(dir.path().toStdString(), 3);
        QStringList names, gone;
        for (int n = 0; n < ports.size(); ++n) {
            QString port = ports[n];
            const bool pinned = port.endsWith('*');
            port.remove('*');
            const files::BackupSaved saved =
                store.add(imageWithChannels(1), 3, port.toStdString(), Taken + n);
            QVERIFY(saved.ok());
            QVERIFY(!pinned || store.pin(saved.path));
            names << QFileInfo(QString::fromStdString(saved.path)).fileName();
            for (const std::string& name : saved.removed)
                gone << QString::fromStdString(name);
        }
        QStringList expected;
        for (int n : removed)
            expected << names[n];
        QCOMPARE(gone, expected);
        for (const QString& name : names)
            QCOMPARE(QFile::exists(dir.filePath(name)), !expected.contains(name));
        // A backup removed by hand takes its pin with it.
        if (ports[0].endsWith('*')) {
            QVERIFY(store.remove(dir.filePath(names[0]).toStdString()));
            QVERIFY(!QFile::exists(dir.filePath(names[0])));
            QVERIFY(!QFile::exists(dir.filePath(names[0] + ".keep")));
        }
    }

    void deviceLabels_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("label");
        QTest::newRow("usb adapter") << "/dev/ttyUSB0"
                                     << "ttyUSB0";
        QTest::newRow("pseudo-terminal") << "/dev/pts/4"
                                         << "pts4";
        QTest::newRow("odd characters") << "/tmp/my radio:1"
                                        << "my_radio_1";
        QTest::newRow("nothing left") << "/"
                                      << "device";
    }
    void deviceLabels() {
        QFETCH(QString, device);
        QFETCH(QString, label);
        QCOMPARE(QString::fromStdString(files::deviceLabel(device.toStdString())), label);
    }

    // A folder that cannot be made: the backup fails, and says so.
    void folderCannotBeMade() {
        files::BackupStore store("/proc/no-such/backups");
        QVERIFY(!store.add(imageWithChannels(1), 3, "port1", Taken).ok());
        QVERIFY(!store.checkUsable().ok());
    }

    // Told before a radio is read; the folders made to find out are gone
    // again, as a write that ends before its backup leaves nothing.
    void aFolderIsTriedWithoutStaying() {
        QTemporaryDir dir;
        files::BackupStore store(dir.filePath("data/TQ305CloneDesk/backups").toStdString());
        QVERIFY(store.checkUsable().ok());
        QCOMPARE(namesIn(dir.path()), QStringList());
        QVERIFY(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    }
};

QTEST_GUILESS_MAIN(BackupStoreTest)
#include "backup_store_test.moc"
