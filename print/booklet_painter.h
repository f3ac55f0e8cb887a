#pragma once

#include "store/step.h"

#include <QList>
#include <QString>
#include <functional>

class QPagedPaintDevice;

namespace booklet {

// The booklet prints a route's steps (store::Step: photo and direction), numbered by their
// place in the list from 1.
using store::Step;

struct Options
{
    int perPage = 2;       // 1, 2 or 4 steps a page
    int dpi = 200;         // photos are decoded for this many dots per inch of their printed size
    bool fullSize = false; // place every photo at its full resolution instead (for comparison)
};

// Told how many panels of how many are done; returns false to stop.
using Progress = std::function<bool(int done, int total)>;

// The word a young child reads for a direction; the direction itself when it is none of the
// three arrows.
QString DirectionWord(const QString& direction);

// Paints the booklet of `steps` and a last "ゴール" panel on `device`, laid out for its page
// layout. Photos are decoded one at a time at reduced size; a missing or unreadable one gets a
// placeholder naming the file. False when the device can't be painted on; throws
// platform::Failure (Cancelled) when `progress` answers false.
bool PaintBooklet(QPagedPaintDevice& device, const QList<Step>& steps, const Options& options,
                  const Progress& progress = {});

} // namespace booklet
