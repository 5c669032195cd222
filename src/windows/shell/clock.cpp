#include "shell/clock.h"

#include <QTime>
#include <cmath>

namespace shell {

namespace {

constexpr double SecondsPerDay = 86400.0;

double systemTimeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

TimeOfDaySource& source() {
    static TimeOfDaySource current = systemTimeOfDay;
    return current;
}

} // namespace

double timeOfDay() {
    return source()();
}

void setTimeOfDaySource(TimeOfDaySource replacement) {
    source() = replacement ? std::move(replacement) : TimeOfDaySource(systemTimeOfDay);
}

std::int32_t wholeSeconds(double timeOfDay) {
    return static_cast<std::int32_t>(std::lround(timeOfDay));
}

double secondsSince(std::int32_t since, double now) {
    const double elapsed = now - since;
    // Rounding the stored second up puts `now` at most half a second before
    // it; anything further back is the next day.
    return elapsed < -1.0 ? elapsed + SecondsPerDay : elapsed;
}

} // namespace shell
