#pragma once

#include <QString>
#include <QStringList>

// What the program stores, and the route store's messages, as the tests expect them, in one
// place: a change of wording is made here once. Every other folder's sentences are read from
// that folder's messages.h.

// Messages of the route store.
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
