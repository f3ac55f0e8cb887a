#pragma once

#include <QString>
#include <stdexcept>

namespace store {

// A failure of the route store, with a message a parent can read.
class StoreError : public std::runtime_error
{
public:
    enum class Kind {
        NoFolder,     // the route file can't be made: its folder is missing or not writable
        IsDirectory,  // a folder stands where the route file should be
        EmptyFile,    // the file has zero bytes
        NotRouteFile, // another format, or a corrupt file
        NoTable,      // an SQLite file without the route table
        WrongColumns, // the route table has other columns
        Locked,       // another program held the file past the time-out
        ReadOnly,     // the file can be read but not written
        DiskFull,
        Failed, // anything else
    };

    StoreError(Kind kind, QString path, QString cause, QString detail = QString());

    Kind kind() const { return m_kind; }
    const QString& path() const { return m_path; }
    const QString& cause() const { return m_cause; }
    const QString& detail() const { return m_detail; }

    // The whole message: what failed, the file, the cause, and that the route is unchanged.
    QString userMessage() const;

private:
    Kind m_kind;
    QString m_path;
    QString m_cause;
    QString m_detail;
};

} // namespace store
