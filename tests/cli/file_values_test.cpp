// export and import work on the files' values without windows; what they
// give must be what the windows give: the same CSV text from a data file,
// the same data file from an import, over the golden images and random ones.
#include "cli/file_values.h"
#include "editors/band_selection.h"
#include "editors/channel_table.h"
#include "exchange/channel_csv.h"
#include "image/image_encoder.h"
#include "shell/main_window.h"
#include "support/file_windows.h"
#include "support/test_registry.h"

#include <QDir>
#include <QTest>
#include <random>

namespace {

struct Sample {
    QString name;
    files::DatFile file;
};

std::vector<Sample> samples() {
    std::vector<Sample> all;
    for (const QString& name : QDir(TQ_TEST_DATA).entryList({"*.dat"})) {
        const auto loaded = files::loadDatFile(QDir(TQ_TEST_DATA).filePath(name).toStdString());
        if (loaded.ok())
            all.push_back({name, loaded.file});
    }
    // Random bytes reach every value a window may lack or refuse.
    std::mt19937 random(305);
    for (int n = 0; n < 12; ++n) {
        files::DatFile file;
        for (auto& byte : file.image)
            byte = std::uint8_t(random());
        if (n % 4 != 3)
            file.band = int(random() % editors::BandSelection::BandCount);
        all.push_back({QString("random %1").arg(n), file});
    }
    // A golden image with random bytes outside the channels.
    if (!all.empty()) {
        files::DatFile file = all.front().file;
        for (std::size_t i = 0x507; i < file.image.size(); ++i)
            file.image[i] = std::uint8_t(random());
        all.push_back({"golden channels, random rest", file});
    }
    return all;
}

// Rows inside the band, with tones, a split, a lock and one off the raster.
std::string rowsFor(int band) {
    const image::BandLimits limits = editors::BandSelection::limitsOfCode(band);
    const std::string low = std::to_string(limits.BandLow);
    return "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,Mode,BusyLock\n"
           "1," +
           low +
           ".5,+,1,TSQL,,88.5,,NFM,On\n"
           "7," +
           low + ".0123,split," + low +
           ".1,DTCS,,,023,FM,\n"
           "98," +
           std::to_string(limits.BandHigh - 1) + ",,,Tone,67.0,,,FM,Off\n";
}

// What the windows save after the import, the way the command did it with them.
QByteArray throughWindows(testing::FileWindows& windows, int band, const std::string& csv) {
    shell::MainWindow& window = windows.window();
    window.bandSelection()->selectBandCode(band);
    image::ChannelTableValues table = window.channelTable()->channelValues();
    exchange::importChannels(csv, window.Band, {}, table);
    window.channelTable()->showDecodedChannels(table);
    window.EncodeImage();
    return QByteArray(reinterpret_cast<const char*>(window.TransmitImage.data()), image::ImageSize);
}

QByteArray withoutWindows(image::EditorValues values, int band, const std::string& csv) {
    exchange::importChannels(csv, editors::BandSelection::limitsOfCode(band), {}, values.Form1);
    image::MemoryImage image{};
    image::encodeImage(values, image);
    return QByteArray(reinterpret_cast<const char*>(image.data()), image::ImageSize);
}

} // namespace

class FileValuesTest : public QObject {
    Q_OBJECT
  private slots:
    void sameAsTheWindows_data() {
        QTest::addColumn<int>("sample");
        const auto all = samples();
        for (std::size_t i = 0; i < all.size(); ++i)
            QTest::newRow(qPrintable(all[i].name)) << int(i);
    }
    void sameAsTheWindows() {
        QFETCH(int, sample);
        const files::DatFile file = samples()[std::size_t(sample)].file;
        const image::EditorValues values = cli::openedFileValues(file);
        testing::FileWindows windows(file, 1);
        QCOMPARE(values, windows.window().editorValues());
        QCOMPARE(exchange::exportChannels(values.Form1),
                 exchange::exportChannels(windows.window().channelTable()->channelValues()));
        const int band = *values.band;
        const std::string csv = rowsFor(band);
        QCOMPARE(withoutWindows(values, band, csv), throughWindows(windows, band, csv));
    }

    void newIsTheWindowsNew_data() {
        QTest::addColumn<int>("band");
        for (int band = 0; band < editors::BandSelection::BandCount; ++band)
            QTest::newRow(qPrintable(editors::BandSelection::entryText(band))) << band;
    }
    void newIsTheWindowsNew() {
        QFETCH(int, band);
        testing::FileWindows windows(1);
        windows.window().bandSelection()->selectBandCode(band);
        windows.window().StartForms();
        const image::EditorValues values = cli::newFileValues(band);
        QCOMPARE(values, windows.window().editorValues());
        QCOMPARE(withoutWindows(values, band, rowsFor(band)),
                 throughWindows(windows, band, rowsFor(band)));
    }
};

TQ_REGISTER_TEST(FileValuesTest);
#include "file_values_test.moc"
