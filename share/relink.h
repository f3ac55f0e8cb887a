#pragma once

#include "share/progress.h"

#include <QStringList>

namespace share {

struct RelinkResult
{
    int mended = 0;
    QStringList stillMissing; // photo paths of the steps left as they were
    int voicesMended = 0;
    QStringList voicesStillMissing; // voice files not found
};

// The photo paths of the route that name no file, each once, in the route's order.
QStringList missingPhotos(const QString& routePath);
// The voice files of the route that are not there.
QStringList missingVoiceFiles(const QString& routePath);

// For every step whose photo is missing, looks for a picture of the same name in `folder` or
// below (a file that does not decode as a picture is never taken; a name in another case,
// IMG_0002.JPG for img_0002.jpg, only when no file has the very name) and gives the step that
// file's path, all in one change that addresses the rows read by their row ids. When the name
// is found more than once, the file whose folders match the old path's folders best (counted
// from the file upwards) wins; when two match equally well, or the file is already another
// step's photo, the step is left alone. Voice files that are missing are looked for by name in
// the same way. Throws platform::Failure or platform::Failure (Cancelled).
RelinkResult relinkPhotos(const QString& routePath, const QString& folder,
                          const Progress& progress = {});

} // namespace share
