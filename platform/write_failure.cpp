#include "platform/write_failure.h"

#include "platform/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace platform {
namespace {

// Room a file system keeps for itself and its bookkeeping; a disk with less left is full.
constexpr qint64 kSlack = 1024 * 1024;

bool writable(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable())
        return false;
    const QStorageInfo storage(folder);
    return !storage.isValid() || !storage.isReadOnly();
}

} // namespace

QString folderWriteFailureReason(const QString& folder, qint64 bytes)
{
    const QString where = QDir::toNativeSeparators(folder);
    if (!writable(folder))
        return messages::folderNotWritable(where);
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.bytesAvailable() < qMax<qint64>(bytes, 0) + kSlack)
        return messages::kDiskFull;
    return messages::folderNotWritten(where);
}

QString writeFailureReason(const QString& path, qint64 bytes)
{
    return folderWriteFailureReason(QFileInfo(path).absolutePath(), bytes);
}

} // namespace platform
