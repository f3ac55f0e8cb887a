#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace store {

// The route table's three columns, in their order.
inline constexpr const char16_t* kColumns[3] = {u"順序", u"写真", u"方向"};

// Makes a new, empty route file at `path` with the table `table`. It never replaces a file that
// exists. Throws platform::Failure when the file can't be made.
void createRouteFile(const QString& path, const QString& table);

// What opening a route file does when there is no file at its path.
enum class IfMissing {
    Create, // make it, empty: the program's own route on a first start, a new route
    Fail,   // report it: a reader must never put an empty route where one went missing
};

// Makes sure a route file stands at `path` before it is opened: creates a missing one (or
// reports it, as `missing` says), and reports a folder or an empty file in its place. Throws
// platform::Failure.
void prepareRouteFile(const QString& path, const QString& table,
                      IfMissing missing = IfMissing::Create);

// A journal or write-ahead log left beside `path` by a crash is replayed into the file by the
// engine on the next open, even when the file has since been replaced by another one (a backup
// copied over it), which would corrupt it. Keeps a dated copy of the file and of each leftover
// beside them before that happens, and returns the copies' paths (none when nothing was left
// over). Throws platform::Failure when a copy can't be made.
QStringList keepLeftovers(const QString& path);

// The name of a dated copy of `path` kept beside it, the one naming used for every copy the
// program keeps: "ADO_LANE.mdb.2026-01-05_09-30-00.bak".
QString datedCopyPath(const QString& path, const QDateTime& when);

// True when the disk holding `path` (a file or a folder) has (nearly) no room left: a failed
// write there is said as a full disk, not as a folder that refuses writing.
bool diskNearlyFull(const QString& path);

// The SQLite URI that opens `path` for reading and writing without ever creating it.
QString sqliteUri(const QString& path);

} // namespace store
