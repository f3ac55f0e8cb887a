#pragma once

#include <QString>

namespace app {

// Writes the sample route (six steps to school) at `routeFile`, its photos named in
// `photoFolder`. A route file that exists already is someone's route: it is left exactly as it
// is, and false is returned. True when the sample was written. Throws platform::Failure.
bool writeSampleRoute(const QString& routeFile, const QString& photoFolder);

// Copies the sample photos from `from` into `to` (made when missing), keeping any file of the
// same name that is there already. False when a photo could not be copied.
bool copySamplePhotos(const QString& from, const QString& to);

} // namespace app
