#pragma once

#include "share/progress.h"

#include <QStringList>

namespace share {

struct ExportResult
{
    int steps = 0;
    QStringList missing; // photos that could not be read, put in as placeholders
};

// Writes the route at `routePath` with its photos into the board archive `outPath`, replacing
// that file only once the new one is complete. Throws ShareError or store::StoreError.
ExportResult exportRoute(const QString& routePath, const QString& outPath,
                         const Progress& progress = {});

} // namespace share
