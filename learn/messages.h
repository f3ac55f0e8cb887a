#pragma once

#include <QString>

// The sentences the practice window shows, in one place: the window and its tests read them here.
namespace learn::messages {

inline const QString kGoal = QStringLiteral("☆★☆　ゴール！　おめでとう！　☆★☆");
inline const QString kWrong = QStringLiteral("ざんねん！");
// Practice waits while the route file can't be read, and goes on by itself once it can.
inline const QString kRouteUnreadable =
    QStringLiteral("道順ファイルを読めないため、練習が止まっています。読めるようになれば、"
                   "練習はそのまま続きます。");

// Told to the adult before practice on a route with `count` photos that can't be shown.
inline QString photosMissing(int count)
{
    return QStringLiteral("%1 枚の写真が見つかりません。「写真の場所を直す…」で直せます。")
        .arg(count);
}

// The sum an adult answers to end a locked practice.
inline QString unlockQuestion(int a, int b)
{
    return QStringLiteral("大人の方へ: 練習を終えるには、次の計算の答えを数字で"
                          "入れてください。\n%1 + %2 = ?")
        .arg(a)
        .arg(b);
}

} // namespace learn::messages
