#pragma once

#include "core/SubtotalWalk.h"

namespace vek {

class Dataset;

// The sums under a breakdown as its footer shows them, from the rows' display fields: the
// material amount its text PCST22 shows, only on rows without supplied material (RECV 0);
// the labour and expense amounts LCST22 and SCST22. Each is summed in fixed point, every
// new sum rounded to a whole ten-thousandth.
class BreakdownFooter {
public:
    // Adds the current row of rows.
    void Add(const Dataset &rows);
    // The footer's values: each sum cut to whole units toward zero after a nudge of 0.001
    // away from zero (so a negative sum keeps its whole units: -3,000 stays -3,000), and
    // the three sums together cut the same way as the total.
    RollupSums Values() const;

private:
    Currency material_;
    Currency labour_;
    Currency expense_;
};

} // namespace vek
