#pragma once

#include "platform/failure.h"

#include <QString>
#include <QStringList>

// The sentences of the shared layer, in one place: the menu window's questions and notices, the
// route book's and the settings file's refusals (a cause and a next step each, which the code
// makes a failure of), and what both windows say of a missing file. The code that shows them and
// the tests read them here.
namespace app::messages {

using platform::Reason;

// A photo or sound file the program looked for and did not find.
inline QString notFound(const QString& file)
{
    return QStringLiteral("%1 が見つかりません").arg(file);
}

// The "バージョン情報" box.
inline QString about(const QString& version, const QString& routeFile)
{
    return QStringLiteral("ミチタン（道順学習）\n"
                          "バージョン %1\n\n"
                          "このプログラムはフリーソフトウェアです。GNU 一般公衆利用許諾書"
                          "（GPL）第 3 版またはそれ以降の版のもとで、再配布や改変ができます。"
                          "保証はありません。\n\n"
                          "道順のファイル:\n%2")
        .arg(version, routeFile);
}

// The menu window's status line: the route in use, then the child practising, if any.
inline QString statusRoute(const QString& route)
{
    return QStringLiteral("道順: ") + route;
}
inline QString statusChild(const QString& child)
{
    return QStringLiteral("　　子ども: ") + child;
}

// Routes.
inline const QString kNewRouteName =
    QStringLiteral("新しい道順の名前を入れてください（例: 行き、帰り）。");
inline QString copyRouteQuestion(const QString& current, const QString& name)
{
    return QStringLiteral("いまの道順「%1」をコピーして、「%2」を始めますか？\n"
                          "（キャンセルすると、空の道順で始めます）")
        .arg(current, name);
}
inline QString routeCreated(const QString& name)
{
    return QStringLiteral("道順「%1」を作りました。いまはこの道順を使っています。\n"
                          "「道順作成」で写真を登録してください。")
        .arg(name);
}
inline QString routeNewName(const QString& old)
{
    return QStringLiteral("道順「%1」の新しい名前を入れてください。").arg(old);
}
inline QString removeRouteQuestion(const QString& name)
{
    return QStringLiteral("道順「%1」を消しますか？\n"
                          "ファイルは消さずに、日付のついた控えとして同じフォルダー"
                          "に残します。")
        .arg(name);
}
inline QString routeRemoved(const QString& name, const QString& copy, const QString& nowInUse)
{
    return QStringLiteral("道順「%1」を消しました。控え: %2\nいまは「%3」を使っています。")
        .arg(name, copy, nowInUse);
}
inline const Reason kRouteNameEmpty{QStringLiteral("道順の名前を入れてください。"), {}};
inline Reason routeNameTaken(const QString& name)
{
    return {QStringLiteral("「%1」という道順はもうあります。").arg(name),
            QStringLiteral("ほかの名前にしてください。")};
}
// The copy's file goes with it.
inline const Reason kRouteNotCopied{
    QStringLiteral("道順をコピーできませんでした。"),
    QStringLiteral("フォルダーに書きこめるか、ディスクに空きがあるか確かめてください。")};
inline const Reason kDefaultRouteStays{
    QStringLiteral("いつもの道順は消せません。"),
    QStringLiteral("名前を変えたり、中の順序を作りなおしたりして使ってください。")};
// The route's file goes with it.
inline const Reason kRouteNotSetAside{
    QStringLiteral("道順のファイルをよけておけなかったので、消しませんでした。"),
    QStringLiteral("ほかのプログラムが使っていないか確かめてください。")};
inline QString lastRouteMissing(const QString& name, const QString& path)
{
    return QStringLiteral("前に使っていた道順「%1」のファイルが見つからないので、"
                          "いつもの道順で始めます。\n%2")
        .arg(name, path);
}
inline Reason noSuchRoute(const QString& asked, const QStringList& routes)
{
    return {QStringLiteral("「%1」という道順はありません。").arg(asked),
            QStringLiteral("ある道順: ") + routes.join(QStringLiteral("、"))};
}

// Children.
inline QString chooseChildFirst(const QString& toDo)
{
    return QStringLiteral("先に「子ども」のメニューで、%1子どもをえらんでください。").arg(toDo);
}
// What the adult was about to do, completing chooseChildFirst.
inline const QString kToRenameChild = QStringLiteral("名前を変える");
inline const QString kToRemoveChild = QStringLiteral("消す");
inline const QString kToChooseRoutes = QStringLiteral("道順を決める");
inline const QString kToPlaceStart = QStringLiteral("スタートを置く");

inline const QString kChildName =
    QStringLiteral("子どもの名前を入れてください（ニックネームでかまいません）。");
inline QString childNewName(const QString& old)
{
    return QStringLiteral("「%1」の新しい名前を入れてください。").arg(old);
}
inline QString removeChildQuestion(const QString& name)
{
    return QStringLiteral("「%1」を消しますか？\n"
                          "道順は消えません。%1の練習の記録も消さずに残ります"
                          "（記録の画面で見られます）が、%1の設定はなくなります。")
        .arg(name);
}
inline const Reason kChildNameEmpty{
    QStringLiteral("子どもの名前（ニックネーム）を入れてください。"), {}};
inline Reason childNameTaken(const QString& name)
{
    return {QStringLiteral("「%1」はもういます。").arg(name),
            QStringLiteral("ほかの名前にしてください。")};
}
inline Reason notRegistered(const QString& name)
{
    return {QStringLiteral("「%1」は登録されていません。").arg(name), {}};
}
inline Reason noSuchChild(const QString& name)
{
    return {QStringLiteral("「%1」という子どもは登録されていません。").arg(name), {}};
}

// The child's start on the desktop and in the menu.
inline QString placeStartQuestion(const QString& child, const QString& route)
{
    return QStringLiteral("%1が道順「%2」の練習をすぐに始められるように、"
                          "デスクトップとメニューに「%1のスタート」を置きますか？")
        .arg(child, route);
}
inline QString startPlaced(const QStringList& places)
{
    return QStringLiteral("置きました:\n") + places.join(QLatin1Char('\n'));
}
inline QString startNotWritten(const QStringList& places)
{
    return QStringLiteral("次の場所に書きこめませんでした:\n") + places.join(QLatin1Char('\n'));
}

// A file about to be written over the route or one of its companions. `what` is one of the
// three k…File texts below.
inline Reason wouldOverwrite(const QString& file, const QString& what)
{
    return {QStringLiteral("「%1」は%2です。書き出すと上書きされて失われるので、書き出しません。")
                .arg(file, what),
            QStringLiteral("別のファイル名を指定してください。")};
}
inline const QString kRouteFile = QStringLiteral("道順のファイル");
inline const QString kRouteCompanionFile =
    QStringLiteral("道順のファイルといっしょに使うファイル（控えなど）");
inline const QString kDatabaseFile = QStringLiteral("道順や記録のデータベース");

// Where the route lives.
inline const Reason kNoProgramFolder{
    QStringLiteral("プログラムのフォルダーがわかりません。道順のファイルと音のファイル"
                   "はプログラムと同じフォルダーにあるため、このままでは使えません。"),
    QStringLiteral("\nプログラムをもう一度インストールするか、プログラムのフォルダーを"
                   "開いてそこから起動してください。")};
// `userFolder` is empty when the user has no home folder.
inline Reason noRouteFolder(const QString& programFolder, const QString& userFolder)
{
    const QString where = userFolder.isEmpty()
                              ? QStringLiteral("（この利用者にはホームフォルダーがありません）")
                              : QStringLiteral("（%1）").arg(userFolder);
    return {QStringLiteral("道順のファイルを置ける場所がありません。プログラムのフォルダー（%1）"
                           "には書き込めず、利用者のデータフォルダー%2も作れません。")
                .arg(programFolder, where),
            QStringLiteral("\nホームフォルダーのある利用者でログインして起動するか、プログラムの"
                           "フォルダーを書き込めるフォルダーにコピーして、そこから起動して"
                           "ください。")};
}
inline const QString kSampleNotMade =
    QStringLiteral("見本の道順を作れませんでした。道順は空のまま始まります。\n"
                   "「道順作成」で写真を選んで登録してください。");

// The settings file (children, route names, practice settings).
// The settings file goes with these two.
inline Reason settingsUnreadable(const QString& reason)
{
    return {QStringLiteral("設定のファイルを読めませんでした（%1）。いつもの道順で始め、"
                           "子どもと道順の名前の設定は使いません。")
                .arg(reason),
            QStringLiteral("\nファイルの読み書きの権限を確かめてください。")};
}
inline const Reason kSettingsDamagedNotSetAside{
    QStringLiteral("設定のファイルがこわれていて、よけておくこともできません"
                   "でした。いつもの道順で始めます。"),
    {}};
inline QString settingsDamagedSetAside(const QString& aside)
{
    return QStringLiteral("設定のファイルがこわれていたので、いつもの道順で始めます。"
                          "道順のファイルはそのまま残っています。\n"
                          "子どもと道順の名前は、もう一度設定してください。"
                          "こわれたファイルは次の名前で残してあります:\n%1")
        .arg(aside);
}
// The settings file goes with it.
inline Reason settingsNotSaved(const QString& reason)
{
    return {QStringLiteral("設定を保存できませんでした（%1）。").arg(reason),
            QStringLiteral("\nフォルダーに書きこめるか、ディスクに空きがあるか確かめてください。")};
}

} // namespace app::messages
