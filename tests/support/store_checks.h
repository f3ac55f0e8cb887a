#pragma once

#include "platform/failure.h"

#include <QTest>
#include <optional>

// Runs `f`, which must throw a platform::Failure; returns it (no value when nothing was thrown).
template <typename F> std::optional<platform::Failure> failureOf(F&& f)
{
    try {
        f();
    } catch (const platform::Failure& e) {
        return e;
    }
    return std::nullopt;
}

// The message a parent reads names the route file and a cause.
inline void checkMessage(const platform::Failure& e, const QString& path)
{
    const QString message = e.text();
    QVERIFY2(message.contains(path), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("道順ファイル")), qPrintable(message));
    QVERIFY2(!e.reason().isEmpty(), qPrintable(message));
}
