#include "store/step.h"

#include <cstdlib>

namespace store {

QString StepKey(long long n)
{
    // Only the last three digits fit the key, so 1000 gives "000", which no step has.
    return QStringLiteral("%1").arg(std::abs(n % 1000), 3, 10, QLatin1Char('0'));
}

} // namespace store
