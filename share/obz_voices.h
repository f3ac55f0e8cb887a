#pragma once

#include <QHash>
#include <QString>

// The parent's recorded voices in a board archive: each step board carries its voice as the
// board's sound, named by the photo button's sound_id; the goal board's button carries the
// goal's.
namespace share::obz {

inline constexpr char kSoundFolder[] = "sounds";

// Whether an archive entry's name is a sound the program takes in (WAV, MP3, Ogg/Opus, M4A).
bool soundSuffix(const QString& path);
// The MIME type written for a sound file of that suffix.
QString soundContentType(const QString& path);
QString soundId(int number);

// The voice files of the route at `routePath` that are there: a step's photo, or the goal's
// key, to the file's full path. Throws platform::Failure.
QHash<QString, QString> routeVoiceFiles(const QString& routePath);

} // namespace share::obz
