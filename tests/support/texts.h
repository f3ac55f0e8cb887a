#pragma once

#include <QString>
#include <QStringList>

// What the program stores, as the tests expect it. The sentences the program says are read
// from the catalogue of the folder that says them (<folder>/messages.h).

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
