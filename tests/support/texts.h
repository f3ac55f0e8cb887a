#pragma once

#include <QString>
#include <QStringList>

// What the program shows and stores, as the tests expect it, in one place: a change of wording
// is made here once.

// Messages.
inline const QString kGoal = QStringLiteral("☆★☆　ゴール！　おめでとう！　☆★☆");
inline const QString kWrong = QStringLiteral("ざんねん！");
inline const QString kNotFound = QStringLiteral(" が見つかりません"); // follows a photo's path
inline const QString kOverwrite = QStringLiteral("上書きしますか?");
inline const QString kDelete = QStringLiteral("削除しますか?");
inline const QString kChoosePhoto = QStringLiteral("写真を選択してください");
inline const QString kUnchanged = QStringLiteral("道順は変更されていません。");
inline const QString kOtherProgram = QStringLiteral("ほかのプログラム"); // a locked route file

// The directions as stored, and in the order of the arrow buttons.
inline const QString kUp = QStringLiteral("↑");
inline const QString kRight = QStringLiteral("→");
inline const QString kLeft = QStringLiteral("←");
inline const QStringList kArrows{kUp, kRight, kLeft};

// The key of step `n`: its number in three digits ("001").
inline QString stepKey(int n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}
