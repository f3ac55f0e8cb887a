#include "platform/write_failure.h"

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
        return QStringLiteral("フォルダー「%1」には書き込めません（読み取り専用か、書き込む権限が"
                              "ありません）。別の場所を選んでください。")
            .arg(where);
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.bytesAvailable() < qMax<qint64>(bytes, 0) + kSlack)
        return QStringLiteral("保存先のディスクがいっぱいです。いらないファイルを消して空きを"
                              "作るか、別の場所を選んでください。");
    return QStringLiteral("フォルダー「%1」に書き込めませんでした。USB メモリーなどが"
                          "抜けていないか確かめて、もう一度ためしてください。")
        .arg(where);
}

QString writeFailureReason(const QString& path, qint64 bytes)
{
    return folderWriteFailureReason(QFileInfo(path).absolutePath(), bytes);
}

} // namespace platform
