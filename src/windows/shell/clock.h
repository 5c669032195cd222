#pragma once

#include <cstdint>
#include <functional>

// The time of day the hidden click sequences measure, from one replaceable
// source so a test can stand at any moment, midnight included.
namespace shell {

using TimeOfDaySource = std::function<double()>;

// Seconds since midnight with their fraction (0 <= t < 86400).
double timeOfDay();

// Replaces the source; an empty function restores the system clock.
void setTimeOfDaySource(TimeOfDaySource source);

// A time of day rounded to a whole second, as the click windows store it.
std::int32_t wholeSeconds(double timeOfDay);

// Seconds from `since` (a stored whole second) to `now`. A difference far
// below zero means midnight came in between, and the day is added back.
double secondsSince(std::int32_t since, double now);

} // namespace shell
