#include "share/progress.h"

#include "share/messages.h"

namespace share {

void report(const Progress& progress, int done, int total)
{
    if (progress && !progress(done, total))
        throw cancelled();
}

} // namespace share
