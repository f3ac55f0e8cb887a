#pragma once

#include "share/progress.h"

#include <QStringList>

namespace share {

struct ExportResult
{
    int steps = 0;
    QStringList missing;    // photos not found, put in as placeholders
    QStringList unreadable; // files that are there but do not decode as pictures, likewise
};

// Writes the route at `routePath` with its photos into the board archive `outPath`, replacing
// that file only once the new one is complete: a failure or a kill leaves any earlier file as
// it was. A route that could not be read back in (more steps than a route may have, a direction
// that is no arrow) is refused, naming what is wrong. Throws platform::Failure.
ExportResult exportRoute(const QString& routePath, const QString& outPath,
                         const Progress& progress = {});

} // namespace share
