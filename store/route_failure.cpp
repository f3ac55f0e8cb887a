#include "store/route_failure.h"

#include "store/messages.h"
#include "store/route_file.h"

#include <QSqlError>

namespace store {
namespace {

using Kind = platform::Failure::Kind;
using platform::Reason;
namespace text = messages;

struct Mapped
{
    Kind kind;
    Reason reason;
};

// SQLite's extended result codes (the primary code is the low byte).
enum : int {
    kBusy = 5,
    kLocked = 6,
    kNoMem = 7,
    kReadOnly = 8,
    kIoErr = 10,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kPerm = 3,
    kAuth = 23,
    kNotADb = 26,
    kReadOnlyRollback = kReadOnly | (3 << 8),
    kReadOnlyDbMoved = kReadOnly | (4 << 8),
    kReadOnlyDirectory = kReadOnly | (6 << 8),
    kIoErrRead = kIoErr | (1 << 8),
    kIoErrShortRead = kIoErr | (2 << 8),
    kIoErrWrite = kIoErr | (3 << 8),
    kIoErrFsync = kIoErr | (4 << 8),
    kIoErrDirFsync = kIoErr | (5 << 8),
    kIoErrTruncate = kIoErr | (6 << 8),
    kIoErrDelete = kIoErr | (10 << 8),
    kIoErrAccess = kIoErr | (13 << 8),
    kIoErrLock = kIoErr | (15 << 8),
    kIoErrDeleteNoEnt = kIoErr | (23 << 8),
    kCantOpenIsDir = kCantOpen | (2 << 8),
};

Mapped folderNotWritable()
{
    return {Kind::ReadOnlyFolder, text::kFolderNotWritable};
}

Mapped diskFull()
{
    return {Kind::DiskFull, text::kDiskFull};
}

Mapped ioError(int code)
{
    switch (code) {
    case kIoErrRead:
    case kIoErrShortRead:
        return {Kind::Failed, text::kReadFailed};
    case kIoErrWrite:
    case kIoErrFsync:
    case kIoErrDirFsync:
    case kIoErrTruncate:
        return {Kind::Failed, text::kWriteFailed};
    case kIoErrDelete:
    case kIoErrDeleteNoEnt:
    case kIoErrAccess:
        return folderNotWritable();
    case kIoErrLock:
        return {Kind::Locked, text::kLockUnknown};
    default:
        return {Kind::Failed, text::kIoFailed};
    }
}

Mapped mapCode(int code)
{
    switch (code) {
    case kReadOnlyDirectory:
    case kReadOnlyRollback:
        return folderNotWritable();
    case kReadOnlyDbMoved:
        return {Kind::Failed, text::kMovedWhileInUse};
    case kCantOpenIsDir:
        return {Kind::IsDirectory, text::kFolderInTheWay};
    default:
        break;
    }
    switch (code & 0xff) {
    case kBusy:
    case kLocked:
        return {Kind::Locked, text::kLocked};
    case kReadOnly:
        return {Kind::ReadOnly, text::kReadOnly};
    case kCorrupt:
    case kNotADb:
        return {Kind::NotRouteFile, text::kNotRouteFile};
    case kFull:
        return diskFull();
    case kCantOpen:
        // Also what a write gives when the folder refuses the file SQLite keeps beside it while
        // it changes the route.
        return {Kind::Failed, text::kCantOpen};
    case kIoErr:
        return ioError(code);
    case kPerm:
    case kAuth:
        return {Kind::ReadOnly, text::kNoPermission};
    case kNoMem:
        return {Kind::Failed, text::kNoMemory};
    default:
        return {Kind::Failed, text::kOtherFailure};
    }
}

} // namespace

platform::Failure routeFailure(Kind kind, const QString& path, const Reason& reason,
                               const QString& detail)
{
    platform::Failure failure(kind, reason, detail);
    failure.under(text::kRouteHeading).about(path).leaving(text::kUnchanged);
    return failure;
}

platform::Failure failureFromSql(const QString& path, const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    Mapped mapped = mapCode(ok ? code : -1);
    // A disk without room makes the engine fail in many ways (it can't open its journal, a write
    // or the folder seems to refuse); the parent is told the cause they can mend.
    if ((mapped.kind == Kind::Failed || mapped.kind == Kind::ReadOnlyFolder) &&
        diskNearlyFull(path))
        mapped = diskFull();
    // Only the engine's own words; Qt's added "unable to fetch row" says nothing of the cause.
    QString detail = error.databaseText().trimmed();
    if (detail.isEmpty())
        detail = error.driverText().trimmed();
    return routeFailure(mapped.kind, path, mapped.reason, detail);
}

} // namespace store
