#include "records/route_snapshot.h"

#include "store/route.h"

#include <QFileInfo>

namespace records {

QList<store::Step> readRouteSteps(const QString& routePath, int timeoutSeconds)
{
    // Reading must not make an empty route file where there is none.
    if (!QFileInfo(routePath).isFile())
        return {};
    return store::Route(routePath, timeoutSeconds, store::IfMissing::Fail).steps();
}

} // namespace records
