#pragma once

#include "platform/failure.h"

#include <QString>
#include <QStringList>

// What the route store says to the adult: every sentence of its failures, in one place.
namespace store::messages {

using platform::Reason;

// The heading of every failure of the route file, and what such a failure leaves as it was.
inline const QString kRouteHeading = QStringLiteral("道順ファイルを読み書きできませんでした。");
inline const QString kUnchanged = QStringLiteral("道順は変更されていません。");

inline const QString kTryAgain = QStringLiteral("少し待ってから、もう一度試してください。");
inline const QString kMakeFolderWritable =
    QStringLiteral("フォルダーに書き込めるようにしてから、もう一度試してください。");
inline const QString kReplaceWithBackup =
    QStringLiteral("バックアップがあれば、それと置き換えてください。");
inline const QString kReplaceWithRouteFile =
    QStringLiteral("正しい道順ファイルと置き換えてください。");

// The engine's failures, by what the adult can do about them.
inline const Reason kFolderNotWritable{
    QStringLiteral("道順ファイルのあるフォルダーに書き込めません（道順を変えるとき、"
                   "ファイルの横に一時ファイルを作る必要があります）。"),
    kMakeFolderWritable};
inline const Reason kDiskFull{
    QStringLiteral("ディスクがいっぱいです。"),
    QStringLiteral("いらないファイルを消して空きを作ってから、もう一度試してください。")};
inline const Reason kReadFailed{
    QStringLiteral("道順ファイルを読み取れませんでした。"),
    QStringLiteral("USB メモリーやネットワークのドライブなら、つながっているか確かめてから、"
                   "もう一度試してください。")};
inline const Reason kWriteFailed{
    QStringLiteral("道順ファイルに書き込めませんでした。"),
    QStringLiteral("ディスクの空きと、USB メモリーやネットワークのドライブならつながっているか"
                   "を確かめてから、もう一度試してください。")};
inline const Reason kLockUnknown{
    QStringLiteral("道順ファイルを使う順番を確かめられませんでした。"),
    QStringLiteral("ネットワークのフォルダーにあるときは、パソコンの中のフォルダーにコピーして"
                   "使ってください。")};
inline const Reason kIoFailed{QStringLiteral("道順ファイルの読み書き中にエラーが起きました。"),
                              kTryAgain};
inline const Reason kMovedWhileInUse{
    QStringLiteral("使っている間に道順ファイルが移動されたか、置き換えられました。"), kTryAgain};
inline const Reason kFolderInTheWay{
    QStringLiteral("道順ファイルの場所に同じ名前のフォルダーがあります。"),
    QStringLiteral("そのフォルダーの名前を変えるか、別の場所に移してください。")};
inline const Reason kLocked{QStringLiteral("ほかのプログラムが道順ファイルを使っていて、"
                                           "待っても空きませんでした。"),
                            kTryAgain};
inline const Reason kReadOnly{
    QStringLiteral("道順ファイルが読み取り専用のため、書き込めません。"),
    QStringLiteral("ファイルの読み取り専用を外してから、もう一度試してください。")};
inline const Reason kNotRouteFile{
    QStringLiteral("このファイルは道順ファイルではないか、壊れています。"), kReplaceWithBackup};
inline const Reason kCantOpen{QStringLiteral("道順ファイルを開けません。"),
                              QStringLiteral("ファイルとそのフォルダーに書き込めるかを確かめて"
                                             "から、もう一度試してください。")};
inline const Reason kNoPermission{
    QStringLiteral("道順ファイルを使う許可がありません。"),
    QStringLiteral("ファイルとフォルダーのアクセス許可を確かめてください。")};
inline const Reason kNoMemory{
    QStringLiteral("メモリーが足りません。"),
    QStringLiteral("ほかのプログラムを閉じてから、もう一度試してください。")};
inline const Reason kOtherFailure{QStringLiteral("道順ファイルの操作に失敗しました。"), kTryAgain};

// Opening and checking a route file.
inline const Reason kNoPlace{QStringLiteral("道順ファイルの場所が指定されていません。"), {}};
inline const Reason kCutShort{
    QStringLiteral("このファイルは道順ファイルではないか、途中までしかありません。"),
    kReplaceWithBackup};
inline QString cutShortDetail(qint64 expected, qint64 size)
{
    return QStringLiteral("%1 バイトのうち %2 バイトしかありません。").arg(expected).arg(size);
}
inline Reason noRouteTable(const QString& table)
{
    return {QStringLiteral("ファイルに道順の表「%1」がありません。道順ファイルではないようです。")
                .arg(table),
            kReplaceWithRouteFile};
}
inline Reason wrongColumns(const QString& expected, const QString& found)
{
    return {QStringLiteral("道順の表の列が違います（%1 ではなく %2）。").arg(expected, found),
            kReplaceWithRouteFile};
}
// Follows the reason when a damaged file was found after copies of it were kept.
inline QString keptCopies(const QStringList& copies)
{
    return QStringLiteral("\n開く前に、道順ファイルと、その横に残っていた前回の作業の途中の"
                          "ファイルのコピーを次の名前で残しました:\n") +
           copies.join(QLatin1Char('\n'));
}
inline const Reason kRouteMissing{
    QStringLiteral("道順ファイルが見つかりません。"),
    QStringLiteral("ファイルを移したり名前を変えたりしていないか確かめてから、もう一度試して"
                   "ください。")};
inline const Reason kNotPlainFile{
    QStringLiteral("道順ファイルの場所にふつうのファイルではないものがあります。"), {}};
inline const Reason kEmptyFile{
    QStringLiteral("ファイルが空です（0 バイト）。道順ファイルではありません。"), {}};

// Making a new route file.
inline const Reason kNoRouteFolder{
    QStringLiteral("道順ファイルを置くフォルダーがありません。"),
    QStringLiteral("プログラムをフォルダーごとコピーし直してください。")};
inline const QString kNotCreated = QStringLiteral("新しい道順ファイルを作れませんでした。");
inline const Reason kNotCreatedFolder{
    QStringLiteral("新しい道順ファイルを作れませんでした（フォルダーに書き込めません）。"),
    kMakeFolderWritable};
inline const Reason kNotCreatedRename{
    kNotCreated, QStringLiteral("フォルダーに書き込めるか確かめてから、もう一度試してください。")};

// Keeping copies of what a crash left beside the route file.
inline Reason leftoverDiskFull(const QString& leftover)
{
    return {QStringLiteral("道順ファイルの横に、前回の作業の途中で残ったファイル（%1）が"
                           "あります。開く前に両方のコピーを残そうとしましたが、"
                           "ディスクがいっぱいです。")
                .arg(leftover),
            kDiskFull.nextStep};
}
inline Reason leftoverNotKept(const QString& leftover)
{
    return {QStringLiteral("道順ファイルの横に、前回の作業の途中で残ったファイル（%1）が"
                           "あります。開く前に両方のコピーを残そうとしましたが、"
                           "できませんでした。")
                .arg(leftover),
            kMakeFolderWritable};
}

inline Reason tooManySteps(qsizetype rows, int most)
{
    return {QStringLiteral("この道順には %1 ステップがあり、番号を付けられる %2 ステップを"
                           "超えています（ほかのプログラムで作られた道順のようです）。番号が"
                           "重なったりステップが消えたりしないよう、このプログラムではこの道順"
                           "を変更しません。")
                .arg(rows)
                .arg(most),
            QStringLiteral("%1 ステップ以下の道順ファイルに置き換えてください。").arg(most)};
}

// The recorded voices.
inline const Reason kVoiceFolderNotWritable{
    QStringLiteral("声を入れるフォルダーに書き込めません。"),
    QStringLiteral("道順ファイルのあるフォルダーに書き込めるか（読み取り専用でないか、USB "
                   "メモリーが書き込み禁止になっていないか）と、ディスクの空きを確かめて"
                   "ください。")};
inline const Reason kVoiceNotWritten{
    QStringLiteral("声のファイルを書き込めませんでした。"),
    QStringLiteral("ディスクの空きと、フォルダーに書き込めるかを確かめてください。")};
// The system's words, when it gave none, for a voice folder that could not be used.
inline const QString kVoiceFolderNotMade = QStringLiteral("フォルダーを作れませんでした。");
inline const QString kNoNewVoiceName = QStringLiteral("新しい名前を決められませんでした。");
inline const Reason kVoiceUnreadable{
    QStringLiteral("声のファイルを読めません。"),
    QStringLiteral("ファイルがあるか、読めるかを確かめてください。")};

// The practice records.
inline const Reason kRecordsBusy{
    QStringLiteral("ほかのプログラムが練習の記録のファイルを使っています。"), kTryAgain};
inline const Reason kRecordsReadOnly{
    QStringLiteral("練習の記録のファイルに書き込めません（読み取り専用か、フォルダーに"
                   "書き込めません）。"),
    QStringLiteral("ファイルの読み取り専用を外すか、フォルダーに書き込めるようにしてから、"
                   "もう一度試してください。")};
inline const Reason kRecordsDiskFull{
    QStringLiteral("ディスクがいっぱいで、練習の記録を書き込めません。"), kDiskFull.nextStep};
inline const Reason kRecordsDamaged{QStringLiteral("練習の記録のファイルがこわれています。"),
                                    kReplaceWithBackup};
inline const Reason kRecordsNewer{
    QStringLiteral("この練習の記録のファイルは、新しい版のミチタンで作られています。"),
    QStringLiteral("新しい版のミチタンで開いてください。")};
inline const Reason kRecordsFailed{QStringLiteral("練習の記録のファイルを使えませんでした。"),
                                   kTryAgain};

} // namespace store::messages
