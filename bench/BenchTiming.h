#pragma once

#include <functional>
#include <utility>

namespace vek {

// The fastest of several runs of ours and of raw, in milliseconds, the two taking turns
// so that a busy machine weighs on both alike. prepare runs before every single run.
std::pair<double, double> Compare(const std::function<void()> &ours, const std::function<void()> &raw,
                                  const std::function<void()> &prepare = {});

// One line: what was timed, both times and their ratio.
void Report(const char *what, std::pair<double, double> times);

// Ends the benchmark with a message when ok is false.
void Check(bool ok, const char *what);

} // namespace vek
