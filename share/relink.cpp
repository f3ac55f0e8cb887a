#include "share/relink.h"

#include "platform/picture.h"
#include "platform/program_folder.h"
#include "share/messages.h"
#include "share/obz_voices.h"
#include "store/route.h"
#include "store/voice_files.h"
#include "store/voices.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace share {
namespace {

// Every file below `folder`, by file name as it is and in lower case.
struct FileIndex
{
    QMultiHash<QString, QString> byName;
    QMultiHash<QString, QString> byLowerName;
};

FileIndex filesByName(const QString& folder, const Progress& progress)
{
    FileIndex files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    int seen = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        files.byName.insert(it.fileName(), path);
        files.byLowerName.insert(it.fileName().toLower(), path);
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

// True when `path` decodes as a picture (a small decode, which is enough to tell).
bool isPicture(const QString& path)
{
    const std::optional<QSize> size = platform::PictureSize(path);
    if (!size)
        return false;
    const std::optional<QImage> image =
        platform::LoadPicture(path, size->scaled(64, 64, Qt::KeepAspectRatio));
    return image && !image->isNull();
}

// The one best picture (or, for a voice, sound file) for `oldPath` among `candidates`, or an
// empty string when none is best.
QString bestMatch(const QString& oldPath, const QStringList& candidates, bool voice = false)
{
    QString best;
    int bestScore = -1;
    bool tie = false;
    for (const QString& candidate : candidates) {
        if (voice ? !obz::soundSuffix(candidate) : !isPicture(candidate))
            continue;
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
    store::Route route(routePath);
    const QHash<QString, QString> stored = store::readVoices(route.connection());
    route.close();
    QHash<QString, QString> missing;
    for (auto it = stored.begin(); it != stored.end(); ++it) {
        const QString path = store::voicePath(routePath, it.value());
        if (!QFileInfo(path).isFile())
            missing.insert(it.key(), path);
    }
    return missing;
}

// The file for the photo once at `oldPath`: a file of the same name, else (a camera's
// IMG_0002.JPG for img_0002.jpg) of the same name in another case.
QString findPhoto(const QString& oldPath, const FileIndex& files)
{
    const QString name = fileNameOf(oldPath.trimmed());
    if (name.isEmpty())
        return QString();
    const QString exact = bestMatch(oldPath.trimmed(), files.byName.values(name));
    if (!exact.isEmpty())
        return exact;
    return bestMatch(oldPath.trimmed(), files.byLowerName.values(name.toLower()));
}

// Every step with its photo path exactly as stored (blanks and all), and its row.
QList<store::Step> photoRows(const QString& routePath)
{
    // Reading never makes a missing route file (empty) in passing.
    if (!QFileInfo(routePath).isFile())
        throw failed(messages::routeFileNotFound(routePath));
    return store::Route(routePath).storedSteps();
}

} // namespace

QStringList missingPhotos(const QString& routePath)
{
    QStringList missing;
    for (const store::Step& row : photoRows(routePath))
        if (!QFileInfo(row.photo).isFile() && !missing.contains(row.photo))
            missing << row.photo;
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
    const QList<store::Step> rows = photoRows(routePath);
    QStringList missing;
    QSet<QString> inUse;
    for (const store::Step& row : rows) {
        if (QFileInfo(row.photo).isFile())
            inUse.insert(row.photo);
        else if (!missing.contains(row.photo))
            missing << row.photo;
    }
    RelinkResult result;
    const QHash<QString, QString> lostVoices = missingVoices(routePath);
    if (missing.isEmpty() && lostVoices.isEmpty())
        return result;
    const FileIndex files = filesByName(folder, progress);

    QHash<QString, QString> foundVoices; // photo (or the goal's key) -> new voice file
    for (auto it = lostVoices.begin(); it != lostVoices.end(); ++it) {
        const QString match =
            bestMatch(it.value(), files.byName.values(fileNameOf(it.value())), true);
        if (match.isEmpty())
            result.voicesStillMissing << it.value();
        else
            foundVoices.insert(it.key(), match);
    }

    QHash<QString, QString> found; // old path as stored -> new path
    for (const QString& old : missing) {
        report(progress, int(found.size()), int(missing.size()));
        // A path through a descriptor would mean nothing to the next start.
        const QString match = platform::lastingPath(findPhoto(old, files));
        if (match.isEmpty() || inUse.contains(match)) {
            result.stillMissing << old;
            continue;
        }
        inUse.insert(match);
        found.insert(old, match);
    }
    // The voices first, under their photos' old paths: a photo's new path then takes its voice
    // along.
    if (!foundVoices.isEmpty()) {
        QHash<QString, QString> stored;
        for (auto it = foundVoices.cbegin(); it != foundVoices.cend(); ++it)
            stored.insert(it.key(), store::storedVoiceName(routePath, it.value()));
        store::Route route(routePath);
        store::Transaction change = route.change();
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            store::setVoice(route.connection(), store::routeTable(), it.key(), it.value());
        change.commit();
        result.voicesMended = int(foundVoices.size());
    }
    if (found.isEmpty())
        return result;
    // Each step is addressed by its row, so that the rows read are the rows changed, and mended
    // only while it still holds the photo that was missing: a step changed meanwhile in the
    // editor is left as it now is.
    store::Route route(routePath);
    store::Transaction change = route.change();
    for (const store::Step& row : rows)
        if (found.contains(row.photo) &&
            route.changePhoto(row.row, found.value(row.photo), row.photo))
            ++result.mended;
    change.commit();
    return result;
}

} // namespace share
