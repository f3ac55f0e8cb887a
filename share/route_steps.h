#pragma once

#include <QList>
#include <QString>

namespace share {

// One step of the route as stored: its number, its photo's full path and its direction.
struct RouteStep
{
    QString order;
    QString photo;
    QString direction;
    bool operator==(const RouteStep&) const = default;
};

// The route table's name as the program uses it.
QString routeTable();

// Every step of the route file at `routePath`, in the route's order. Throws store::StoreError.
QList<RouteStep> readSteps(const QString& routePath);

// Replaces every step of the route file at `routePath` by `steps`, numbered "001", "002", ...
// in their order, as one change: on any failure the route stays as it was. Throws
// store::StoreError.
void replaceSteps(const QString& routePath, const QList<RouteStep>& steps);

// A copy of the route file beside it, named with the date and time as every copy the program
// keeps ("ADO_LANE.mdb.2026-01-05_09-30-00.bak"); returns its path, or an empty string when
// there is no route file to keep.
// Throws ShareError when the copy can't be written.
QString keepDatedCopy(const QString& routePath);

} // namespace share
