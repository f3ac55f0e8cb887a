#pragma once

#include "platform/failure.h"

#include <QDir>
#include <QString>

// What printing the booklet says to the adult, in one place.
namespace booklet::messages {

inline const QString kCancelled = QStringLiteral("中止しました。");
inline const QString kNoRouteFile = QStringLiteral("道順のファイルが見つかりません。");
inline const QString kMakeRouteFirst =
    QStringLiteral("「道順作成」で道順を作ってから、もう一度ためしてください。");
inline const QString kNoSteps = QStringLiteral("この道順には、まだ写真が登録されていません。\n"
                                               "「道順作成」で写真を登録してから、もう一度ためして"
                                               "ください。");
inline const QString kNotPrinted = QStringLiteral("印刷できませんでした。プリンターの電源や用紙を"
                                                  "たしかめて、もう一度ためしてください。");
inline const QString kFolderNotOpened =
    QStringLiteral("フォルダーを開けませんでした。ファイルは次の場所にあります。\n");

inline QString pdfWritten(const QString& path)
{
    return QStringLiteral("道順の本を PDF に書き出しました。\n%1\n\nこのフォルダーを開きますか？")
        .arg(QDir::toNativeSeparators(path));
}

inline QString pdfCancelled(const QString& path)
{
    return QStringLiteral("PDF の書き出しを取り消しました。\n%1 には何も書きこんでいません。")
        .arg(QDir::toNativeSeparators(path));
}

// The PDF file `path` could not be written, for the reason `why` (from the state of its disk,
// with what to do about it).
inline platform::Failure pdfNotWritten(const QString& path, const QString& why)
{
    platform::Failure failure(platform::Failure::Kind::Failed, why);
    failure.under(QStringLiteral("PDF を書き出せませんでした。")).about(path);
    return failure;
}

// A step whose photo the command line prints as a frame.
inline QString photoAsFrame(int number, const QString& photo)
{
    return QStringLiteral("%1 番の写真が見つからないか読めないので、代わりに枠を印刷します: %2")
        .arg(number)
        .arg(QDir::toNativeSeparators(photo));
}

} // namespace booklet::messages
