// Times File > History... over 100,000 records: the window's opening (made
// and shown) and each key typed into its filter. Each should stay under its
// limit: 0.3 s to open, 50 ms a key. The texts the filter looks through are
// gathered while the window waits for its first key, and timed apart.
// Run by hand: build/bin/history_window_bench [records]
#include "bench_timing.h"
#include "records/history.h"
#include "records/sqlite_history.h"
#include "shell/history_model.h"
#include "shell/history_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <string>

namespace {

// Fleet writes as the batch window keeps them: a code each, a backup, now
// and then a refusal.
bool fill(records::History& history, int count) {
    sqlite3_exec(dynamic_cast<records::SqliteHistory&>(history).connection(),
                 "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    const std::time_t start = 1796670900;
    for (int n = 0; n < count; ++n) {
        records::Record record;
        record.at = start + n * 37;
        record.action = n % 50 == 0 ? records::Action::Read : records::Action::Write;
        record.port = "port " + std::to_string(n % 8 + 1);
        record.device = "/dev/ttyUSB" + std::to_string(n % 8);
        record.file = "/home/bench/fleet/security.dat";
        record.band = n % 4;
        record.values = {{"dtmf.own_code", std::to_string(100000 + n)}};
        record.result = n % 97 == 0 ? "partial at block 0x310: the line was lost" : "verified";
        record.backup = "/home/bench/.local/share/tq305/backups/2026-12-08_0539" +
                        std::to_string(n % 60) + "_port" + std::to_string(n % 8 + 1) + "_band3.dat";
        if (!history.add(record))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    preferOffscreen();
    QApplication app(argc, argv);
    const int count = repetitionsFrom(argc, argv, 100000);
    QTemporaryDir folder;
    const std::string path = folder.filePath("history.sqlite").toStdString();
    std::string error;
    {
        const auto history = records::History::open(path, error);
        if (!history || !fill(*history, count)) {
            std::fprintf(stderr, "history_window_bench: %s\n", error.c_str());
            return 1;
        }
    }

    QElapsedTimer clock;
    clock.start();
    shell::HistoryWindow window(records::History::open(path, error), 1);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const double openMs = double(clock.nsecsElapsed()) / 1e6;

    // The texts the filter looks through are gathered while the window
    // waits for its first key; a key typed sooner waits for them.
    auto* model =
        static_cast<shell::HistoryModel*>(window.findChild<QTableView*>("TableHistory")->model());
    clock.start();
    model->gatherTexts();
    const double gatherMs = double(clock.nsecsElapsed()) / 1e6;

    // A code typed, then taken back, then a word of the results.
    auto* filter = window.findChild<QLineEdit*>("TextFilter");
    std::vector<double> keys;
    const auto timed = [&](const std::function<void()>& key) {
        clock.start();
        key();
        QCoreApplication::processEvents();
        keys.push_back(double(clock.nsecsElapsed()) / 1e6);
    };
    for (const char c : std::string("154321"))
        timed([&] { QTest::keyClick(filter, c); });
    for (int n = 0; n < 6; ++n)
        timed([&] { QTest::keyClick(filter, Qt::Key_Backspace); });
    for (const char c : std::string("partial"))
        timed([&] { QTest::keyClick(filter, c); });
    std::sort(keys.begin(), keys.end());
    std::printf("history window, %d records: opened in %.1f ms (limit 300); a filter key "
                "%.1f ms median, %.1f ms slowest (limit 50); the filter's texts gathered in "
                "%.1f ms of the time before the first key\n",
                count, openMs, keys[keys.size() / 2], keys.back(), gatherMs);
    return 0;
}
