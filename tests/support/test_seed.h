#pragma once

#include <QRandomGenerator>
#include <QtGlobal>

// The seed of a seeded test, printed so that a run can be replayed. The same fixed seed runs
// every time, so that a failure reproduces; MICHITAN_TEST_SEED=<number> replays a given run and
// MICHITAN_TEST_SEED=random draws a fresh one.
inline quint32 testSeed()
{
    constexpr quint32 kFixedSeed = 20030315;
    const QString wanted = qEnvironmentVariable("MICHITAN_TEST_SEED");
    quint32 seed = kFixedSeed;
    if (wanted == QLatin1String("random"))
        seed = QRandomGenerator::global()->generate();
    else if (!wanted.isEmpty())
        seed = wanted.toUInt();
    qInfo("seed %u (MICHITAN_TEST_SEED=%u replays this run)", seed, seed);
    return seed;
}
