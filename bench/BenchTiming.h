#pragma once

#include <functional>
#include <utility>

namespace vek {

// Times of our work and of the raw work of the same size, in milliseconds.
struct BenchTimes {
    double ours;
    double raw;
};

// The fastest of repeats runs of each, the two taking turns so that a busy machine weighs
// on both alike; prepare, when given, runs untimed before every run of either.
BenchTimes CompareTimes(int repeats, const std::function<void()> &ours, const std::function<void()> &raw,
                        const std::function<void()> &prepare = {});
// Prints one line: what, the two times (ours labelled oursLabel) and their ratio.
void ReportTimes(const char *what, const char *oursLabel, BenchTimes times);
// Ends the benchmark with a message when ok is false.
void Check(bool ok, const char *what);

} // namespace vek
