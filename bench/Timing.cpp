#include "Timing.h"

#include <QElapsedTimer>

#include <algorithm>

namespace vek {

std::pair<double, double> FastestInTurns(const std::function<void()> &ours, const std::function<void()> &raw,
                                         int repeats)
{
    double best[2] = {1e300, 1e300};
    for (int i = 0; i < repeats; ++i) {
        int k = 0;
        for (const std::function<void()> *work : {&ours, &raw}) {
            QElapsedTimer timer;
            timer.start();
            (*work)();
            best[k] = std::min(best[k], double(timer.nsecsElapsed()) / 1e6);
            ++k;
        }
    }
    return {best[0], best[1]};
}

} // namespace vek
