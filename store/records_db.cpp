#include "store/records_db.h"

#include "store/messages.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

namespace store {
namespace {

using platform::Failure;
using Kind = Failure::Kind;
namespace text = messages;

constexpr int kSchemaVersion = 1;

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS sessions ("
    " id INTEGER PRIMARY KEY,"
    " kind TEXT NOT NULL CHECK (kind IN ('practice', 'walk')),"
    " started INTEGER NOT NULL,"
    " ended INTEGER,"
    " child TEXT NOT NULL DEFAULT '',"
    " note TEXT NOT NULL DEFAULT '')",
    "CREATE TABLE IF NOT EXISTS session_steps ("
    " session INTEGER NOT NULL REFERENCES sessions (id) ON DELETE CASCADE,"
    " number INTEGER NOT NULL,"
    " photo TEXT NOT NULL,"
    " direction TEXT NOT NULL,"
    " help INTEGER,"
    " PRIMARY KEY (session, number))",
    "CREATE TABLE IF NOT EXISTS events ("
    " id INTEGER PRIMARY KEY,"
    " session INTEGER NOT NULL REFERENCES sessions (id) ON DELETE CASCADE,"
    " at INTEGER NOT NULL,"
    " kind TEXT NOT NULL,"
    " step INTEGER NOT NULL DEFAULT 0,"
    " photo TEXT,"
    " expected TEXT,"
    " pressed TEXT,"
    " right INTEGER,"
    " attempt INTEGER,"
    " ms INTEGER,"
    " input TEXT,"
    " waiting INTEGER,"
    " detail TEXT)",
    "CREATE INDEX IF NOT EXISTS events_by_session ON events (session, id)",
};

QString connectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("records-%1").arg(counter.fetchAndAddRelaxed(1));
}

// What a failed statement on the records means to the adult, from SQLite's result code.
Failure failureOf(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    switch (ok ? code & 0xff : -1) {
    case 5:
    case 6:
        return Failure(Kind::Locked, text::kRecordsBusy, error.text());
    case 8:
        return Failure(Kind::ReadOnly, text::kRecordsReadOnly, error.text());
    case 13:
        return Failure(Kind::DiskFull, text::kRecordsDiskFull, error.text());
    case 11:
    case 26:
        return Failure(Kind::Damaged, text::kRecordsDamaged, error.text());
    default:
        return Failure(Kind::Failed, text::kRecordsFailed, error.text());
    }
}

} // namespace

QString recordsPathFor(const QString& routeFile)
{
    const QFileInfo route(routeFile);
    return route.absoluteDir().filePath(route.completeBaseName() +
                                        QStringLiteral(".records.sqlite"));
}

RecordsDb::RecordsDb() : m_name(connectionName()) {}

RecordsDb::~RecordsDb()
{
    close();
}

void RecordsDb::close()
{
    m_insertEvent.reset();
    if (!m_db.isValid())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

void RecordsDb::fail(const QSqlError& error) const
{
    Failure failure = failureOf(error);
    failure.about(m_path);
    throw failure;
}

void RecordsDb::exec(const QString& sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(sql))
        fail(query.lastError());
}

QSqlQuery RecordsDb::select(const QString& sql)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        fail(query.lastError());
    return query;
}

void RecordsDb::open(const QString& path, bool create, int busyMs)
{
    close();
    m_path = path;
    const bool present = QFileInfo::exists(path);
    if (!present && !create)
        return;
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyMs));
    m_db.setDatabaseName(
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        (present ? QStringLiteral("?mode=rw") : QStringLiteral("?mode=rwc")));
    if (!m_db.open()) {
        const QSqlError error = m_db.lastError();
        close();
        fail(error);
    }
    checkSchema();
}

