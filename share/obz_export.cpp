#include "share/obz_export.h"

#include "platform/write_failure.h"
#include "share/messages.h"
#include "share/obz_board.h"
#include "share/obz_limits.h"
#include "share/obz_voices.h"
#include "share/photo_pack.h"
#include "share/route_steps.h"
#include "store/voices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QSaveFile>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>
#include <zlib.h>

namespace share {
namespace {

platform::Failure writeFailed(const QString& path, qint64 bytes = 0)
{
    return failed(messages::fileNotWritten(path, platform::writeFailureReason(path, bytes)));
}

// A route that import would refuse is not written at all: the parent hears why now, not on
// the other computer.
void checkExportable(const QList<store::Step>& steps)
{
    if (steps.isEmpty())
        throw failed(messages::kNothingToExport);
    if (steps.size() > limits::kMaxSteps)
        throw failed(messages::tooManyToExport(steps.size(), limits::kMaxSteps));
    for (int i = 0; i < steps.size(); ++i)
        if (!obz::isArrow(steps[i].direction))
            throw failed(messages::directionNotArrow(i + 1, steps[i].direction));
}

// Adds one entry; pictures are stored as they are (they do not pack), JSON is deflated.
void addEntry(QuaZip& zip, const QString& name, const QByteArray& bytes, bool deflate,
              const QString& archivePath)
{
    QuaZipFile file(&zip);
    QuaZipNewInfo info(name);
    info.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    if (!file.open(QIODevice::WriteOnly, info, nullptr, 0, deflate ? Z_DEFLATED : 0,
                   deflate ? Z_DEFAULT_COMPRESSION : 0))
        throw writeFailed(archivePath);
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    if (!written || file.getZipError() != UNZ_OK)
        throw writeFailed(archivePath);
}

// Puts the voice file `path` into the archive as `entry`; false, adding nothing, when it can't be
// read or is larger than an import takes.
bool addSound(QuaZip& zip, const QString& path, const QString& entry, const QString& archivePath)
{
    QFile file(path);
    if (file.size() > limits::kMaxSoundBytes || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    addEntry(zip, entry, bytes, false, archivePath);
    return true;
}

QByteArray json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace

ExportResult exportRoute(const QString& routePath, const QString& outPath, const Progress& progress)
{
    const QList<store::Step> steps = readSteps(routePath);
    checkExportable(steps);
    // Written beside the target under another name and renamed over it in one step once it is
    // whole, so that a failure or a kill never costs the family the archive that was there.
    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly))
        throw writeFailed(outPath);
    QuaZip zip(&file);
    zip.setAutoClose(false);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        throw writeFailed(outPath);

    ExportResult result;
    result.steps = int(steps.size());
    QHash<QString, obz::StepBoard> packed; // by photo path: a photo used twice goes in once
    QJsonObject images;
    QJsonObject sounds;
    const QHash<QString, QString> voices = obz::routeVoiceFiles(routePath);
    for (int i = 0; i < steps.size(); ++i) {
        report(progress, i, int(steps.size()));
        const store::Step& step = steps[i];
        const int number = i + 1;
        obz::StepBoard board;
        if (auto known = packed.find(step.photo); known != packed.end()) {
            board = *known;
        } else {
            const PackedPhoto photo = packPhoto(step.photo, limits::kExportLongSide);
            board.imageId = obz::imageId(number);
            board.imagePath = QStringLiteral("images/%1.%2")
                                  .arg(number, 3, 10, QLatin1Char('0'))
                                  .arg(photo.suffix);
            board.contentType = photo.contentType;
            board.imageSize = photo.size;
            board.photoMissing = photo.state != PackedPhoto::State::Packed;
            board.photoName = QFileInfo(step.photo).fileName();
            if (photo.state == PackedPhoto::State::Missing)
                result.missing << step.photo;
            if (photo.state == PackedPhoto::State::Unreadable)
                result.unreadable << step.photo;
            addEntry(zip, board.imagePath, photo.bytes, false, outPath);
            images.insert(board.imageId, board.imagePath);
            if (const QString voice = voices.value(step.photo); !voice.isEmpty()) {
                const QString entry = QStringLiteral("%1/%2.%3")
                                          .arg(QString::fromLatin1(obz::kSoundFolder))
                                          .arg(number, 3, 10, QLatin1Char('0'))
                                          .arg(QFileInfo(voice).suffix().toLower());
                if (addSound(zip, voice, entry, outPath)) {
                    board.soundId = obz::soundId(number);
                    board.soundPath = entry;
                    board.soundType = obz::soundContentType(voice);
                    sounds.insert(board.soundId, entry);
                }
            }
            packed.insert(step.photo, board);
        }
        board.number = number;
        board.direction = step.direction;
        addEntry(zip, obz::boardPath(number), json(obz::stepBoard(board, number == steps.size())),
                 true, outPath);
    }
    obz::GoalSound goalSound;
    if (const QString voice = voices.value(store::goalVoiceKey()); !voice.isEmpty()) {
        const QString entry = QStringLiteral("%1/goal.%2")
                                  .arg(QString::fromLatin1(obz::kSoundFolder))
                                  .arg(QFileInfo(voice).suffix().toLower());
        if (addSound(zip, voice, entry, outPath)) {
            goalSound = obz::GoalSound{entry, obz::soundContentType(voice)};
            sounds.insert(QString::fromLatin1(obz::kGoalSoundId), entry);
        }
    }
    addEntry(zip, QString::fromLatin1(obz::kGoalPath), json(obz::goalBoard(goalSound)), true,
             outPath);
    addEntry(zip, QStringLiteral("manifest.json"),
             json(obz::manifest(result.steps, images, sounds)), true, outPath);
    zip.close();
    report(progress, result.steps, result.steps);
    const qint64 bytes = file.pos();
    if (zip.getZipError() != UNZ_OK || !file.flush() || file.error() != QFileDevice::NoError ||
        file.size() != bytes || !file.commit())
        throw writeFailed(outPath, bytes);
    return result;
}

} // namespace share
