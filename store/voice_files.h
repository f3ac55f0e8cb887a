#pragma once

#include <QString>
#include <QStringList>

namespace store {

// A route's voices are files in a folder of their own beside the route file, named by the
// program; the voice table refers to them (see voices.h).

// The folder of the voices of `routeFile`: "<name>_声" beside "<name>.mdb".
QString voiceFolder(const QString& routeFile);
// The full path of the voice file `stored` (as the voice table holds it).
QString voicePath(const QString& routeFile, const QString& stored);
// How the voice table holds `path`: relative to the route file's folder when the file lies in
// it (so that the route file and its voice folder can be moved together), else in full.
QString storedVoiceName(const QString& routeFile, const QString& path);

// Reserves a new, empty file in the voice folder for a voice of type `suffix` ("mp3") and
// returns its path; makes the folder when it is missing. Throws platform::Failure when the folder
// can't be made or written (read-only, full).
QString newVoiceFile(const QString& routeFile, const QString& suffix);
// Copies `source` into the voice folder under a new name and returns the copy's path; nothing
// is left behind when it fails. Throws platform::Failure.
QString copyIntoVoiceFolder(const QString& routeFile, const QString& source);
// Removes the files of the voice folder that none of `stored` names any more; other files and
// folders are never touched. Returns the files it could not remove.
QStringList removeUnusedVoiceFiles(const QString& routeFile, const QStringList& stored);

} // namespace store