void RecordsDb::checkSchema()
{
    // The first statement tells a file that is not SQLite (opening alone does not).
    QSqlQuery version(m_db);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        fail(version.lastError());
    QSqlQuery tables(m_db);
    if (!tables.exec(
            QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'sessions'")) ||
        !tables.next())
        fail(tables.lastError());
    exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    // Erased records are overwritten, not merely unlinked.
    exec(QStringLiteral("PRAGMA secure_delete = ON"));
    if (tables.value(0).toInt() == 0) {
        // A fresh file: written ahead in a log, each commit safe from a crash of the program.
        QSqlQuery mode(m_db);
        mode.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        for (const char* statement : kSchema)
            exec(QString::fromLatin1(statement));
        exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    } else if (version.value(0).toInt() > kSchemaVersion) {
        throw Failure(Kind::Failed, text::kRecordsNewer,
                      QStringLiteral("user_version %1").arg(version.value(0).toInt()))
            .about(m_path);
    }
    exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
}

void RecordsDb::inTransaction(const std::function<void()>& change)
{
    if (!m_db.transaction())
        fail(m_db.lastError());
    auto rollback = qScopeGuard([this] { m_db.rollback(); });
    change();
    if (!m_db.commit())
        fail(m_db.lastError());
    rollback.dismiss();
}

qint64 RecordsDb::insertSession(const QString& kind, qint64 started, const QString& child,
                                const QList<Step>& steps)
{
    QSqlQuery session(m_db);
    session.prepare(QStringLiteral(
        "INSERT INTO sessions (kind, started, child) VALUES (:kind, :started, :child)"));
    session.bindValue(QStringLiteral(":kind"), kind);
    session.bindValue(QStringLiteral(":started"), started);
    session.bindValue(QStringLiteral(":child"), child.isNull() ? QStringLiteral("") : child);
    if (!session.exec())
        fail(session.lastError());
    const qint64 id = session.lastInsertId().toLongLong();
    QSqlQuery step(m_db);
    step.prepare(QStringLiteral("INSERT INTO session_steps (session, number, photo, direction) "
                                "VALUES (?, ?, ?, ?)"));
    for (const Step& s : steps) {
        step.addBindValue(id);
        step.addBindValue(s.number());
        step.addBindValue(s.photo);
        step.addBindValue(s.direction);
        if (!step.exec())
            fail(step.lastError());
    }
    return id;
}

qint64 RecordsDb::beginSession(const QString& kind, qint64 started, const QString& child,
                               const QList<Step>& steps)
{
    qint64 id = 0;
    inTransaction([&] { id = insertSession(kind, started, child, steps); });
    return id;
}

void RecordsDb::addEvent(qint64 session, const RecordEvent& e)
{
    // Prepared once per connection: a press costs the writing thread as little as it can.
    if (!m_insertEvent) {
        m_insertEvent = std::make_unique<QSqlQuery>(m_db);
        if (!m_insertEvent->prepare(QStringLiteral(
                "INSERT INTO events (session, at, kind, step, photo, expected, pressed, right, "
                "attempt, ms, input, waiting, detail) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {
            const QSqlError error = m_insertEvent->lastError();
            m_insertEvent.reset();
            fail(error);
        }
    }
    QSqlQuery& query = *m_insertEvent;
    const bool press = e.kind == QLatin1String(event::kPress);
    const auto text = [](const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); };
    query.addBindValue(session);
    query.addBindValue(e.at);
    query.addBindValue(e.kind);
    query.addBindValue(e.step);
    query.addBindValue(text(e.photo));
    query.addBindValue(press ? QVariant(e.expected) : QVariant());
    query.addBindValue(text(e.pressed));
    query.addBindValue(press ? QVariant(int(e.right)) : QVariant());
    query.addBindValue(press ? QVariant(e.attempt) : QVariant());
    query.addBindValue(press ? QVariant(e.msSincePhoto) : QVariant());
    query.addBindValue(text(e.input));
    query.addBindValue(press ? QVariant(int(e.waiting)) : QVariant());
    query.addBindValue(text(e.detail));
    if (!query.exec())
        fail(query.lastError());
}

void RecordsDb::endSession(qint64 session, qint64 at)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("UPDATE sessions SET ended = ? WHERE id = ?"));
    query.addBindValue(at);
    query.addBindValue(session);
    if (!query.exec())
        fail(query.lastError());
}

qint64 RecordsDb::addWalk(qint64 when, const QString& child, const QString& note,
                          const QList<Step>& steps, const QList<int>& help)
{
    // The walk is written whole: its steps, the help at each and its note, or nothing.
    qint64 id = 0;
    inTransaction([&] {
        id = insertSession(QString::fromLatin1(kWalk), when, child, steps);
        QSqlQuery update(m_db);
        update.prepare(
            QStringLiteral("UPDATE session_steps SET help = ? WHERE session = ? AND number = ?"));
        for (int i = 0; i < steps.size() && i < help.size(); ++i) {
            update.addBindValue(help[i]);
            update.addBindValue(id);
            update.addBindValue(steps[i].number());
            if (!update.exec())
                fail(update.lastError());
        }
        QSqlQuery session(m_db);
        session.prepare(QStringLiteral("UPDATE sessions SET note = ?, ended = ? WHERE id = ?"));
        session.addBindValue(note.isNull() ? QStringLiteral("") : note);
        session.addBindValue(when);
        session.addBindValue(id);
        if (!session.exec())
            fail(session.lastError());
    });
    return id;
}

