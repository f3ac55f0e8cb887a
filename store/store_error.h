#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

namespace store {

// A failure of the route store, with a message a parent can read.
class StoreError : public std::runtime_error
{
public:
    enum class Kind {
        NoFolder,       // the route file can't be made: its folder is missing or not writable
        IsDirectory,    // a folder stands where the route file should be
        EmptyFile,      // the file has zero bytes
        NotRouteFile,   // another format, or a corrupt file
        NoTable,        // an SQLite file without the route table
        WrongColumns,   // the route table has other columns
        Locked,         // another program held the file past the time-out
        ReadOnly,       // the file can be read but not written
        ReadOnlyFolder, // the file's folder refuses the files SQLite keeps beside it while writing
        DiskFull,
        TooManySteps, // more rows than three-digit numbers can hold
        Failed,       // anything else
    };

    // `cause` says in plain words what happened and what to do next; `detail`, if any, holds
    // the database engine's own words.
    StoreError(Kind kind, QString path, QString cause, QString detail = QString());

    // The error a failed statement or connection reports, from SQLite's extended result code.
    static StoreError fromSql(const QString& path, const QSqlError& error);

    Kind kind() const { return m_kind; }
    const QString& path() const { return m_path; }
    const QString& cause() const { return m_cause; }
    const QString& detail() const { return m_detail; }

    // The whole message: what failed, the cause with the next step, the file, that the route is
    // unchanged, and the engine's words on a line of their own.
    QString userMessage() const;
    // As userMessage(), under another first line and without the sentence about the route.
    QString messageUnder(const QString& heading) const;

private:
    QString compose(const QString& heading, const QString& footer) const;

    Kind m_kind;
    QString m_path;
    QString m_cause;
    QString m_detail;
};

} // namespace store
