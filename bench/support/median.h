#pragma once

#include <vector>

namespace bench {

// The middle of `figures` (the mean of the two middle ones when their number is even); NaN,
// which prints as "nan", when there are none.
double median(std::vector<double> figures);

} // namespace bench