void RecordsDb::insertSessions(const QList<RecordSession>& sessions)
{
    inTransaction([&] {
        QSqlQuery session(m_db);
        session.prepare(QStringLiteral(
            "INSERT INTO sessions (kind, started, ended, child, note) VALUES (?, ?, ?, ?, ?)"));
        QSqlQuery step(m_db);
        step.prepare(QStringLiteral("INSERT INTO session_steps (session, number, photo, direction, "
                                    "help) VALUES (?, ?, ?, ?, ?)"));
        for (const RecordSession& s : sessions) {
            session.addBindValue(s.kind);
            session.addBindValue(s.started);
            session.addBindValue(s.ended ? QVariant(s.ended) : QVariant());
            session.addBindValue(s.child.isNull() ? QStringLiteral("") : s.child);
            session.addBindValue(s.note.isNull() ? QStringLiteral("") : s.note);
            if (!session.exec())
                fail(session.lastError());
            const qint64 id = session.lastInsertId().toLongLong();
            for (int i = 0; i < s.steps.size(); ++i) {
                step.addBindValue(id);
                step.addBindValue(s.steps[i].number());
                step.addBindValue(s.steps[i].photo);
                step.addBindValue(s.steps[i].direction);
                step.addBindValue(i < s.help.size() ? QVariant(s.help[i]) : QVariant());
                if (!step.exec())
                    fail(step.lastError());
            }
            for (const RecordEvent& e : s.events)
                addEvent(id, e);
        }
    });
}

QList<RecordSession> RecordsDb::readAll()
{
    QList<RecordSession> sessions;
    if (!exists())
        return sessions;
    QHash<qint64, qsizetype> at;
    QSqlQuery s =
        select(QStringLiteral("SELECT id, kind, started, ended, child, note FROM sessions "
                              "ORDER BY started, id"));
    while (s.next()) {
        RecordSession session;
        session.id = s.value(0).toLongLong();
        session.kind = s.value(1).toString();
        session.started = s.value(2).toLongLong();
        session.ended = s.value(3).toLongLong();
        session.child = s.value(4).toString();
        session.note = s.value(5).toString();
        at.insert(session.id, sessions.size());
        sessions.append(std::move(session));
    }
    QSqlQuery st = select(QStringLiteral("SELECT session, number, photo, direction, help FROM "
                                         "session_steps ORDER BY session, number"));
    while (st.next()) {
        const auto it = at.constFind(st.value(0).toLongLong());
        if (it == at.constEnd())
            continue;
        RecordSession& session = sessions[*it];
        session.steps.append(
            Step{-1, StepKey(st.value(1).toInt()), st.value(2).toString(), st.value(3).toString()});
        if (session.kind == QLatin1String(kWalk))
            session.help.append(st.value(4).isNull() ? -1 : st.value(4).toInt());
    }
    QSqlQuery e = select(
        QStringLiteral("SELECT session, at, kind, step, photo, expected, pressed, right, "
                       "attempt, ms, input, waiting, detail FROM events ORDER BY session, id"));
    qint64 last = -1;
    RecordSession* session = nullptr;
    while (e.next()) {
        const qint64 id = e.value(0).toLongLong();
        if (id != last) {
            last = id;
            const auto it = at.constFind(id);
            session = it == at.constEnd() ? nullptr : &sessions[*it];
        }
        if (!session)
            continue;
        RecordEvent ev;
        ev.at = e.value(1).toLongLong();
        ev.kind = e.value(2).toString();
        ev.step = e.value(3).toInt();
        ev.photo = e.value(4).toString();
        ev.expected = e.value(5).toString();
        ev.pressed = e.value(6).toString();
        ev.right = e.value(7).toInt() != 0;
        ev.attempt = e.value(8).toInt();
        ev.msSincePhoto = e.value(9).toLongLong();
        ev.input = e.value(10).toString();
        ev.waiting = e.value(11).toInt() != 0;
        ev.detail = e.value(12).toString();
        session->events.append(std::move(ev));
    }
    return sessions;
}

void RecordsDb::eraseAll()
{
    if (!exists())
        return;
    exec(QStringLiteral("DELETE FROM events"));
    exec(QStringLiteral("DELETE FROM session_steps"));
    exec(QStringLiteral("DELETE FROM sessions"));
    // Rewritten whole, then the log emptied: no page of the old records stays in either file.
    exec(QStringLiteral("VACUUM"));
    exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

QString keepDamagedRecords(const QString& path)
{
    const QString aside =
        path + QStringLiteral(".damaged-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    if (!QFile::rename(path, aside))
        return QString();
    for (const char* suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
    return aside;
}

} // namespace store
