#include "share/obz_import.h"

#include "platform/picture.h"
#include "platform/program_folder.h"
#include "platform/write_failure.h"
#include "share/messages.h"
#include "share/obz_board.h"
#include "share/obz_limits.h"
#include "share/obz_voices.h"
#include "share/route_steps.h"
#include "share/zip_reader.h"
#include "store/voice_files.h"
#include "store/voices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QScopeGuard>
#include <QSet>
#include <QStandardPaths>
#include <QTextBoundaryFinder>
#include <QUuid>

namespace share {
namespace {

QJsonObject readJson(ZipReader& zip, const QString& name, qint64 limit)
{
    if (!zip.contains(name))
        throw refusedOurs(messages::missingInside(name));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(zip.read(name, limit), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw refusedOurs(messages::jsonDamaged(name));
    return doc.object();
}

// The picture suffixes we take in, with what they must decode as.
bool pictureSuffix(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
           suffix == QLatin1String("png");
}

} // namespace

QString fittedFileName(const QString& stem, const QString& tag, const QString& suffix)
{
    const QString end = tag + QLatin1Char('.') + suffix;
    const qsizetype room = limits::kMaxNameBytes - end.toUtf8().size();
    if (stem.toUtf8().size() <= room)
        return stem + end;
    // Cut where a reader sees a character end, so that no emoji or accented letter is halved.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, stem);
    qsizetype keep = 0;
    for (qsizetype at = finder.toNextBoundary(); at > 0 && stem.left(at).toUtf8().size() <= room;
         at = finder.toNextBoundary())
        keep = at;
    return stem.left(keep) + end;
}

namespace {

// A file name of our own making from the name the photo had: no folder, no character that a
// file system refuses, and the suffix of the picture it now is.
QString safePhotoName(const QString& original, const QString& imageEntry)
{
    QString stem = QFileInfo(original).completeBaseName();
    static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : stem)
        if (c.unicode() < 0x20 || kForbidden.contains(c))
            c = QLatin1Char('_');
    stem = stem.trimmed();
    while (stem.startsWith(QLatin1Char('.')))
        stem.remove(0, 1);
    if (stem.isEmpty())
        stem = QStringLiteral("photo");
    return fittedFileName(stem, QString(), QFileInfo(imageEntry).suffix().toLower());
}

// The archive entry of the sound a button of `board` says (its sound_id, found in the board's
// sounds); empty when it says none, or names no sound file the archive holds.
QString soundEntry(ZipReader& zip, const QJsonObject& board, const QString& buttonId)
{
    QString id;
    for (const QJsonValue& button : board.value(QStringLiteral("buttons")).toArray())
        if (button.toObject().value(QStringLiteral("id")).toString() == buttonId)
            id = button.toObject().value(QStringLiteral("sound_id")).toString();
    if (id.isEmpty())
        return QString();
    for (const QJsonValue& sound : board.value(QStringLiteral("sounds")).toArray()) {
        const QJsonObject object = sound.toObject();
        const QString path = object.value(QStringLiteral("path")).toString();
        if (object.value(QStringLiteral("id")).toString() == id && obz::soundSuffix(path) &&
            zip.contains(path))
            return path;
    }
    return QString();
}

ImportPlan::Step readStep(ZipReader& zip, const QJsonObject& board, const QString& boardName)
{
    ImportPlan::Step step;
    step.direction = board.value(QStringLiteral("ext_michitan_direction")).toString();
    if (!obz::isArrow(step.direction))
        throw refusedOurs(messages::boardWithoutDirection(boardName));
    const QString imageId = board.value(QStringLiteral("ext_michitan_image_id")).toString();
    for (const QJsonValue& image : board.value(QStringLiteral("images")).toArray())
        if (image.toObject().value(QStringLiteral("id")).toString() == imageId)
            step.imageEntry = image.toObject().value(QStringLiteral("path")).toString();
    if (imageId.isEmpty() || step.imageEntry.isEmpty() || !pictureSuffix(step.imageEntry))
        throw refusedOurs(messages::boardWithoutPhoto(boardName));
    if (!zip.contains(step.imageEntry))
        throw refusedOurs(messages::photoMissing(step.imageEntry));
    step.photoName = safePhotoName(
        board.value(QStringLiteral("ext_michitan_photo_name")).toString(), step.imageEntry);
    step.soundEntry = soundEntry(zip, board, QStringLiteral("photo"));
    return step;
}

// The target file for each picture entry: its photo's own name, made unique in the folder.
QHash<QString, QString> targetNames(const ImportPlan& plan, const QDir& folder)
{
    QHash<QString, QString> targets;
    QSet<QString> taken;
    for (const ImportPlan::Step& step : plan.steps) {
        if (targets.contains(step.imageEntry))
            continue;
        const QFileInfo name(step.photoName);
        QString candidate = step.photoName;
        for (int i = 2; taken.contains(candidate.toLower()) || folder.exists(candidate); ++i)
            candidate = fittedFileName(name.completeBaseName(), QStringLiteral("_%1").arg(i),
                                       name.suffix());
        taken.insert(candidate.toLower());
        targets.insert(step.imageEntry, folder.absoluteFilePath(candidate));
    }
    return targets;
}

// Refuses a picture that practice could not show: it is decoded whole, by the same loader and
// within the same memory limit, at the size it can at most be shown.
void checkPicture(const QString& path, const QString& entry)
{
    const std::optional<QSize> size = platform::PictureSize(path);
    if (!size)
        throw refusedOurs(messages::photoDamaged(entry));
    if (size->width() > limits::kMaxPictureSide || size->height() > limits::kMaxPictureSide)
        throw refusedOurs(messages::photoTooBig(entry, limits::kMaxPictureSide));
    QSize shown = *size;
    if (qMax(shown.width(), shown.height()) > limits::kExportLongSide)
        shown.scale(limits::kExportLongSide, limits::kExportLongSide, Qt::KeepAspectRatio);
    const std::optional<QImage> image = platform::LoadPicture(path, shown);
    if (!image || image->isNull())
        throw refusedOurs(messages::photoNotShown(entry));
}

// `wanted` as a path that can be stored in the route. A folder that can only be reached
// through a descriptor (inside a program folder whose name is not UTF-8) gives way to a
// folder of the same name in the user's data folder.
QString photoFolderToUse(const QString& wanted)
{
    const QString absolute = QFileInfo(wanted).absoluteFilePath();
    const QString lasting = platform::lastingPath(absolute);
    if (!lasting.isEmpty())
        return lasting;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (data.isEmpty())
        throw failed(messages::photoFolderNotStorable(wanted));
    return QDir(data).absoluteFilePath(QFileInfo(absolute).fileName());
}

const QString kStagingPrefix = QStringLiteral(".michitan-import-");

// Removes what an import that was stopped (killed, a power cut) left in `folder`.
void removeLeftovers(const QDir& folder)
{
    for (const QString& name : folder.entryList({kStagingPrefix + QLatin1Char('*')},
                                                QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        QDir(folder.absoluteFilePath(name)).removeRecursively();
}

} // namespace

ImportPlan readArchive(const QString& archivePath, const Progress& progress)
{
    ZipReader zip(archivePath);
    const QString manifestName = QStringLiteral("manifest.json");
    if (!zip.contains(manifestName))
        throw refused(messages::missingInside(manifestName));
    const QJsonObject manifest = readJson(zip, manifestName, limits::kMaxManifestBytes);
    const QJsonValue count = manifest.value(QStringLiteral("ext_michitan_steps"));
    if (!count.isDouble())
        throw refused(messages::kNoRouteInside);
    const int steps = count.toInt(-1);
    if (steps < 1 || steps > limits::kMaxSteps || count.toDouble() != steps)
        throw refusedOurs(messages::stepCountOutOfRange(count.toDouble(), limits::kMaxSteps));

    // Every board the manifest names, read and checked; the step boards by their number.
    const QJsonObject boards = manifest.value(QStringLiteral("paths"))
                                   .toObject()
                                   .value(QStringLiteral("boards"))
                                   .toObject();
    if (boards.size() > limits::kMaxBoards)
        throw refusedOurs(messages::tooManyBoards(boards.size(), limits::kMaxBoards));
    QMap<int, ImportPlan::Step> byNumber;
    QString goalSound;
    QSet<QString> read; // each board is read once, however often the manifest names it
    int done = 0;
    for (auto it = boards.begin(); it != boards.end(); ++it) {
        report(progress, done++, int(boards.size()));
        const QString boardName = it.value().toString();
        if (read.contains(boardName))
            throw refusedOurs(messages::boardTwice(boardName));
        read.insert(boardName);
        const QJsonObject board = readJson(zip, boardName, limits::kMaxBoardBytes);
        const QJsonValue order = board.value(QStringLiteral("ext_michitan_order"));
        if (board.value(QStringLiteral("ext_michitan_goal")).toBool())
            goalSound = soundEntry(zip, board, QStringLiteral("goal"));
        if (order.isUndefined())
            continue;
        bool ok = false;
        const int number = order.toString().toInt(&ok);
        if (!ok || order.toString().size() != 3 || number < 1 || number > steps ||
            byNumber.contains(number))
            throw refusedOurs(messages::boardNumberWrong(boardName));
        byNumber.insert(number, readStep(zip, board, boardName));
    }
    if (byNumber.size() != steps)
        throw refusedOurs(messages::stepsMissing(steps, byNumber.size()));
    ImportPlan plan;
    plan.archivePath = archivePath;
    plan.steps = byNumber.values();
    plan.goalSoundEntry = goalSound;
    return plan;
}

QString defaultPhotoFolder(const QString& routePath, const QString& archivePath)
{
    QString name = QFileInfo(archivePath).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("photos");
    return QFileInfo(routePath).absoluteDir().absoluteFilePath(name);
}

ImportResult importRoute(const ImportPlan& plan, const QString& routePath,
                         const QString& photoFolder, const Progress& progress)
{
    ZipReader zip(plan.archivePath);
    ImportResult result;
    result.photoFolder = photoFolderToUse(photoFolder);
    result.photoFolderMoved =
        platform::lastingPath(QFileInfo(photoFolder).absoluteFilePath()).isEmpty();
    const QString& photoFolderUsed = result.photoFolder;
    QDir folder(photoFolderUsed);
    const bool madeFolder = !folder.exists();
    if (madeFolder && !QDir().mkpath(photoFolderUsed))
        throw failed(messages::photoFolderNotMade(
            photoFolderUsed,
            platform::folderWriteFailureReason(QFileInfo(photoFolderUsed).absolutePath(), 0)));
    removeLeftovers(folder);
    // The photos are unpacked into a hidden folder inside the target and moved into place only
    // once every one is whole and checked, so that a stopped import leaves no half photo among
    // the family's; the next import clears such a folder away.
    const QString stagingName =
        kStagingPrefix + QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
    if (!folder.mkdir(stagingName))
        throw failed(messages::photoFolderNotWritable(
            photoFolderUsed, platform::folderWriteFailureReason(photoFolderUsed, 0)));
    const QDir staging(folder.absoluteFilePath(stagingName));
    QStringList placed;
    auto undo = qScopeGuard([&] {
        if (!result.datedCopy.isEmpty())
            QFile::remove(result.datedCopy);
        for (const QString& path : placed)
            QFile::remove(path);
        QDir(staging).removeRecursively();
        if (madeFolder)
            QDir().rmdir(photoFolderUsed);
    });

    const QHash<QString, QString> targets = targetNames(plan, folder);
    int done = 0;
    for (auto it = targets.begin(); it != targets.end(); ++it) {
        report(progress, done++, int(targets.size()) + 1);
        const QString unpacked = staging.absoluteFilePath(QFileInfo(it.value()).fileName());
        zip.extract(it.key(), unpacked, limits::kMaxPictureBytes);
        checkPicture(unpacked, it.key());
    }
    report(progress, done, int(targets.size()) + 1);

    // Each voice into the route's voice folder, under a name of the program's own.
    QHash<QString, QString> voiceFiles; // sound entry -> written file
    QHash<QString, QString> voices;     // photo (or the goal's key) -> stored voice file
    auto takeVoice = [&](const QString& entry, const QString& key) {
        if (entry.isEmpty())
            return;
        if (!voiceFiles.contains(entry)) {
            const QString target = store::newVoiceFile(routePath, QFileInfo(entry).suffix());
            QFile::remove(target);
            placed << target;
            zip.extract(entry, target, limits::kMaxSoundBytes);
            voiceFiles.insert(entry, target);
        }
        voices.insert(key, store::storedVoiceName(routePath, voiceFiles.value(entry)));
    };
    QList<store::Step> steps;
    for (const ImportPlan::Step& step : plan.steps) {
        steps.push_back(store::Step{-1, QString(), targets.value(step.imageEntry), step.direction});
        takeVoice(step.soundEntry, steps.back().photo);
    }
    takeVoice(plan.goalSoundEntry, store::goalVoiceKey());
    result.datedCopy = keepDatedCopy(routePath);
    for (const QString& target : targets) {
        if (!QFile::rename(staging.absoluteFilePath(QFileInfo(target).fileName()), target))
            throw failed(messages::photoNotPlaced(
                target, platform::folderWriteFailureReason(photoFolderUsed, 0)));
        placed << target;
    }
    replaceSteps(routePath, steps, voices);
    undo.dismiss();
    QDir(staging).removeRecursively();
    result.steps = int(steps.size());
    return result;
}

} // namespace share
