// Times Form1's RefreshGrid over 99 full channels, and a whole language
// switch of the started program, against filling a bare 100 x 9 table with
// the same texts. Run by hand: build/bin/refresh_grid_bench [repetitions]
#include "bench_timing.h"
#include "editors/channel_table.h"
#include "image/tone_codes.h"
#include "shell/apply_language.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "words/program_flags.h"

#include <QAction>
#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

constexpr int Rows = 100, Cols = 9;
using Texts = std::array<std::array<QString, Cols>, Rows>;

image::ChannelTableValues fullChannels() {
    image::ChannelTableValues values;
    for (int n = 1; n <= image::ChannelCount; ++n) {
        image::ChannelRow& row = values.row(n);
        const std::string freq = std::to_string(400 + n) + ".12500";
        row.freqText = {freq, freq};
        row.listIndex = {n, 261 - n, n % 2, (n + 1) % 2, n % 2, (n + 1) % 2};
        row.toneText = {std::string(image::toneText(n)), std::string(image::toneText(261 - n))};
    }
    return values;
}

Texts textsOf(const editors::ChannelTable& form) {
    Texts texts;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            texts[r][c] = form.cellText(r, c);
    return texts;
}

} // namespace

int main(int argc, char** argv) {
    preferOffscreen();
    QApplication app(argc, argv);
    const int repetitions = repetitionsFrom(argc, argv, 1000);
    const int warmUp = std::max(2, repetitions / 10);

    QTemporaryDir dir;
    auto window = shell::startProgram(shell::scratchFolders(dir.path()));
    auto* form = window->channelTable();
    form->showDecodedChannels(fullChannels());
    auto* chinese = window->findChild<QAction*>("MNChinese");
    auto* english = window->findChild<QAction*>("MNEnglish");

    // The grid's texts in both languages, for the bare table.
    english->trigger();
    const Texts englishTexts = textsOf(*form);
    chinese->trigger();
    const Texts chineseTexts = textsOf(*form);
    auto textsFor = [&](int i) -> const Texts& { return i % 2 ? chineseTexts : englishTexts; };
    auto setLanguage = [&](int i) { (i % 2 ? chinese : english)->trigger(); };

    // RefreshGrid alone: the lists already speak the other language.
    auto switchListsOnly = [&](int i) {
        ui::UILanguage = i % 2 ? 0 : 1;
        shell::ApplyLanguage(window.get());
    };
    const double refresh =
        medianNs(warmUp, repetitions, switchListsOnly, [&](int) { form->RefreshGrid(); });
    const double languageSwitch = medianNs(
        warmUp, repetitions, [](int) {}, setLanguage);

    QTableWidget bare(Rows, Cols);
    bare.show();
    const double bareFill = medianNs(
        warmUp, repetitions, [](int) {},
        [&](int i) {
            const Texts& texts = textsFor(i);
            for (int r = 0; r < Rows; ++r)
                for (int c = 0; c < Cols; ++c)
                    bare.setItem(r, c, new QTableWidgetItem(texts[r][c]));
        });
    const double bareSetText = medianNs(
        warmUp, repetitions, [](int) {},
        [&](int i) {
            const Texts& texts = textsFor(i);
            for (int r = 0; r < Rows; ++r)
                for (int c = 0; c < Cols; ++c)
                    bare.item(r, c)->setText(texts[r][c]);
        });

    std::printf("repetitions                         %d\n", repetitions);
    std::printf("RefreshGrid, 99 full channels       %9.1f us\n", refresh / 1000);
    std::printf("language switch (Apply + Refresh)   %9.1f us\n", languageSwitch / 1000);
    std::printf("bare 100x9 fill, new items          %9.1f us\n", bareFill / 1000);
    std::printf("bare 100x9 fill, setText on items   %9.1f us\n", bareSetText / 1000);
    std::printf("RefreshGrid / bare fill             %9.2f  (target <= 2)\n", refresh / bareFill);
    std::printf("RefreshGrid / bare setText          %9.2f\n", refresh / bareSetText);
    return 0;
}
