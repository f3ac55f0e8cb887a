#include "support/median.h"

#include <algorithm>
#include <limits>

namespace bench {

double median(std::vector<double> figures)
{
    if (figures.empty())
        return std::numeric_limits<double>::quiet_NaN();
    std::sort(figures.begin(), figures.end());
    const size_t middle = figures.size() / 2;
    return figures.size() % 2 ? figures[middle] : (figures[middle - 1] + figures[middle]) / 2;
}

} // namespace bench
