#include "records/route_snapshot.h"

#include "store/route.h"

#include <QFileInfo>

namespace records {

QList<store::RecordStep> readRouteSteps(const QString& routePath, int timeoutSeconds)
{
    QList<store::RecordStep> steps;
    // Reading must not make an empty route file where there is none.
    if (!QFileInfo(routePath).isFile())
        return steps;
    for (const store::Step& step : store::Route(routePath, timeoutSeconds).steps())
        steps.append(store::RecordStep{step.order.toInt(), step.photo, step.direction});
    return steps;
}

} // namespace records
