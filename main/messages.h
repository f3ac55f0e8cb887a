#pragma once

#include "platform/failure.h"

#include <QString>

// What the executable says to the adult before any window opens: the command line's help and
// its refusals, and what stops the windows from opening as the command line asked.
namespace michitan::messages {

// The text above the options in --help.
inline const QString kDescription = QStringLiteral(
    "ミチタン（道順学習）: 子どもが家から学校までの道順をおぼえるためのプログラム。\n"
    "オプションなしで起動すると「処理選択」の画面が開きます。下のオプションは画面を"
    "開かずに働き、失敗すると理由を表示して 0 以外で終わります。\n"
    "--route を省くと、プログラムがいつも開く道順のファイルを使います。");

// What --help says of each option.
inline const QString kHelpPractice =
    QStringLiteral("メニューを出さずに、練習の画面だけを開きます。");
inline const QString kHelpChild = QStringLiteral("練習する子どもの名前。");
inline const QString kHelpPrintPdf = QStringLiteral("道順の本を PDF に書き出します。");
inline const QString kHelpPerPage = QStringLiteral("1 ページに印刷する写真の数 (1, 2, 4)。");
inline const QString kHelpRoute = QStringLiteral("道順のファイル (ADO_LANE.mdb)。");
inline const QString kHelpHelp = QStringLiteral("この説明を表示して終わります。");
inline const QString kHelpVersion = QStringLiteral("版を表示して終わります。");
inline const QString kHelpNewRoute =
    QStringLiteral("--import で、この名前の新しい道順を作ります。");

// A command line the program does not understand: `why` says what is wrong with it.
inline platform::Failure usage(const QString& why)
{
    return platform::Failure(platform::Failure::Kind::Usage, why);
}

inline platform::Failure notUnderstood(const QString& parserError)
{
    return usage(QStringLiteral("コマンドの指定がまちがっています: ") + parserError);
}
inline const QString kOptionsWithoutTheirJob =
    QStringLiteral("--per-page は --print-pdf と、--new-route は --import と"
                   "いっしょに使います。");
inline const QString kOneJobAtATime =
    QStringLiteral("--print-pdf、--export、--import、--relink、--records-… は一度に"
                   "一つだけ指定してください。");
inline const QString kNewRouteWithImport =
    QStringLiteral("--new-route は --import といっしょに、--route なしで使います。");
inline const QString kPerPageValues =
    QStringLiteral("--per-page には 1, 2, 4 のどれかを指定してください。");
inline const QString kPdfFileName =
    QStringLiteral("--print-pdf には書き出す PDF のファイル名を指定してください。");

// The route file `path` named on the command line is not there.
inline platform::Failure noRouteFile(const QString& path)
{
    return platform::Failure(platform::Failure::Kind::Failed,
                             QStringLiteral("道順のファイルが見つかりません: ") + path);
}

// The child named on the command line is not among the household's children.
inline platform::Failure noSuchChild(const QString& child)
{
    return platform::Failure(
        platform::Failure::Kind::Failed,
        QStringLiteral("「%1」という子どもは登録されていません。").arg(child),
        QStringLiteral("\nメニューの「子ども」→「子どもを追加…」で登録してください。"));
}

} // namespace michitan::messages
