#include "BenchTiming.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vek {

BenchTimes CompareTimes(int repeats, const std::function<void()> &ours, const std::function<void()> &raw,
                        const std::function<void()> &prepare)
{
    double best[2] = {1e300, 1e300};
    for (int i = 0; i < repeats; ++i) {
        int k = 0;
        for (const std::function<void()> *work : {&ours, &raw}) {
            if (prepare)
                prepare();
            QElapsedTimer timer;
            timer.start();
            (*work)();
            best[k] = std::min(best[k], double(timer.nsecsElapsed()) / 1e6);
            ++k;
        }
    }
    return {best[0], best[1]};
}

void ReportTimes(const char *what, const char *oursLabel, BenchTimes times)
{
    std::printf("%-38s %s %9.1f ms   raw %9.1f ms   ratio %.2f\n", what, oursLabel, times.ours, times.raw,
                times.ours / times.raw);
}

void Check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "benchmark: %s failed\n", what);
        std::exit(1);
    }
}

} // namespace vek
