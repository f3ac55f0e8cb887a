#include "app/sample_route.h"

#include "store/route.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUuid>

namespace app {

namespace {

// The way to school: each photo and the direction to take there.
const struct
{
    const char* photo;
    const char* direction;
} kSteps[] = {
    {"01_home_gate.jpg", "↑"}, {"02_straight_street.jpg", "↑"}, {"03_corner_right.jpg", "→"},
    {"04_crossing.jpg", "↑"},  {"05_corner_left.jpg", "←"},     {"06_school_gate.jpg", "↑"},
};

void fill(const QString& routeFile, const QDir& photos)
{
    QList<store::Step> steps;
    for (const auto& step : kSteps)
        steps.push_back(store::Step{-1, QString(),
                                    photos.absoluteFilePath(QString::fromUtf8(step.photo)),
                                    QString::fromUtf8(step.direction)});
    store::Route route(routeFile);
    store::Transaction change = route.change();
    route.replaceAll(steps);
    change.commit();
}

} // namespace

bool writeSampleRoute(const QString& routeFile, const QString& photoFolder)
{
    const QFileInfo target(routeFile);
    if (target.exists())
        return false;
    // Built whole under a temporary name and then moved into place without replacing anything,
    // so that no one ever finds a half-made sample, and a route made meanwhile stays.
    const QString temp = target.absoluteDir().filePath(
        QStringLiteral(".michitan-sample-%1.tmp").arg(QUuid::createUuid().toString(QUuid::Id128)));
    const auto cleanUp = qScopeGuard([&temp] { QFile::remove(temp); });
    fill(temp, QDir(QFileInfo(photoFolder).absoluteFilePath()));
    return QFile::rename(temp, target.absoluteFilePath());
}

bool copySamplePhotos(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    bool copied = true;
    for (const auto& step : kSteps) {
        const QString name = QString::fromUtf8(step.photo);
        const QString target = QDir(to).filePath(name);
        if (!QFileInfo::exists(target))
            copied = QFile::copy(QDir(from).filePath(name), target) && copied;
    }
    return copied;
}

} // namespace app
