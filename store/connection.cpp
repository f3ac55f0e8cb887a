#include "store/connection.h"

#include "store/connect_string.h"
#include "store/messages.h"
#include "store/route_failure.h"
#include "store/route_file.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QVariant>
#include <atomic>

namespace store {
namespace {

using platform::Failure;
using Kind = Failure::Kind;
namespace text = messages;

QString nextConnectionName()
{
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("michitan-store-%1").arg(++counter);
}

// The file proved damaged after the engine replayed a leftover into it: says where the copies
// taken before are.
Failure withKeptCopies(const Failure& error, const QStringList& kept)
{
    return routeFailure(error.kind(), error.file(),
                        {error.cause(), error.nextStep() + text::keptCopies(kept)}, error.detail());
}

} // namespace

Recordset::Recordset(QSqlQuery query, const Connection* owner)
    : m_query(std::move(query)), m_owner(owner)
{
    fetch();
}

Recordset::~Recordset()
{
    close();
}

void Recordset::fetch()
{
    m_eof = !m_query.next();
    if (m_eof && m_query.lastError().isValid() && m_owner)
        m_owner->fail(m_query);
}

QString Recordset::rawField(const QString& name) const
{
    if (m_eof)
        return QString();
    return m_query.value(name).toString();
}

QString Recordset::field(const QString& name) const
{
    return rawField(name).trimmed();
}

QSqlRecord Recordset::record() const
{
    return m_eof ? QSqlRecord() : m_query.record();
}

QStringList Recordset::columnNames() const
{
    QStringList names;
    const QSqlRecord r = m_query.record();
    for (int c = 0; c < r.count(); ++c)
        names << r.fieldName(c);
    return names;
}

void Recordset::moveNext()
{
    if (!m_eof)
        fetch();
}

void Recordset::close()
{
    m_query.finish();
    m_query = QSqlQuery();
    m_eof = true;
}

Connection::~Connection()
{
    Close();
}

void Connection::Open(const QString& connectString, const QString& table, int timeoutSeconds)
{
    const QString path = dataSourceOf(connectString);
    if (path.isEmpty()) {
        Close();
        throw routeFailure(Kind::Failed, connectString, text::kNoPlace);
    }
    OpenFile(path, table, timeoutSeconds);
}

void Connection::OpenFile(const QString& path, const QString& table, int timeoutSeconds,
                          IfMissing missing)
{
    Close();
    if (path.isEmpty())
        throw routeFailure(Kind::Failed, path, text::kNoPlace);
    m_path = path;
    m_table = table;
    prepareRouteFile(m_path, m_table, missing);
    const QStringList kept = keepLeftovers(m_path);

    m_name = nextConnectionName();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(sqliteUri(m_path));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1")
                               .arg(qMax(0, timeoutSeconds) * 1000));
    if (!m_db.open()) {
        const Failure error = failureFromSql(m_path, m_db.lastError());
        Close();
        throw error;
    }
    try {
        checkRouteTable();
        if (!kept.isEmpty())
            checkIntegrity();
    } catch (const Failure& e) {
        Close();
        const bool damaged = e.kind() == Kind::NotRouteFile || e.kind() == Kind::NoTable ||
                             e.kind() == Kind::WrongColumns;
        if (!kept.isEmpty() && damaged)
            throw withKeptCopies(e, kept);
        throw;
    } catch (...) {
        Close();
        throw;
    }
}

void Connection::checkIntegrity()
{
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next())
        fail(q);
    const QString verdict = q.value(0).toString();
    if (verdict != QLatin1String("ok"))
        throw routeFailure(Kind::NotRouteFile, m_path, text::kNotRouteFile, verdict);
}

void Connection::checkRouteTable()
{
    // SQLite opens any file; the first statement tells whether it really is a route file.
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("PRAGMA table_info(\"%1\")")
                    .arg(QString(m_table).replace(QLatin1String("\""), QLatin1String("\"\"")))))
        fail(q);
    QStringList columns;
    while (q.next())
        columns << q.value(1).toString();
    if (q.lastError().isValid())
        fail(q);
    checkWholeFile();
    if (columns.isEmpty())
        throw routeFailure(Kind::NoTable, m_path, text::noRouteTable(m_table));
    const QStringList expected{QString::fromUtf16(kColumns[0]), QString::fromUtf16(kColumns[1]),
                               QString::fromUtf16(kColumns[2])};
    if (columns != expected)
        throw routeFailure(Kind::WrongColumns, m_path,
                           text::wrongColumns(expected.join(QStringLiteral("・")),
                                              columns.join(QStringLiteral("・"))));
}

void Connection::checkWholeFile()
{
    // A file cut short (an interrupted copy) still opens, and SQLite reads its lost rows as
    // blanks; its header tells how many pages it should have. A file of one byte is an empty
    // database to SQLite, and no route file either.
    const auto pragma = [this](const QString& sql) {
        QSqlQuery q(m_db);
        if (!q.exec(sql) || !q.next())
            fail(q);
        return q.value(0).toLongLong();
    };
    const qint64 pages = pragma(QStringLiteral("PRAGMA page_count"));
    const qint64 pageSize = pragma(QStringLiteral("PRAGMA page_size"));
    const qint64 size = QFileInfo(m_path).size();
    // With a write-ahead log left beside it the file may lawfully be shorter.
    if (QFileInfo::exists(m_path + QStringLiteral("-wal")))
        return;
    if (pages == 0 || size < pages * pageSize)
        throw routeFailure(Kind::NotRouteFile, m_path, text::kCutShort,
                           text::cutShortDetail(pages * pageSize, size));
}

void Connection::Close()
{
    if (m_name.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}

void Connection::fail(const QSqlQuery& query) const
{
    throw failureFromSql(m_path, query.lastError());
}

void Connection::exec(const QString& sql)
{
    QSqlQuery q(m_db);
    if (!q.exec(sql))
        fail(q);
}

void Connection::Execute(const QString& sql)
{
    exec(sql);
}

Recordset Connection::Query(const QString& sql)
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        fail(q);
    return Recordset(std::move(q), this);
}

QSqlQuery Connection::prepared(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q);
    for (const QVariant& value : values)
        q.addBindValue(value);
    if (!q.exec())
        fail(q);
    return q;
}

int Connection::Execute(const QString& sql, const QVariantList& values)
{
    return prepared(sql, values).numRowsAffected();
}

Recordset Connection::Query(const QString& sql, const QVariantList& values)
{
    return Recordset(prepared(sql, values), this);
}

int Connection::RecordCount(const QString& sql)
{
    Recordset rs = Query(sql);
    int n = 0;
    for (; !rs.eof(); rs.moveNext())
        ++n;
    return n;
}

void Connection::BeginTrans()
{
    // IMMEDIATE takes the write lock at once (waiting up to the time-out), so a change never
    // fails half-way for want of it.
    exec(QStringLiteral("BEGIN IMMEDIATE"));
}

void Connection::CommitTrans()
{
    exec(QStringLiteral("COMMIT"));
}

void Connection::RollbackTrans()
{
    QSqlQuery q(m_db);
    q.exec(QStringLiteral("ROLLBACK"));
}

Transaction::Transaction(Connection& connection) : m_connection(connection)
{
    m_connection.BeginTrans();
}

Transaction::~Transaction()
{
    if (!m_done)
        m_connection.RollbackTrans();
}

void Transaction::commit()
{
    m_connection.CommitTrans();
    m_done = true;
}

} // namespace store
