#pragma once

#include <functional>
#include <utility>

namespace vek {

// The fastest of `repeats` runs of each of the two works in milliseconds, the two taking
// turns so that a busy machine weighs on both alike.
std::pair<double, double> FastestInTurns(const std::function<void()> &ours, const std::function<void()> &raw,
                                         int repeats);

} // namespace vek
