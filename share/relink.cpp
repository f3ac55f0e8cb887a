#include "share/relink.h"

#include "share/route_steps.h"
#include "store/route.h"

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

} // namespace

QStringList missingPhotos(const QString& routePath)
{
    QStringList missing;
    for (const store::Step& step : readSteps(routePath))
        if (!QFileInfo(step.photo).isFile() && !missing.contains(step.photo))
            missing << step.photo;
    return missing;
}

RelinkResult relinkPhotos(const QString& routePath, const QString& folder, const Progress& progress)
{
    const QList<store::Step> steps = readSteps(routePath);
    QStringList missing;
    QSet<QString> inUse;
    for (const store::Step& step : steps) {
        if (QFileInfo(step.photo).isFile())
            inUse.insert(step.photo);
        else if (!missing.contains(step.photo))
            missing << step.photo;
    }
    RelinkResult result;
    if (missing.isEmpty())
        return result;
    const QMultiHash<QString, QString> files = filesByName(folder, progress);

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
    if (found.isEmpty())
        return result;

    // Each step is addressed by its row and mended only while it still holds the photo that was
    // missing: a step changed meanwhile in the editor is left as it now is.
    store::Route route(routePath);
    store::Transaction change = route.change();
    for (const store::Step& step : steps)
        if (found.contains(step.photo) &&
            route.changePhoto(step.row, found.value(step.photo), step.photo))
            ++result.mended;
    change.commit();
    return result;
}

} // namespace share
