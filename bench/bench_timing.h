// Timing shared by the benchmarks.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

// Median nanoseconds of `timed`, after `warmUp` untimed runs; `prepare`
// runs before each, untimed (it lets the window paint what changed).
inline double medianNs(int warmUp, int repetitions, const std::function<void(int)>& prepare,
                       const std::function<void(int)>& timed) {
    for (int i = 0; i < warmUp; ++i) {
        prepare(i);
        timed(i);
    }
    std::vector<qint64> samples;
    samples.reserve(std::size_t(repetitions));
    QElapsedTimer clock;
    for (int i = 0; i < repetitions; ++i) {
        prepare(i);
        clock.start();
        timed(i);
        samples.push_back(clock.nsecsElapsed());
    }
    std::nth_element(samples.begin(), samples.begin() + repetitions / 2, samples.end());
    return double(samples[std::size_t(repetitions / 2)]);
}

// The windows are measured without a display unless one is asked for.
inline void preferOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The repetitions given on the command line, else `fallback`.
inline int repetitionsFrom(int argc, char** argv, int fallback) {
    return argc > 1 ? std::max(1, std::atoi(argv[1])) : fallback;
}
