#include "share/relink.h"

#include "app/m_lane.h"
#include "app/vb4_func.h"
#include "share/route_steps.h"
#include "store/connection.h"
#include "store/voice_files.h"
#include "store/voices.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace share {
namespace {

// Every file below `folder`, by file name.
QMultiHash<QString, QString> filesByName(const QString& folder, const Progress& progress)
{
    QMultiHash<QString, QString> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    int seen = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(it.fileName(), path);
        if (++seen % 500 == 0)
            report(progress, 0, 0);
    }
    return files;
}

// How many folder names, from the file upwards, the two paths share.
int sharedFolders(const QString& oldPath, const QString& newPath)
{
    const QStringList a = QFileInfo(oldPath).path().split(
        QRegularExpression(QStringLiteral("[/\\\\]")), Qt::SkipEmptyParts);
    const QStringList b = QFileInfo(newPath).path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    int n = 0;
    while (n < a.size() && n < b.size() && a[a.size() - 1 - n] == b[b.size() - 1 - n])
        ++n;
    return n;
}

// The one best file for `oldPath` among `candidates`, or an empty string when none is best.
QString bestMatch(const QString& oldPath, const QStringList& candidates)
{
    QString best;
    int bestScore = -1;
    bool tie = false;
    for (const QString& candidate : candidates) {
        const int score = sharedFolders(oldPath, candidate);
        if (score > bestScore) {
            best = candidate;
            bestScore = score;
            tie = false;
        } else if (score == bestScore) {
            tie = true;
        }
    }
    return tie ? QString() : best;
}

QString fileNameOf(const QString& path)
{
    // A path written on Windows keeps its backslashes in the route.
    return path.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1);
}

// The route's voices whose files are not there: photo (or the goal's key) -> the file's path.
QHash<QString, QString> missingVoices(const QString& routePath)
{
    store::Connection cn;
    cn.Open(m_lane::ConnectString(routePath), routeTable());
    const QHash<QString, QString> stored = store::readVoices(cn);
    cn.Close();
    QHash<QString, QString> missing;
    for (auto it = stored.begin(); it != stored.end(); ++it) {
        const QString path = store::voicePath(routePath, it.value());
        if (!QFileInfo(path).isFile())
            missing.insert(it.key(), path);
    }
    return missing;
}

} // namespace

QStringList missingPhotos(const QString& routePath)
{
    QStringList missing;
    for (const RouteStep& step : readSteps(routePath))
        if (!QFileInfo(step.photo).isFile() && !missing.contains(step.photo))
            missing << step.photo;
    return missing;
}

QStringList missingVoiceFiles(const QString& routePath)
{
    QStringList files = missingVoices(routePath).values();
    files.sort();
    return files;
}

RelinkResult relinkPhotos(const QString& routePath, const QString& folder, const Progress& progress)
{
    const QList<RouteStep> steps = readSteps(routePath);
    QStringList missing;
    QSet<QString> inUse;
    for (const RouteStep& step : steps) {
        if (QFileInfo(step.photo).isFile())
            inUse.insert(step.photo);
        else if (!missing.contains(step.photo))
            missing << step.photo;
    }
    RelinkResult result;
    const QHash<QString, QString> lostVoices = missingVoices(routePath);
    if (missing.isEmpty() && lostVoices.isEmpty())
        return result;
    const QMultiHash<QString, QString> files = filesByName(folder, progress);

    QHash<QString, QString> foundVoices; // photo (or the goal's key) -> new voice file
    for (auto it = lostVoices.begin(); it != lostVoices.end(); ++it) {
        const QString match = bestMatch(it.value(), files.values(fileNameOf(it.value())));
        if (match.isEmpty())
            result.voicesStillMissing << it.value();
        else
            foundVoices.insert(it.key(), match);
    }

    QHash<QString, QString> found; // old path -> new path
    for (const QString& old : missing) {
        const QString match = bestMatch(old, files.values(fileNameOf(old)));
        if (match.isEmpty() || inUse.contains(match)) {
            result.stillMissing << old;
            continue;
        }
        inUse.insert(match);
        found.insert(old, match);
    }
    if (found.isEmpty() && foundVoices.isEmpty())
        return result;

    const QString table = routeTable();
    store::Connection cn;
    cn.Open(m_lane::ConnectString(routePath), routeTable());
    store::Transaction change(cn);
    // The voices first, under their photos' old paths: a photo's new path takes its voice along.
    for (auto it = foundVoices.cbegin(); it != foundVoices.cend(); ++it)
        store::setVoice(cn, table, it.key(), store::storedVoiceName(routePath, it.value()));
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        cn.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET 写真 = '") +
                   VB4_FUNC::SQL_QUOTE(it.value()) + QStringLiteral("' WHERE 写真 = '") +
                   VB4_FUNC::SQL_QUOTE(it.key()) + QStringLiteral("'"));
    change.commit();
    cn.Close();
    for (const RouteStep& step : steps)
        if (found.contains(step.photo))
            ++result.mended;
    result.voicesMended = int(foundVoices.size());
    return result;
}

} // namespace share
