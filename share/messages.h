#pragma once

#include "platform/failure.h"

#include <QDir>
#include <QString>

// What writing, reading and mending a route says to the adult, in one place.
namespace share::messages {

inline const QString kNotRead = QStringLiteral("このファイルは読み込めません。");
inline const QString kNothingChanged = QStringLiteral("道順も写真のフォルダーも変わっていません。");
inline const QString kChooseOurFile =
    QStringLiteral("ミチタンの「道順を書き出す…」で作ったファイルを選んでください。");
inline const QString kWriteOursAgain =
    QStringLiteral("ファイルが途中で壊れたのかもしれません。書き出したパソコンでもう一度"
                   "「道順を書き出す…」を使って、作り直してください。");
inline const QString kCancelled = QStringLiteral("中止しました。");
// What a window says when the adult stopped the work.
inline const QString kCancelledUnchanged = QStringLiteral("中止しました。道順は変わっていません。");

// What --help says of each option.
inline const QString kHelpExport = QStringLiteral("道順を写真といっしょに書き出します。");
inline const QString kHelpImport =
    QStringLiteral("道順を読み込みます（いまの道順は日付つきの控えを残して置きかえます）。");
inline const QString kHelpPhotos = QStringLiteral("読み込む写真を入れるフォルダー。");
inline const QString kHelpRelink = QStringLiteral("見つからない写真をこのフォルダーから探します。");

// The command line's refusal of two jobs at once.
inline const QString kOneJobAtATime =
    QStringLiteral("--export、--import、--relink は一度に一つだけ指定してください"
                   "（--photos は --import といっしょに使います）。");

// Files that are not there.
inline QString fileNotFound(const QString& path)
{
    return QStringLiteral("ファイル「%1」が見つかりません。").arg(QDir::toNativeSeparators(path));
}
inline QString routeFileNotFound(const QString& path)
{
    return QStringLiteral("道順ファイル「%1」が見つかりません。")
        .arg(QDir::toNativeSeparators(path));
}
inline QString folderNotFound(const QString& path)
{
    return QStringLiteral("フォルダー「%1」が見つかりません。").arg(QDir::toNativeSeparators(path));
}

// Why an archive is refused: the zip file itself and its entries, by name.
inline const QString kNotZip = QStringLiteral("zip 形式のファイルではないか、壊れています。");
inline const QString kDirectoryDamaged = QStringLiteral("zip の目録が壊れています。");
inline const QString kEncrypted = QStringLiteral("パスワードで暗号化されている zip ファイルです。"
                                                 "暗号化しないで作ったファイルを選んでください。");
inline const QString kUnnamedEntry = QStringLiteral("名前のない中身があります。");
inline const QString kControlCharacterInName = QStringLiteral("中身の名前に制御文字があります。");
inline QString tooManyEntries(qsizetype entries, int most)
{
    return QStringLiteral("中身が %1 個あり、多すぎます（%2 個まで）。").arg(entries).arg(most);
}
inline QString entryAbsolute(const QString& name)
{
    return QStringLiteral("中身「%1」が絶対パスです。").arg(name);
}
inline QString entryWithBackslash(const QString& name)
{
    return QStringLiteral("中身「%1」の名前に「\\」があります。").arg(name);
}
inline QString entryOutside(const QString& name)
{
    return QStringLiteral("中身「%1」がフォルダーの外（..）を指しています。").arg(name);
}
inline QString entryIsLink(const QString& name)
{
    return QStringLiteral("中身「%1」がリンクです。").arg(name);
}
inline QString entryTwice(const QString& name)
{
    return QStringLiteral("中身「%1」が二つあります。").arg(name);
}
// `most` is the size an entry may have, written out ("20 MB").
inline QString entryTooBig(const QString& name, const QString& most)
{
    return QStringLiteral("中身「%1」が大きすぎます（%2 まで）。").arg(name, most);
}
inline QString entryTooBig(const QString& name)
{
    return QStringLiteral("中身「%1」が大きすぎます。").arg(name);
}
inline QString entryPackedTooTightly(const QString& name)
{
    return QStringLiteral("中身「%1」が異常に圧縮されています。").arg(name);
}
inline QString unpacksBeyond(const QString& most)
{
    return QStringLiteral("展開すると %1 を超えます。").arg(most);
}
inline QString entryMissing(const QString& name)
{
    return QStringLiteral("中身「%1」がありません。").arg(name);
}
inline QString entryUnreadable(const QString& name)
{
    return QStringLiteral("中身「%1」を読めません。").arg(name);
}
inline QString entryDamaged(const QString& name)
{
    return QStringLiteral("中身「%1」が壊れています。").arg(name);
}
inline QString entryBiggerThanDeclared(const QString& name)
{
    return QStringLiteral("中身「%1」が申告より大きく展開されます。").arg(name);
}

// Why an archive is refused: what it holds.
inline const QString kNoRouteInside =
    QStringLiteral("ミチタンの道順が入っていません"
                   "（ほかの絵カードアプリのファイルのようです）。");
inline QString missingInside(const QString& name)
{
    return QStringLiteral("「%1」がありません。").arg(name);
}
inline QString jsonDamaged(const QString& name)
{
    return QStringLiteral("「%1」の JSON が壊れています。").arg(name);
}
inline QString stepCountOutOfRange(double steps, int most)
{
    return QStringLiteral("道順のステップの数が %1 で、1 から %2 の間にありません。")
        .arg(steps)
        .arg(most);
}
inline QString tooManyBoards(qsizetype boards, int most)
{
    return QStringLiteral("ボードが %1 個あり、多すぎます（%2 個まで）。").arg(boards).arg(most);
}
inline QString boardTwice(const QString& board)
{
    return QStringLiteral("「%1」が二度示されています。").arg(board);
}
inline QString boardNumberWrong(const QString& board)
{
    return QStringLiteral("「%1」の番号が正しくありません。").arg(board);
}
inline QString boardWithoutDirection(const QString& board)
{
    return QStringLiteral("「%1」の方向がありません。").arg(board);
}
inline QString boardWithoutPhoto(const QString& board)
{
    return QStringLiteral("「%1」の写真が示されていません。").arg(board);
}
inline QString stepsMissing(int steps, qsizetype found)
{
    return QStringLiteral("道順は %1 ステップのはずですが、%2 ステップしかありません。")
        .arg(steps)
        .arg(found);
}
inline QString photoMissing(const QString& entry)
{
    return QStringLiteral("写真「%1」がありません。").arg(entry);
}
inline QString photoDamaged(const QString& entry)
{
    return QStringLiteral("写真「%1」が壊れています。").arg(entry);
}
inline QString photoTooBig(const QString& entry, int side)
{
    return QStringLiteral("写真「%1」が大きすぎます（縦横 %2 ピクセルまで）。")
        .arg(entry)
        .arg(side);
}
inline QString photoNotShown(const QString& entry)
{
    return QStringLiteral("写真「%1」を表示できません（途中で切れているか、大きすぎます）。")
        .arg(entry);
}

// Files that could not be written while a route was written or read in; `why` says what the
// disk or folder answered and what to do.
inline QString fileNotWritten(const QString& path, const QString& why)
{
    return QStringLiteral("ファイル「%1」を書き込めませんでした。%2")
        .arg(QDir::toNativeSeparators(path), why);
}
inline QString photoNotWrittenFolder(const QString& path)
{
    return QStringLiteral("写真「%1」を書き込めませんでした。"
                          "写真のフォルダーに書き込めるか確かめてください。")
        .arg(QDir::toNativeSeparators(path));
}
inline QString photoNotWrittenDisk(const QString& path)
{
    return QStringLiteral("写真「%1」を書き込めませんでした。"
                          "ディスクに空きがあるか確かめてください。")
        .arg(QDir::toNativeSeparators(path));
}
inline QString photoNotWritten(const QString& path)
{
    return QStringLiteral("写真「%1」を書き込めませんでした。").arg(QDir::toNativeSeparators(path));
}
inline QString photoFolderNotStorable(const QString& folder)
{
    return QStringLiteral("写真のフォルダー「%1」の名前を道順に書きこめません。"
                          "名前が日本語の文字コード（UTF-8）でないフォルダーの中です。"
                          "写真を入れる場所として別のフォルダーを選んでください。")
        .arg(QDir::toNativeSeparators(folder));
}
inline QString photoFolderNotMade(const QString& folder, const QString& why)
{
    return QStringLiteral("写真のフォルダー「%1」を作れませんでした。%2道順は変わって"
                          "いません。")
        .arg(QDir::toNativeSeparators(folder), why);
}
inline QString photoFolderNotWritable(const QString& folder, const QString& why)
{
    return QStringLiteral("写真のフォルダー「%1」に書き込めませんでした。%2道順は変わって"
                          "いません。")
        .arg(QDir::toNativeSeparators(folder), why);
}
inline QString photoNotPlaced(const QString& photo, const QString& why)
{
    return QStringLiteral("写真「%1」を写真のフォルダーに置けませんでした。%2"
                          "道順は変わっていません。")
        .arg(QDir::toNativeSeparators(photo), why);
}
inline QString datedCopyNotMade(const QString& copy, const QString& why)
{
    return QStringLiteral("いまの道順の控え（%1）を作れませんでした。%2"
                          "道順は変わっていません。")
        .arg(QDir::toNativeSeparators(copy), why);
}

// A route that could not be read in elsewhere is not written out.
inline const QString kNothingToExport =
    QStringLiteral("道順にステップがないので、書き出すものがありません。"
                   "先に「道順作成」でステップを登録してください。");
inline QString tooManyToExport(qsizetype steps, int most)
{
    return QStringLiteral("道順に %1 ステップあり、書き出せる %2 ステップを超えています。"
                          "「道順作成」でステップを減らしてから、もう一度書き出して"
                          "ください。")
        .arg(steps)
        .arg(most);
}
inline QString directionNotArrow(int number, const QString& direction)
{
    return QStringLiteral("%1 番目のステップの方向「%2」が ↑ → ← のどれでもないので、"
                          "書き出せません。「道順作成」でそのステップの方向を"
                          "選び直して登録してから、もう一度書き出してください。")
        .arg(number)
        .arg(direction);
}

// What the command line reports besides a failure, each line followed by a file or folder.
inline const QString kPhotoMissingReplaced =
    QStringLiteral("写真が見つからないので、代わりの絵を入れました：");
inline const QString kPhotoUnreadableReplaced =
    QStringLiteral("写真として読めないので、代わりの絵を入れました：");
inline const QString kPhotosPutElsewhere =
    QStringLiteral("写真のフォルダーの名前を道順に書きこめないので、写真は次の"
                   "フォルダーに入れました：");
inline const QString kPhotoStillMissing = QStringLiteral("まだ見つからない写真：");
inline const QString kVoiceStillMissing = QStringLiteral("まだ見つからない声のファイル：");

// What mending the photo paths found.
inline const QString kNoPhotoMissing = QStringLiteral("見つからない写真はありません。");
inline QString photosMended(int steps)
{
    return QStringLiteral("%1 ステップの写真の場所を直しました。").arg(steps);
}
inline QString voicesMended(int voices)
{
    return QStringLiteral("%1 個の声のファイルの場所を直しました。").arg(voices);
}
// Follow the notice, each with its list.
inline QString photosStillMissing(qsizetype photos)
{
    return QStringLiteral("\n\nまだ見つからない写真（%1 枚）：\n").arg(photos);
}
inline QString voicesStillMissing(qsizetype voices)
{
    return QStringLiteral("\n\nまだ見つからない声のファイル（%1 個）：\n").arg(voices);
}
// The line closing a list that names only the first of the files.
inline QString moreNotListed(qsizetype more)
{
    return QStringLiteral("ほか %1 枚").arg(more);
}

// What the progress window says while the work goes on.
inline const QString kExporting = QStringLiteral("道順と写真を書き出しています…");
inline const QString kChecking = QStringLiteral("ファイルの中身を確かめています…");
inline const QString kImporting = QStringLiteral("道順と写真を読み込んでいます…");
inline const QString kSearching = QStringLiteral("写真を探しています…");

// What the folder chooser asks for: where a route's photos go (into a new folder `folder`),
// and where to look for the missing ones.
inline QString choosePhotoPlace(const QString& folder)
{
    return QStringLiteral("写真を入れる場所を選んでください（その中に「%1」フォルダーを作ります）")
        .arg(folder);
}
inline const QString kChooseSearchFolder =
    QStringLiteral("写真の入っているフォルダーを選んでください（中のフォルダーも探します）");

// The window's notice after writing a route out, then what it put in place of photos.
inline QString exported(int steps, const QString& archive)
{
    return QStringLiteral("道順（%1 ステップ）を写真といっしょに書き出しました。\n%2")
        .arg(steps)
        .arg(QDir::toNativeSeparators(archive));
}
inline const QString kMissingReplacedBelow =
    QStringLiteral("\n\n次の写真が見つからなかったので、代わりに「写真がありません」の"
                   "絵を入れました。「写真の場所を直す…」で直してから、"
                   "もう一度書き出してください。\n");
inline const QString kUnreadableReplacedBelow =
    QStringLiteral("\n\n次のファイルは写真として読めなかった（壊れているか、写真ではない）"
                   "ので、代わりに「写真を読めません」の絵を入れました。"
                   "「道順作成」で写真を選び直してから、もう一度書き出してください。\n");

// Reading a route in: the choice, the question before replacing the route, and the notice.
inline QString importHow(const QString& archiveName, int steps)
{
    return QStringLiteral("「%1」には %2 ステップの道順が入っています。どう読み込みますか？")
        .arg(archiveName)
        .arg(steps);
}
inline QString replaceQuestion(const QString& archiveName, qsizetype steps,
                               const QString& photoFolder)
{
    return QStringLiteral("「%1」には %2 ステップの道順が入っています。\n"
                          "いまの道順をこの道順に置きかえますか？\n\n"
                          "写真は「%3」に入れます。いまの道順は、日付のついた控えとして"
                          "同じフォルダーに残します。")
        .arg(archiveName)
        .arg(steps)
        .arg(QDir::toNativeSeparators(photoFolder));
}
inline QString newRouteInUse(const QString& name)
{
    return QStringLiteral("新しい道順「%1」を作り、いまはこの道順を"
                          "使っています。\n")
        .arg(name);
}
inline QString imported(int steps, const QString& photoFolder)
{
    return QStringLiteral("道順（%1 ステップ）を読み込みました。\n写真：%2")
        .arg(steps)
        .arg(QDir::toNativeSeparators(photoFolder));
}
inline const QString kPhotosInDataFolder =
    QStringLiteral("\n（選んだ場所は、名前を道順に書きこめないフォルダーの中だったので、"
                   "写真はこの利用者のデータフォルダーに入れました）");
inline QString datedCopyKept(const QString& copy)
{
    return QStringLiteral("\nいままでの道順の控え：%1").arg(QDir::toNativeSeparators(copy));
}

} // namespace share::messages

namespace share {

// A refused archive: `why` says what is wrong with it; the message adds that nothing changed.
platform::Failure refused(const QString& why);
// A refused archive that ミチタン wrote itself (it carries our manifest) but that is damaged or
// holds what we can't take: the advice is to write it again, not to find another file.
platform::Failure refusedOurs(const QString& why);
// A file that could not be read or written; `why` says which and what to do.
platform::Failure failed(const QString& why);
// The adult stopped the work.
platform::Failure cancelled();

} // namespace share
