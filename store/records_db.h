#pragma once

#include "store/step.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <functional>
#include <memory>

// The practice records of one route: an SQLite file of their own beside the route file, never a
// table in the route file. Sessions of practice (and walks on the real route entered by the
// adult), the route's steps as they were when each began, and everything that happened in them.
namespace store {

// The records file of the route file `routeFile`: "<route>.records.sqlite" beside it.
QString recordsPathFor(const QString& routeFile);

// Kinds of events, as stored.
namespace event {
inline constexpr char kShow[] = "show";       // a step's photo appeared
inline constexpr char kPress[] = "press";     // an arrow was pressed
inline constexpr char kBack[] = "back";       // "もどる"
inline constexpr char kGoal[] = "goal";       // the goal message
inline constexpr char kMissing[] = "missing"; // a step's photo could not be shown
inline constexpr char kOutage[] = "outage";   // the route file could not be read
inline constexpr char kEnd[] = "end";         // the practice window was closed
} // namespace event

struct RecordEvent
{
    qint64 at = 0; // milliseconds since 1970-01-01 UTC
    QString kind;
    int step = 0;
    QString photo;
    QString expected; // presses: the step's direction
    QString pressed;  // presses: the arrow pressed
    bool right = false;
    int attempt = 0;         // presses: 1 for the first press at this showing of the step
    qint64 msSincePhoto = 0; // presses: time since the photo appeared
    QString input;           // presses and "もどる": "mouse", "key", "touch", "switch"
    bool waiting = false;    // pressed during the second after a right answer
    QString detail;          // outages: the reason
};

inline constexpr char kPractice[] = "practice";
inline constexpr char kWalk[] = "walk";

struct RecordSession
{
    qint64 id = 0;
    QString kind = QString::fromLatin1(kPractice);
    qint64 started = 0;
    qint64 ended = 0; // 0: never closed (cut off); the last event tells how far it went
    QString child;
    QString note;
    QList<Step> steps;
    QList<RecordEvent> events; // practice only, in order
    QList<int> help;           // walks only: the help needed at each step of `steps` (0..4)
};

// One connection to a records file, used by one thread. Every failure throws a platform::Failure
// naming the records file.
class RecordsDb
{
public:
    RecordsDb();
    RecordsDb(const RecordsDb&) = delete;
    RecordsDb& operator=(const RecordsDb&) = delete;
    ~RecordsDb();

    // Opens the records file at `path`, making it when it is missing and `create` is set (a
    // missing file is otherwise an empty set of records: exists() is false). `busyMs` is how
    // long a statement waits for another program that holds the file.
    void open(const QString& path, bool create, int busyMs);
    bool exists() const { return m_db.isOpen(); }
    void close();

    // Starts a session with the route's steps as they are; returns its id.
    qint64 beginSession(const QString& kind, qint64 started, const QString& child,
                        const QList<Step>& steps);
    // Each event is committed on its own, so that a crash loses nothing written before it.
    void addEvent(qint64 session, const RecordEvent& event);
    void endSession(qint64 session, qint64 at);
    // A walk on the real route: the help needed at each step, with a note.
    qint64 addWalk(qint64 when, const QString& child, const QString& note, const QList<Step>& steps,
                   const QList<int>& help);
    // Writes whole sessions (steps, events, help) in one transaction, as when records are
    // brought over from another file; the sessions get new ids.
    void insertSessions(const QList<RecordSession>& sessions);

    // Every session with its steps and events, oldest first.
    QList<RecordSession> readAll();

    // Erases every record and rewrites the file so that nothing of them stays readable in it.
    void eraseAll();

private:
    [[noreturn]] void fail(const QSqlError& error) const;
    void exec(const QString& sql);
    // The rows `sql` selects, read once from first to last.
    QSqlQuery select(const QString& sql);
    void checkSchema();
    // Runs `change` as one transaction: committed whole, or rolled back when it throws.
    void inTransaction(const std::function<void()>& change);
    // The session's row and its copy of the route's steps, inside the caller's transaction.
    qint64 insertSession(const QString& kind, qint64 started, const QString& child,
                         const QList<Step>& steps);

    QString m_name;
    QString m_path;
    QSqlDatabase m_db;
    std::unique_ptr<QSqlQuery> m_insertEvent;
};

// Moves a damaged records file (and what SQLite keeps beside it) aside under a dated name, so
// that a new one can be started; returns the new name, or an empty string when it could not.
QString keepDamagedRecords(const QString& path);

} // namespace store
