// Times the main window's DecodeImage and EncodeImage over a full image (99
// channels, every setting, DTMF codes, 32 FM presets) in the started
// program, against copying the same 2048 bytes into and out of a bare
// 100 x 9 table as hexadecimal cell texts. Two different full images take
// turns, so every run really changes what the windows show.
// Run by hand: build/bin/image_ops_bench [repetitions]
#include "bench_timing.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "image/tone_codes.h"
#include "shell/main_window.h"
#include "shell/startup.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Rows = 100, Cols = 9, Cells = Rows * Cols;

// "4nn.12500" and the like: a frequency text per channel n of a variant.
std::string frequencyText(int variant, int n, const char* decimals) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d%s", variant ? '1' : '4', n, decimals);
    return text;
}

// A full set of editor values; `variant` 0 and 1 differ in every value.
image::EditorValues fullValues(int variant) {
    image::EditorValues v;
    for (int n = 1; n <= image::ChannelCount; ++n) {
        image::ChannelRow& row = v.Form1.row(n);
        const std::string rx = frequencyText(variant, n, ".12500");
        const std::string tx = frequencyText(variant, n, ".50000");
        const int rxTone = variant ? n : image::ToneCount + 1 - n;
        const int txTone = variant ? image::ToneCount - n : n + 1;
        row.freqText = {rx, tx};
        row.toneText = {std::string(image::toneText(rxTone)), std::string(image::toneText(txTone))};
        const int flag = (n + variant) % 2;
        row.listIndex = {rxTone, txTone, flag, 1 - flag, flag, 1 - flag};
    }
    auto& f = v.Form3;
    for (auto* p : {&f.Combo1,  &f.Combo2,  &f.Combo3,  &f.Combo4,  &f.Combo5,  &f.Combo6,
                    &f.Combo7,  &f.Combo8,  &f.Combo9,  &f.Combo10, &f.Combo11, &f.Combo12,
                    &f.Combo13, &f.Combo14, &f.Combo15, &f.Combo16, &f.Combo19, &f.Combo105,
                    &f.Combo24, &f.Combo25, &f.Combo27, &f.Combo30})
        *p = variant;
    f.Combo22 = variant ? 9 : 177;
    f.Combo23 = variant ? 120 : 40;
    f.Text6 = variant ? "42" : "7";
    f.Text20 = variant ? "155.02500" : "440.00000";
    f.Text21 = variant ? "0.60000" : "10.00000";
    v.Form2.Text2 = variant ? u"12AD*#9012AD*#90" : u"0987654321DCBA#*";
    v.Form2.Text3 = variant ? u"B0C12345" : u"54321C0B";
    for (int k = 0; k < image::FmPresetCount; ++k) {
        const int tenths = (variant ? 700 : 880) + 5 * k; // 70.00 / 88.00 upwards by 0.50
        v.Form5.presets[std::size_t(k)] =
            std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "0";
    }
    v.Form5.Combo1 = {variant ? 4 : 9, variant, 1 - variant};
    v.Form5.Text2 = variant ? "99.50" : "101.00";
    v.Form4 = variant ? image::PowerLevelValues{208, 116} : image::PowerLevelValues{100, 50};
    v.band = 0;
    return v;
}

} // namespace

int main(int argc, char** argv) {
    preferOffscreen();
    QApplication app(argc, argv);
    const int repetitions = repetitionsFrom(argc, argv, 400);
    const int warmUp = std::max(2, repetitions / 10);

    QTemporaryDir dir;
    auto window = shell::startProgram(shell::scratchFolders(dir.path()));
    std::array<image::MemoryImage, 2> images{};
    for (int variant = 0; variant < 2; ++variant)
        image::encodeImage(fullValues(variant), images[std::size_t(variant)]);
    auto imageFor = [&](int i) -> const image::MemoryImage& { return images[std::size_t(i % 2)]; };

    // The windows must give back what they were shown.
    for (const image::MemoryImage& full : images) {
        window->ReceiveImage = full;
        window->DecodeImage();
        window->EncodeImage();
        if (image::decodeImage(window->TransmitImage) != image::decodeImage(full)) {
            std::fprintf(stderr, "the windows did not give back the full image\n");
            return 1;
        }
    }

    auto letPaint = [](int) { QCoreApplication::processEvents(); };
    const double decode = medianNs(
        warmUp, repetitions,
        [&](int i) {
            window->ReceiveImage = imageFor(i);
            letPaint(i);
        },
        [&](int) { window->DecodeImage(); });
    const double encode = medianNs(
        warmUp, repetitions,
        [&](int i) {
            window->ReceiveImage = imageFor(i);
            window->DecodeImage();
            letPaint(i);
        },
        [&](int) { window->EncodeImage(); });

    // The baseline: byte k becomes the text of cell k mod 900, and back.
    QTableWidget bare(Rows, Cols);
    for (int cell = 0; cell < Cells; ++cell)
        bare.setItem(cell / Cols, cell % Cols, new QTableWidgetItem);
    bare.show();
    auto fillBare = [&](int i) {
        const image::MemoryImage& bytes = imageFor(i);
        for (std::size_t k = 0; k < image::ImageSize; ++k)
            bare.item(int(k % Cells) / Cols, int(k % Cells) % Cols)
                ->setText(QString::number(bytes[k], 16));
    };
    const double bareFill = medianNs(warmUp, repetitions, letPaint, fillBare);
    image::MemoryImage readBack{};
    const double bareRead = medianNs(
        warmUp, repetitions,
        [&](int i) {
            fillBare(i);
            letPaint(i);
        },
        [&](int) {
            for (std::size_t k = 0; k < image::ImageSize; ++k)
                readBack[k] = std::uint8_t(bare.item(int(k % Cells) / Cols, int(k % Cells) % Cols)
                                               ->text()
                                               .toUInt(nullptr, 16));
        });

    std::printf("repetitions (median of)             %d, warm-up %d\n", repetitions, warmUp);
    std::printf("DecodeImage, full image             %9.1f us\n", decode / 1000);
    std::printf("EncodeImage, full image             %9.1f us\n", encode / 1000);
    std::printf("bare 100x9 fill, 2048 hex setText   %9.1f us\n", bareFill / 1000);
    std::printf("bare 100x9 read, 2048 hex texts     %9.1f us\n", bareRead / 1000);
    std::printf("DecodeImage / bare fill             %9.2f  (target <= 3)\n", decode / bareFill);
    std::printf("EncodeImage / bare fill             %9.2f\n", encode / bareFill);
    std::printf("EncodeImage / bare read             %9.2f\n", encode / bareRead);
    return 0;
}
