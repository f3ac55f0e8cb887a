#pragma once

#include "platform/failure.h"

#include <QString>

// What the practice records say to the adult, in one place.
namespace records::messages {

// What a failure of the records file left as it was.
inline const QString kNotErased = QStringLiteral("記録は消していません。");
inline const QString kWalkNotRecorded = QStringLiteral("実際の道は記録されていません。");
inline const QString kPracticeNotRecorded =
    QStringLiteral("この練習は記録しませんでしたが、練習はいつもどおりできます。");

// The file `path` of the format `format` ("CSV") could not be written, for the reason `why`
// (with what to do about it); `detail` holds the system's own words.
inline platform::Failure notWritten(const QString& format, const QString& path, const QString& why,
                                    const QString& detail)
{
    platform::Failure failure(platform::Failure::Kind::Failed, why, {}, detail);
    failure.under(QStringLiteral("%1 を書き出せませんでした。").arg(format)).about(path);
    return failure;
}

// What --help says of each option.
inline const QString kHelpCsv = QStringLiteral("練習の記録を CSV に書き出します。");
inline const QString kHelpObl =
    QStringLiteral("練習の記録を OBL (Open Board Logging) に書き出します。");
inline const QString kHelpPdf = QStringLiteral("練習の記録を印刷用の PDF に書き出します。");

// What the adult is asked when recording a walk.
inline const QString kWalkHowTo = QStringLiteral("実際に道を歩いたとき、それぞれの場所でどのくらい"
                                                 "手助けが必要だったかを選んでください。");

// The printed records: the heading of the grid of the last `sessions` sessions.
inline QString printedGridHeading(int sessions)
{
    return QStringLiteral("ステップごとのまちがい（最近の %1 回、色が濃いほど多い。"
                          "実際の道は手助けの程度）")
        .arg(sessions);
}

// The tip of a cell of the step grid: a step not shown in a session, a walk's help, and a
// practice's first try with the wrong answers and steps back.
inline const QString kStepNotShown = QStringLiteral("この回には出ていません");
inline QString walkTip(const QString& help)
{
    return QStringLiteral("実際の道: %1").arg(help);
}
inline QString practiceTip(bool firstTryRight, int wrong, int backs)
{
    return QStringLiteral("%1、まちがい %2 回、もどる %3 回")
        .arg(firstTryRight ? QStringLiteral("1回目で正解") : QStringLiteral("1回目は正解ではない"))
        .arg(wrong)
        .arg(backs);
}

// Notices and questions of the records' menu and window.
inline const QString kNoRecordsYet = QStringLiteral("この道順の練習の記録はまだありません。");
inline const QString kNoRecordsYetHowTo =
    QStringLiteral("この道順の練習の記録はまだありません。"
                   "「道順学習」で練習すると、ここに記録が出ます。");
inline const QString kNoPhotosYet = QStringLiteral("この道順には、まだ写真が登録されていません。");
inline const QString kClosePracticeFirst = QStringLiteral("練習の画面が開いています。練習の画面を"
                                                          "閉じてから、もう一度ためしてください。");
inline QString eraseQuestion(const QString& recordsFile)
{
    return QStringLiteral("この道順の練習の記録と実際の道の記録を、すべて消します。"
                          "消した記録はもどせません。\n先に「CSV に書き出す…」で"
                          "残しておくこともできます。\n\n消してよいですか？\n%1")
        .arg(recordsFile);
}
inline const QString kErased = QStringLiteral("練習の記録を消しました。");

// The recording setting could not be saved, for the reason `why`.
inline platform::Failure settingNotSaved(const platform::Failure& why)
{
    return why.headed(QStringLiteral("設定を保存できませんでした。"));
}

// The records file was damaged; it was kept as `aside` and a new one started.
inline QString damagedKeptAside(const QString& aside)
{
    return QStringLiteral("練習の記録のファイルがこわれていたので、そのファイルを\n%1\n"
                          "として残し、新しい記録のファイルを始めました。")
        .arg(aside);
}

// The command line was given a route file `path` that is not there.
inline platform::Failure noRouteFile(const QString& path)
{
    return platform::Failure(platform::Failure::Kind::Failed,
                             QStringLiteral("道順のファイルが見つかりません: ") + path);
}

// The headline of the report: who practised how often, and whether the rule `rule` is met.
inline QString headlineChild(const QString& child)
{
    return child + QStringLiteral("さん: ");
}
inline QString headlineCounts(int practices, int walks)
{
    return QStringLiteral("練習 %1 回・実際の道 %2 回。").arg(practices).arg(walks);
}
inline QString rule(double percent, int sessions)
{
    return QStringLiteral("1回目で正解 %1 % 以上を %2 回続けて")
        .arg(percent, 0, 'f', 0)
        .arg(sessions);
}
inline QString practiceMet(int session, const QString& rule)
{
    return QStringLiteral("練習は %1 回目で基準（%2）を満たしました。").arg(session).arg(rule);
}
inline QString practiceNotMet(const QString& rule)
{
    return QStringLiteral("練習はまだ基準（%1）を満たしていません。").arg(rule);
}
inline QString walkMet(int session)
{
    return QStringLiteral("実際の道は %1 回目で満たしました。").arg(session);
}

} // namespace records::messages
