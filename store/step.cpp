#include "store/step.h"

namespace store {

QString StepKey(long long n)
{
    return (QStringLiteral("000") + QString::number(n)).right(3);
}

} // namespace store
