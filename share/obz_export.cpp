#include "share/obz_export.h"

#include "share/obz_board.h"
#include "share/obz_limits.h"
#include "share/photo_pack.h"
#include "share/route_steps.h"
#include "share/share_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QScopeGuard>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>
#include <zlib.h>

namespace share {
namespace {

ShareError writeFailed(const QString& path)
{
    return failed(QStringLiteral("ファイル「%1」を書き込めませんでした。"
                                 "保存先のフォルダーに書き込めるか、ディスクに空きがあるか"
                                 "確かめてください。")
                      .arg(QDir::toNativeSeparators(path)));
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

QByteArray json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace

ExportResult exportRoute(const QString& routePath, const QString& outPath, const Progress& progress)
{
    const QList<store::Step> steps = readSteps(routePath);
    if (steps.isEmpty())
        throw failed(QStringLiteral("道順にステップがないので、書き出すものがありません。"
                                    "先に「道順作成」でステップを登録してください。"));
    // Written beside the target first, so that a failure never leaves half a file in its place.
    const QString partPath = outPath + QStringLiteral(".part");
    QFile::remove(partPath);
    auto removePart = qScopeGuard([&] { QFile::remove(partPath); });
    QuaZip zip(partPath);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        throw writeFailed(outPath);

    ExportResult result;
    result.steps = int(steps.size());
    QHash<QString, obz::StepBoard> packed; // by photo path: a photo used twice goes in once
    QJsonObject images;
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
            board.photoMissing = photo.missing;
            board.photoName = QFileInfo(step.photo).fileName();
            if (photo.missing)
                result.missing << step.photo;
            addEntry(zip, board.imagePath, photo.bytes, false, outPath);
            images.insert(board.imageId, board.imagePath);
            packed.insert(step.photo, board);
        }
        board.number = number;
        board.direction = step.direction;
        addEntry(zip, obz::boardPath(number), json(obz::stepBoard(board, number == steps.size())),
                 true, outPath);
    }
    addEntry(zip, QString::fromLatin1(obz::kGoalPath), json(obz::goalBoard()), true, outPath);
    addEntry(zip, QStringLiteral("manifest.json"), json(obz::manifest(result.steps, images)), true,
             outPath);
    zip.close();
    if (zip.getZipError() != UNZ_OK)
        throw writeFailed(outPath);
    report(progress, result.steps, result.steps);
    if (QFileInfo::exists(outPath) && !QFile::remove(outPath))
        throw writeFailed(outPath);
    if (!QFile::rename(partPath, outPath))
        throw writeFailed(outPath);
    removePart.dismiss();
    return result;
}

} // namespace share
