#pragma once

#include "store/records_db.h"

namespace records {

// The steps of the route file `routePath` as they are now, numbered by their order numbers.
// An empty list when the file is missing; throws platform::Failure when it can't be read.
QList<store::Step> readRouteSteps(const QString& routePath, int timeoutSeconds = 10);

} // namespace records
