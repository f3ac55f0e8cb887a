#pragma once

#include "store/route_file.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace store {

class Connection;

// A forward-only, read-only result. EOF right after the query means no row matched.
class Recordset
{
public:
    // Not movable: a moved-from QSqlQuery has no private object, and finishing it on
    // destruction would crash. Connection::Query's result is built in place.
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;
    Recordset(Recordset&&) = delete;
    Recordset& operator=(Recordset&&) = delete;
    ~Recordset();

    bool eof() const { return m_eof; }
    // The field `name` of the current row as text, trimmed of leading and trailing blanks.
    QString field(const QString& name) const;
    // The field `name` exactly as stored.
    QString rawField(const QString& name) const;
    void moveNext();
    void close();

    // The current row with every column, and the result's column names.
    QSqlRecord record() const;
    QStringList columnNames() const;

private:
    friend class Connection;
    Recordset(QSqlQuery query, const Connection* owner);
    void fetch();

    QSqlQuery m_query;
    const Connection* m_owner;
    bool m_eof = true;
};

// One connection to the route file, open for the life of one handler. Every failure is thrown
// as a platform::Failure naming the file and the cause; the destructor closes whatever is open.
class Connection
{
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    // Opens the route file named by `connectString` ("...;Data Source=<path>;..."), creating
    // a missing one empty with the route table `table`, and checks that it is a route file
    // holding that table. `timeoutSeconds` is how long a statement waits for another program
    // that holds the file.
    void Open(const QString& connectString, const QString& table, int timeoutSeconds = 10);
    // As Open, with the route file's path itself; `missing` says what a missing file gets.
    void OpenFile(const QString& path, const QString& table, int timeoutSeconds = 10,
                  IfMissing missing = IfMissing::Create);
    bool isOpen() const { return m_db.isOpen(); }
    void Close();

    // Runs a statement whose result is not used.
    void Execute(const QString& sql);
    // Runs a query; read it with eof(), field() and moveNext().
    Recordset Query(const QString& sql);
    // The same with `values` bound to the statement's placeholders ("?"), in order.
    // Execute returns the number of rows the statement changed.
    int Execute(const QString& sql, const QVariantList& values);
    Recordset Query(const QString& sql, const QVariantList& values);
    // The number of rows the query gives.
    int RecordCount(const QString& sql);

    // A change made of several statements runs inside one of these; see Transaction.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    const QString& path() const { return m_path; }
    // Translates a failed statement into a platform::Failure and throws it.
    [[noreturn]] void fail(const QSqlQuery& query) const;

private:
    void checkRouteTable();
    // Throws when the engine finds the file damaged.
    void checkIntegrity();
    // Throws when the file is shorter than its own header says.
    void checkWholeFile();
    void exec(const QString& sql);
    QSqlQuery prepared(const QString& sql, const QVariantList& values);

    QString m_name;
    QString m_path;
    QString m_table;
    QSqlDatabase m_db;
};

// Runs a change as a whole: begun on construction, rolled back on destruction unless committed.
class Transaction
{
public:
    explicit Transaction(Connection& connection);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();
    void commit();

private:
    Connection& m_connection;
    bool m_done = false;
};

} // namespace store
