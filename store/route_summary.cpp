#include "store/route_summary.h"

#include "platform/failure.h"
#include "store/route.h"

namespace store {

RouteSummary SummariseRoute(const QString& routePath)
{
    RouteSummary summary;
    try {
        // A list waits on no other program: one that holds the file just shows no count yet.
        const QList<Step> steps = Route(routePath, 1, IfMissing::Fail).steps();
        summary.steps = int(steps.size());
        if (!steps.isEmpty())
            summary.firstPhoto = steps.first().photo;
    } catch (const platform::Failure& e) {
        summary.problem = e.text();
    }
    return summary;
}

} // namespace store
