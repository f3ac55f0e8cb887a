#include "share/progress.h"

#include "share/share_error.h"

namespace share {

void report(const Progress& progress, int done, int total)
{
    if (progress && !progress(done, total))
        throw ShareError(ShareError::Kind::Cancelled, QStringLiteral("中止しました。"));
}

} // namespace share
