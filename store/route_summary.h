#pragma once

#include <QString>

namespace store {

// What a list of routes shows of one route file.
struct RouteSummary
{
    int steps = 0;
    QString firstPhoto; // the photo of the lowest order number; empty for an empty route
    QString problem;    // why the file can't be read, for the adult; empty when it was read
};

// Counts the steps of the route file at `routePath` and finds its first photo. Never throws: a
// file that can't be read gives its reason in `problem`.
RouteSummary SummariseRoute(const QString& routePath);

} // namespace store
