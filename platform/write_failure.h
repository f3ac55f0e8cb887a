#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {

// Why writing `bytes` bytes to the file `path` failed, in words a parent can act on: the disk is
// full, the folder can't be written, or (neither known) that the file could not be written.
// Asked after the failure, from the state of the folder and its disk.
QString writeFailureReason(const QString& path, qint64 bytes);

// The same for a folder that photos or copies were being written into.
QString folderWriteFailureReason(const QString& folder, qint64 bytes);

} // namespace platform
