#pragma once

#include "store/store_error.h"

#include <QTest>
#include <optional>

// Runs `f`, which must throw a StoreError; returns it (no value when nothing was thrown).
template <typename F> std::optional<store::StoreError> storeErrorOf(F&& f)
{
    try {
        f();
    } catch (const store::StoreError& e) {
        return e;
    }
    return std::nullopt;
}

// The message a parent reads names the route file and a cause.
inline void checkMessage(const store::StoreError& e, const QString& path)
{
    const QString message = e.userMessage();
    QVERIFY2(message.contains(path), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("道順ファイル")), qPrintable(message));
    QVERIFY2(!e.cause().isEmpty(), qPrintable(message));
}
