// What the commands give for a few hundred generated data files, kept as
// hashes of the outputs the program gave when they were recorded: dump (text
// and JSON, both languages), export and print (the PDF's text). Any change
// of a byte in any of them fails here; the rows name the file and command.
//
// TQ_RECORD_OUTPUTS=FILE records instead of comparing, appending to FILE
// (every output is also kept beside FILE, so that a later difference can be
// looked at).
#include "files/dat_format.h"
#include "image/frequency_codes.h"
#include "image/tone_codes.h"
#include "support/test_registry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <list>
#include <random>

namespace {

constexpr int ImagesPerKind = 80;
const QString Recorded = QStringLiteral(TQ_TEST_DATA "/recorded_outputs.txt");

// A seeded generator whose numbers do not depend on the standard library.
class Dice {
  public:
    explicit Dice(unsigned seed) : m_engine(seed) {}
    int below(int n) { return int(m_engine() % std::uint32_t(n)); }
    bool chance(int percent) { return below(100) < percent; }
    std::uint8_t byte() { return std::uint8_t(m_engine()); }

  private:
    std::mt19937 m_engine;
};

using Image = std::array<std::uint8_t, image::ImageSize>;

void putBcd(Image& bytes, std::size_t at, long long tensOfHz) {
    for (int i = 0; i < 4; ++i) {
        const int pair = int(tensOfHz % 100);
        bytes[at + std::size_t(i)] = std::uint8_t((pair / 10) << 4 | (pair % 10));
        tensOfHz /= 100;
    }
}

void putTone(Image& bytes, std::size_t at, Dice& dice) {
    if (dice.chance(30))
        return; // off: 0xFF 0xFF
    const image::ToneBytes tone = image::toneBytes(image::toneText(1 + dice.below(260)));
    bytes[at] = tone.low.value_or(0xFF);
    bytes[at + 1] = tone.high.value_or(0xFF);
}

long long frequency(Dice& dice) {
    // Mostly on the radio's bands and raster, sometimes anywhere.
    if (dice.chance(15))
        return dice.below(100000000);
    const long long mhz = dice.chance(50) ? 136 + dice.below(39) : 400 + dice.below(80);
    return mhz * 100000 + dice.below(160) * 625;
}

// Channels, settings, DTMF and FM areas filled as a program would fill them.
Image validLooking(Dice& dice) {
    Image bytes;
    bytes.fill(0xFF);
    for (int n = 0; n < image::ChannelCount; ++n) {
        if (dice.chance(50))
            continue;
        const std::size_t at = std::size_t(n) * image::ChannelRecordSize;
        putBcd(bytes, at, frequency(dice));
        if (dice.chance(80))
            putBcd(bytes, at + 4, frequency(dice));
        putTone(bytes, at + 8, dice);
        putTone(bytes, at + 10, dice);
        bytes[at + 12] = std::uint8_t(0xE2 | (dice.byte() & 0x1D));
    }
    const std::size_t fs = image::offsets::FunctionSettings;
    const int listSizes[] = {2, 1, 8, 2, 10, 100, 0, 0, 1, 1, 10, 4, 18, 1, 1, 10};
    for (std::size_t i = 0; i < 16; ++i)
        bytes[fs + i] = listSizes[i] ? std::uint8_t(dice.below(listSizes[i])) : dice.byte();
    bytes[fs + 6] |= 0x42;
    bytes[fs + 7] |= 0x30;
    const std::size_t vfo = image::offsets::Vfo;
    putBcd(bytes, vfo, frequency(dice));
    putBcd(bytes, vfo + 4, dice.below(10000000));
    putTone(bytes, vfo + 8, dice);
    putTone(bytes, vfo + 10, dice);
    bytes[vfo + 12] = std::uint8_t(0xEA | (dice.byte() & 0x15));
    bytes[vfo + 14] = std::uint8_t(dice.below(3));
    const char dtmf[] = "0123456789ABCD*#";
    for (std::size_t i = 0, n = std::size_t(dice.below(17)); i < n; ++i)
        bytes[image::offsets::DtmfPttId + i] = std::uint8_t(dtmf[dice.below(16)]);
    for (std::size_t i = 0, n = std::size_t(dice.below(9)); i < n; ++i)
        bytes[image::offsets::DtmfOwnCode + i] = std::uint8_t(dtmf[dice.below(16)]);
    for (std::size_t k = 0; k < 33; ++k) {
        if (dice.chance(40))
            continue;
        const std::size_t at =
            k < 32 ? image::offsets::FmPresets + 2 * k : image::offsets::FmSettings + 4;
        const int code = dice.below(420);
        bytes[at] = std::uint8_t(code >> 8);
        bytes[at + 1] = std::uint8_t(code);
    }
    for (std::size_t i = 0; i < 3; ++i)
        bytes[image::offsets::FmSettings + i] = std::uint8_t(dice.below(i == 0 ? 33 : 3));
    bytes[image::offsets::Calibration] = dice.byte();
    bytes[image::offsets::Calibration + 2] = dice.byte();
    return bytes;
}

// A valid-looking image with many bytes of the settings areas, and of a few
// channels, at the values where a rule changes.
Image edgeValues(Dice& dice) {
    static constexpr std::uint8_t Edges[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x07, 0x08, 0x09,
                                             0x0A, 0x0F, 0x10, 0x11, 0x12, 0x20, 0x40, 0x63,
                                             0x64, 0x7F, 0x80, 0x99, 0x9A, 0xA0, 0xFE, 0xFF};
    Image bytes = validLooking(dice);
    for (int i = 0, n = 8 + dice.below(40); i < n; ++i) {
        const std::size_t at = dice.chance(70) ? 0x700 + std::size_t(dice.below(0x100))
                                               : std::size_t(dice.below(0x507));
        bytes[at] = Edges[dice.below(int(std::size(Edges)))];
    }
    return bytes;
}

Image randomBytes(Dice& dice) {
    Image bytes;
    for (std::uint8_t& b : bytes)
        b = dice.byte();
    return bytes;
}

QByteArray datFile(int index) {
    Dice dice(unsigned(1000 + index));
    const std::uint8_t bandBytes[] = {0, 1, 2, 3, 4, 5, 6, 7, 0xFF, 0x10, 0x09};
    const std::uint8_t band = bandBytes[dice.below(int(std::size(bandBytes)))];
    const Image bytes = index < ImagesPerKind       ? randomBytes(dice)
                        : index < 2 * ImagesPerKind ? validLooking(dice)
                                                    : edgeValues(dice);
    const files::DatHeader header = files::makeDatHeader(band);
    QByteArray file(reinterpret_cast<const char*>(header.data()), int(header.size()));
    file.append(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
    return file;
}

// A command started; what it said is read once it has finished.
class StartedCommand {
  public:
    StartedCommand(const QString& program, const QStringList& arguments) {
        m_process.start(program, arguments);
    }
    QByteArray said() {
        m_process.waitForFinished(60000);
        return m_process.readAllStandardOutput() + "exit " +
               QByteArray::number(m_process.exitCode()) + "\n" + m_process.readAllStandardError();
    }

  private:
    QProcess m_process;
};

QByteArray fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

// The outputs of one data file, by name. The commands run side by side.
QList<std::pair<QString, QByteArray>> outputsOf(const QString& dat, const QDir& folder) {
    const QString csv = folder.filePath("out.csv");
    const QString pdf[] = {folder.filePath("out-en.pdf"), folder.filePath("out-zh.pdf")};
    for (const QString& file : {csv, pdf[0], pdf[1]})
        QFile::remove(file);
    const QStringList languages{"en", "zh"};
    std::list<StartedCommand> runs; // in the order of the names below
    for (const QString& language : languages) {
        runs.emplace_back(TQ305_PROGRAM, QStringList{"dump", dat, "--lang", language});
        runs.emplace_back(TQ305_PROGRAM, QStringList{"dump", dat, "--json", "--lang", language});
    }
    runs.emplace_back(TQ305_PROGRAM, QStringList{"export", dat, "-o", csv});
    for (int i = 0; i < 2; ++i)
        runs.emplace_back(TQ305_PROGRAM,
                          QStringList{"print", dat, "-o", pdf[i], "--lang", languages[i]});
    QList<std::pair<QString, QByteArray>> outputs;
    auto run = runs.begin();
    for (const QString& language : languages) {
        outputs.append({"dump-" + language, (run++)->said()});
        outputs.append({"json-" + language, (run++)->said()});
    }
    const QByteArray exported = (run++)->said();
    outputs.append({"csv", exported + fileText(csv)});
    for (int i = 0; i < 2; ++i) {
        const QByteArray printed = (run++)->said();
        outputs.append({"pdf-" + languages[i],
                        printed + StartedCommand("pdftotext", {"-layout", pdf[i], "-"}).said()});
    }
    return outputs;
}

QByteArray hashOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(20);
}

// "index name=hash ..." per line.
QMap<int, QMap<QString, QByteArray>> readRecorded() {
    QMap<int, QMap<QString, QByteArray>> recorded;
    QFile file(Recorded);
    if (!file.open(QIODevice::ReadOnly))
        return recorded;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        for (int i = 1; i < fields.size(); ++i) {
            const QList<QByteArray> pair = fields[i].split('=');
            recorded[fields[0].toInt()][QString::fromUtf8(pair[0])] = pair.value(1);
        }
    }
    return recorded;
}

} // namespace

class RecordedOutputsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;
    QMap<int, QMap<QString, QByteArray>> m_recorded;
    QByteArray m_recording;

  private slots:
    void initTestCase() { m_recorded = readRecorded(); }
    // A function per kind of image, so that each runs as a ctest entry of its own.
    void outputsOfRandomImages_data() { images(0, "random bytes"); }
    void outputsOfRandomImages() { compareOutputs(); }
    void outputsOfValidLookingImages_data() { images(1, "valid-looking"); }
    void outputsOfValidLookingImages() { compareOutputs(); }
    void outputsOfEdgeValueImages_data() { images(2, "edge values"); }
    void outputsOfEdgeValueImages() { compareOutputs(); }
    void cleanupTestCase() {
        const QString recordTo = qEnvironmentVariable("TQ_RECORD_OUTPUTS");
        if (recordTo.isEmpty())
            return;
        QFile file(recordTo);
        QVERIFY(file.open(QIODevice::Append));
        file.write(m_recording);
    }

  private:
    static void images(int kind, const char* name) {
        QTest::addColumn<int>("index");
        for (int i = kind * ImagesPerKind; i < (kind + 1) * ImagesPerKind; ++i)
            QTest::addRow("%s %d", name, i) << i;
    }
    void compareOutputs() {
        QFETCH(int, index);
        const QDir folder(m_folder.path());
        const QString dat = folder.filePath(QString("image%1.dat").arg(index));
        QFile file(dat);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(datFile(index));
        file.close();
        QList<std::pair<QString, QByteArray>> outputs{{"image", fileText(dat)}};
        outputs += outputsOf(dat, folder);

        const QString recordTo = qEnvironmentVariable("TQ_RECORD_OUTPUTS");
        if (!recordTo.isEmpty()) {
            const QDir kept(recordTo + ".outputs");
            kept.mkpath(".");
            m_recording += QByteArray::number(index);
            for (const auto& [name, bytes] : outputs) {
                m_recording += ' ' + name.toUtf8() + '=' + hashOf(bytes);
                QFile out(kept.filePath(QString("%1.%2").arg(index).arg(name)));
                QVERIFY(out.open(QIODevice::WriteOnly));
                out.write(bytes);
            }
            m_recording += '\n';
            return;
        }
        const QMap<QString, QByteArray> expected = m_recorded.value(index);
        QCOMPARE(expected.size(), outputs.size());
        for (const auto& [name, bytes] : outputs)
            if (hashOf(bytes) != expected.value(name)) {
                const QString kept = folder.filePath(QString("%1.%2").arg(index).arg(name));
                QFile out(kept);
                if (out.open(QIODevice::WriteOnly))
                    out.write(bytes);
                m_folder.setAutoRemove(false);
                QFAIL(qPrintable(
                    QString("%1 differs from the recorded output; it is in %2").arg(name, kept)));
            }
    }
};

TQ_REGISTER_TEST(RecordedOutputsTest);
#include "recorded_outputs_test.moc"
