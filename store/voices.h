#pragma once

#include <QHash>
#include <QString>

namespace store {

class Connection;

// The table, beside the route table, that gives steps a voice recorded by the parent. A voice
// belongs to a photo, as a step's photo path is its identity: renumbering, registering a step
// again and overwriting its direction keep it. Columns: 写真 (the photo path exactly as the
// route table holds it; empty for the goal) and ファイル (the voice file: a path relative to the
// route file's folder when the file lies there, else its full path).
inline constexpr const char16_t* kVoiceTable = u"声";

// The key of the goal's own voice.
inline QString goalVoiceKey()
{
    return QStringLiteral(""); // empty, not null: SQL compares it as text
}

// Every voice of the route file: the photo (or the goal's key) → the voice file as stored.
// Empty when the file has no voices. Throws platform::Failure.
QHash<QString, QString> readVoices(Connection& cn);
// The stored voice file of `photo`; empty when it has none.
QString voiceOf(Connection& cn, const QString& photo);
// Gives `photo` the voice file `stored`, replacing any voice it had. Makes the table on the
// first voice, with a trigger that moves a voice along when a step's photo path is changed in
// place (relinking moved photos). Runs inside the caller's transaction; throws platform::Failure.
void setVoice(Connection& cn, const QString& routeTable, const QString& photo,
              const QString& stored);
// The number of the step of `routeTable` whose photo is `photo`; empty when no step has it.
QString orderOfPhoto(Connection& cn, const QString& routeTable, const QString& photo);
void removeVoice(Connection& cn, const QString& photo);
// Gives each photo (or the goal's key) of `voices` its stored voice file, in one change of its
// own on the route file of `connectString`. Throws platform::Failure; on failure nothing has
// changed.
void setVoices(const QString& connectString, const QString& routeTable,
               const QHash<QString, QString>& voices);
// Makes `voices` (photo or the goal's key → stored file) the route's only voices, as for a
// route replaced whole. Runs inside the caller's transaction; throws platform::Failure.
void replaceVoices(Connection& cn, const QString& routeTable,
                   const QHash<QString, QString>& voices);
// Forgets the voices of photos that no step of `routeTable` has any more (deleted steps); the
// goal's voice stays. Runs inside the caller's transaction; throws platform::Failure.
void dropVoicesWithoutStep(Connection& cn, const QString& routeTable);

} // namespace store
