#pragma once

#include "store/step.h"

#include <QHash>
#include <QList>
#include <QString>

namespace share {

// Every step of the route file at `routePath`, in the route's order. A missing file is not made
// by reading it: that throws platform::Failure too.
QList<store::Step> readSteps(const QString& routePath);

// Replaces every step of the route file at `routePath` by `steps` (photo and direction),
// numbered "001", "002", ... in their order, and its voices by `voices` (photo or the goal's key
// → stored voice file), as one change: on any failure the route stays as it was. Throws
// platform::Failure.
void replaceSteps(const QString& routePath, const QList<store::Step>& steps,
                  const QHash<QString, QString>& voices = {});

// A copy of the route file beside it, named with the date and time as every copy the program
// keeps ("ADO_LANE.mdb.2026-01-05_09-30-00.bak"); returns its path, or an empty string when
// there is no route file to keep.
// Throws platform::Failure when the copy can't be written.
QString keepDatedCopy(const QString& routePath);

} // namespace share
