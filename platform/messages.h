#pragma once

#include <QString>

// The sentences the small layers over Qt show, in one place: the code and its tests read them here.
namespace platform::messages {

// Long work, after the adult pressed "中止" and before the work has stopped.
inline const QString kStopping = QStringLiteral("中止しています…");

// The photo preview beside the open dialog.
inline const QString kPreviewEmpty = QStringLiteral("写真を選ぶと、ここに見本が出ます");
inline const QString kPreviewLoading = QStringLiteral("読みこみ中…");
inline const QString kPreviewUnreadable = QStringLiteral("写真ではないか、読めないファイルです");

// Why writing into a folder failed.
inline QString folderNotWritable(const QString& folder)
{
    return QStringLiteral("フォルダー「%1」には書き込めません（読み取り専用か、書き込む権限が"
                          "ありません）。別の場所を選んでください。")
        .arg(folder);
}
inline const QString kDiskFull =
    QStringLiteral("保存先のディスクがいっぱいです。いらないファイルを消して空きを"
                   "作るか、別の場所を選んでください。");
inline QString folderNotWritten(const QString& folder)
{
    return QStringLiteral("フォルダー「%1」に書き込めませんでした。USB メモリーなどが"
                          "抜けていないか確かめて、もう一度ためしてください。")
        .arg(folder);
}

} // namespace platform::messages
