#include "app/route_place.h"

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
                QStringLiteral("プログラムのフォルダーがわかりません。道順のファイルと音のファイル"
                               "はプログラムと同じフォルダーにあるため、このままでは使えません。\n"
                               "プログラムをもう一度インストールするか、プログラムのフォルダーを"
                               "開いてそこから起動してください。")};
    if (canWrite(programFolder))
        return {programFolder, false, {}};
    if (!userFolder.isEmpty() && canWrite(userFolder))
        return {userFolder, true, {}};
    const QString where = userFolder.isEmpty()
                              ? QStringLiteral("（この利用者にはホームフォルダーがありません）")
                              : QStringLiteral("（%1）").arg(QDir::toNativeSeparators(userFolder));
    return {
        {},
        false,
        QStringLiteral("道順のファイルを置ける場所がありません。プログラムのフォルダー（%1）"
                       "には書き込めず、利用者のデータフォルダー%2も作れません。\n"
                       "ホームフォルダーのある利用者でログインして起動するか、プログラムの"
                       "フォルダーを書き込めるフォルダーにコピーして、そこから起動してください。")
            .arg(QDir::toNativeSeparators(programFolder), where)};
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
        return {{}, place.problem, {}};
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
    const QString cause =
        QStringLiteral("見本の道順を作れませんでした。道順は空のまま始まります。\n"
                       "「道順作成」で写真を選んで登録してください。");
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
