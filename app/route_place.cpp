#include "app/route_place.h"

#include "app/messages.h"
#include "app/sample_route.h"
#include "platform/failure.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace app {

namespace {

const QString kRouteName = QStringLiteral("ADO_LANE.mdb");
// Longer than making the sample route ever takes; a lock older than this was left by a crash.
constexpr int kFirstStartMs = 30000;

bool writableFolder(const QString& folder)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace

RoutePlace chooseRouteFolder(const QString& programFolder, const QString& userFolder,
                             const std::function<bool(const QString&)>& canWrite)
{
    if (programFolder.isEmpty())
        return {{},
                false,
                platform::Failure(platform::Failure::Kind::Failed, messages::kNoProgramFolder)};
    if (canWrite(programFolder))
        return {programFolder, false, {}};
    if (!userFolder.isEmpty() && canWrite(userFolder))
        return {userFolder, true, {}};
    return {{},
            false,
            platform::Failure(platform::Failure::Kind::NoFolder,
                              messages::noRouteFolder(QDir::toNativeSeparators(programFolder),
                                                      QDir::toNativeSeparators(userFolder)))};
}

RouteStart startRoute(const QString& programFolder)
{
    return startRoute(programFolder,
                      QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation),
                      writableFolder);
}

RouteStart startRoute(const QString& programFolder, const QString& userFolder,
                      const std::function<bool(const QString&)>& canWrite)
{
    const RoutePlace place = chooseRouteFolder(programFolder, userFolder, canWrite);
    if (place.folder.isEmpty())
        return {{}, place.failure, {}};
    RouteStart start{QDir(place.folder).filePath(kRouteName), {}, {}};
    if (!place.userFolder || QFileInfo::exists(start.routeFile))
        return start;
    // Two first starts at once (a double click taken twice) must not both make the sample: the
    // second waits for the first and then finds its route.
    QLockFile firstStart(QDir(place.folder).filePath(QStringLiteral(".michitan-first-start.lock")));
    firstStart.setStaleLockTime(kFirstStartMs);
    firstStart.tryLock(kFirstStartMs);
    if (QFileInfo::exists(start.routeFile))
        return start;
    // A first start in the user's folder: the sample route, with its own copy of the photos so
    // that it never depends on the program's files.
    const QString photos = QDir(place.folder).filePath(QStringLiteral("photos"));
    const QString cause = messages::kSampleNotMade;
    if (!copySamplePhotos(QDir(programFolder).filePath(QStringLiteral("photos")), photos)) {
        start.notice = cause;
        return start;
    }
    try {
        writeSampleRoute(start.routeFile, photos);
    } catch (const platform::Failure& e) {
        start.notice = cause + QLatin1Char('\n') + e.text();
    }
    return start;
}

} // namespace app
