// tq305 diff: two data files told apart setting by setting, as the windows
// name the settings, in both languages; its JSON and its exit codes.
#include "support/test_registry.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct DiffRun {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

// A last argument ">/dev/full" sends the output where it cannot be written.
DiffRun runDiff(QStringList arguments) {
    QProcess process;
    if (arguments.last() == ">/dev/full")
        process.setStandardOutputFile(arguments.takeLast().mid(1));
    process.start(TQ305_PROGRAM, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

constexpr int Header = 48; // image offset 0 is file offset 48

const QString Base = QStringLiteral(TQ_TEST_DATA "/full_image_band0.dat");

// The base file (band 0, seven channels, every setting) with `bytes` at file
// offset `at`.
QByteArray changed(int at, const QByteArray& bytes) {
    QFile file(Base);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = file.readAll();
    data.replace(at, bytes.size(), bytes);
    return data;
}

} // namespace

class DiffTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

    QString write(const QString& name, const QByteArray& data) const {
        QFile file(m_folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            return {};
        return file.fileName();
    }

  private slots:
    void tellsEachChangeAsTheWindowsNameIt_data() {
        QTest::addColumn<int>("at");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        const auto row = [](const char* name, int at, const QByteArray& bytes, const char* en,
                            const char* zh) {
            QTest::newRow(name) << at << bytes << QString::fromUtf8(en) << QString::fromUtf8(zh);
        };
        row("band in the header", 7, "\x03", "Frequency: 136-174MHz → 400-480MHz",
            "频段: 136-174MHz → 400-480MHz");
        row("receive frequency", Header + 1, "\x25", "CH 1 / RXFre: 438.50000 → 438.52500",
            "信道 1 / 接收频率: 438.50000 → 438.52500");
        row("channel added", Header + 3 * 13, QByteArray::fromHex("2506604425066044ffffffffff"),
            "CH 4: (empty) → 446.00625 446.00625 Off Off High Off On wide",
            "信道 4: （空） → 446.00625 446.00625 关闭 关闭 高 关 使能 宽带");
        row("channel removed", Header + 4 * 13, "\xFF",
            "CH 5: 136.00000 174.00000 100.0 Off Low Off Off wide → (empty)",
            "信道 5: 136.00000 174.00000 100.0 关闭 低 关 禁止 宽带 → （空）");
        row("tone", Header + 13 + 8, QByteArray::fromHex("8508"), "CH 2 / QT/DQT Dec: 67.0 → 88.5",
            "信道 2 / 接收亚音频: 67.0 → 88.5");
        row("flag", Header + 12, "\xFE", "CH 1 / Power: High → Low", "信道 1 / 功率: 高 → 低");
        row("optional feature", Header + 0x704, "\x03",
            "Optional Features / Function Set / Squelch Level: 7 → 3",
            "可选功能 / 功能设置 / 静噪等级: 7 → 3");
        row("feature on the VFO page", Header + 0x72E, QByteArray(1, 0),
            "Optional Features / VFO / Offset: Sub → Add",
            "可选功能 / 全频频率 / 异频: -异频 → +异频");
        row("DTMF", Header + 0x750, "A", "DTMF(双音多频) / 自身码: B0C → A0C",
            "DTMF(双音多频) / 自身码: B0C → A0C");
        row("FM preset", Header + 0x762, QByteArray::fromHex("0168"),
            "收音机功能 / 频道 2: 107.95 → 88.00", "收音机功能 / 频道 2: 107.95 → 88.00");
        row("power level", Header + 0x7F0, "\xC8", "Debugging / High Power Grades: 208 → 200",
            "调试 / 高功率等级: 208 → 200");
        row("spare byte", Header + 0x70D, QByteArray(1, 0), "Other bytes / 0x70D: FF → 00",
            "其他字节 / 0x70D: FF → 00");
        row("bit written as a constant", Header + 12, "\xFD", "Other bytes / 0x00C: FF → FD",
            "其他字节 / 0x00C: FF → FD");
        row("no transmit frequency, other bytes behind it", Header + 13 + 5,
            QByteArray::fromHex("000000"), "Other bytes / 0x012–0x014: FF FF FF → 00 00 00",
            "其他字节 / 0x012–0x014: FF FF FF → 00 00 00");
        row("a run of other bytes", Header + 0x530, QByteArray(12, '\0'),
            "Other bytes / 0x530–0x53B: FF FF FF FF FF FF FF FF … → 00 00 00 00 00 00 00 00 …",
            "其他字节 / 0x530–0x53B: FF FF FF FF FF FF FF FF … → 00 00 00 00 00 00 00 00 …");
        row("same bytes", Header + 0x704, "\x07", "", "");
    }
    void tellsEachChangeAsTheWindowsNameIt() {
        QFETCH(int, at);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        const QString b = write("b.dat", changed(at, bytes));
        for (const auto& [language, line] : {std::pair{"en", english}, {"zh", chinese}}) {
            const DiffRun run = runDiff({"diff", Base, b, "--lang", language});
            QCOMPARE(QString::fromUtf8(run.out), line.isEmpty() ? QString() : line + '\n');
            QCOMPARE(run.exitCode, line.isEmpty() ? 0 : 1);
            QVERIFY2(run.err.isEmpty(), run.err.constData());
        }
    }

    void jsonIsAnArrayOfChanges() {
        QByteArray data = changed(Header + 0x704, "\x03");
        data[Header + 0x70D] = 0;
        const DiffRun run = runDiff({"diff", Base, write("b.dat", data), "--json", "--lang", "en"});
        QCOMPARE(run.exitCode, 1);
        const QJsonArray changes = QJsonDocument::fromJson(run.out).array();
        QCOMPARE(changes.size(), 2);
        QCOMPARE(changes[0].toObject(), (QJsonObject{{"place", "Optional Features / Function Set"},
                                                     {"setting", "Squelch Level"},
                                                     {"before", "7"},
                                                     {"after", "3"}}));
        QCOMPARE(changes[1].toObject()["setting"].toString(), QString("0x70D"));

        const DiffRun same = runDiff({"diff", Base, Base, "--json"});
        QCOMPARE(same.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(same.out).array(), QJsonArray());
    }

    void refusesWhatItCannotCompare_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        const QString missing = m_folder.filePath("missing.dat");
        QTest::newRow("one file") << QStringList{"diff", Base} << 2 << "usage: tq305 diff";
        QTest::newRow("three files") << QStringList{"diff", Base, Base, Base} << 2 << "usage:";
        QTest::newRow("unknown option")
            << QStringList{"diff", Base, Base, "--all"} << 2 << "usage:";
        QTest::newRow("language missing")
            << QStringList{"diff", Base, Base, "--lang"} << 2 << "usage:";
        QTest::newRow("unknown language")
            << QStringList{"diff", Base, Base, "--lang", "fr"} << 2 << "usage:";
        QTest::newRow("first missing")
            << QStringList{"diff", missing, Base} << 3 << "tq305: " + missing + ": ";
        QTest::newRow("second missing")
            << QStringList{"diff", Base, missing} << 3 << "tq305: " + missing + ": ";
        QTest::newRow("not a data file")
            << QStringList{"diff", Base, TQ_TEST_DATA} << 3 << "tq305: ";
        // Not exit 1, which would say the files differ.
        const QString full = "tq305: the output could not be written: No space left on device";
        QTest::newRow("a difference that cannot be written")
            << QStringList{"diff", Base, TQ_TEST_DATA "/all_ff_image_band3.dat", ">/dev/full"} << 3
            << full;
        QTest::newRow("an empty list that cannot be written")
            << QStringList{"diff", Base, Base, "--json", ">/dev/full"} << 3 << full;
    }
    void refusesWhatItCannotCompare() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        const DiffRun run = runDiff(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(run.err).startsWith(error), run.err.constData());
        QVERIFY(run.out.isEmpty());
    }
};

TQ_REGISTER_TEST(DiffTest);
#include "diff_test.moc"
