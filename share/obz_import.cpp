#include "share/obz_import.h"

#include "platform/picture.h"
#include "share/obz_limits.h"
#include "share/route_steps.h"
#include "share/share_error.h"
#include "share/zip_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QScopeGuard>
#include <QSet>

namespace share {
namespace {

const QStringList kArrows{QStringLiteral("↑"), QStringLiteral("→"), QStringLiteral("←")};

QJsonObject readJson(ZipReader& zip, const QString& name)
{
    if (!zip.contains(name))
        throw refused(QStringLiteral("「%1」がありません。").arg(name));
    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(zip.read(name, limits::kMaxJsonBytes), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw refused(QStringLiteral("「%1」の JSON が壊れています。").arg(name));
    return doc.object();
}

// The picture suffixes we take in, with what they must decode as.
bool pictureSuffix(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
           suffix == QLatin1String("png");
}

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
    return stem.left(100) + QLatin1Char('.') + QFileInfo(imageEntry).suffix().toLower();
}

ImportPlan::Step readStep(ZipReader& zip, const QJsonObject& board, const QString& boardName)
{
    ImportPlan::Step step;
    step.direction = board.value(QStringLiteral("ext_michitan_direction")).toString();
    if (!kArrows.contains(step.direction))
        throw refused(QStringLiteral("「%1」の方向がありません。").arg(boardName));
    const QString imageId = board.value(QStringLiteral("ext_michitan_image_id")).toString();
    for (const QJsonValue& image : board.value(QStringLiteral("images")).toArray())
        if (image.toObject().value(QStringLiteral("id")).toString() == imageId)
            step.imageEntry = image.toObject().value(QStringLiteral("path")).toString();
    if (imageId.isEmpty() || step.imageEntry.isEmpty() || !pictureSuffix(step.imageEntry))
        throw refused(QStringLiteral("「%1」の写真が示されていません。").arg(boardName));
    if (!zip.contains(step.imageEntry))
        throw refused(QStringLiteral("写真「%1」がありません。").arg(step.imageEntry));
    step.photoName = safePhotoName(
        board.value(QStringLiteral("ext_michitan_photo_name")).toString(), step.imageEntry);
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
            candidate =
                QStringLiteral("%1_%2.%3").arg(name.completeBaseName()).arg(i).arg(name.suffix());
        taken.insert(candidate.toLower());
        targets.insert(step.imageEntry, folder.absoluteFilePath(candidate));
    }
    return targets;
}

void checkPicture(const QString& path, const QString& entry)
{
    const std::optional<QSize> size = platform::PictureSize(path);
    if (!size)
        throw refused(QStringLiteral("写真「%1」が壊れています。").arg(entry));
    if (size->width() > limits::kMaxPictureSide || size->height() > limits::kMaxPictureSide)
        throw refused(QStringLiteral("写真「%1」が大きすぎます（縦横 %2 ピクセルまで）。")
                          .arg(entry)
                          .arg(limits::kMaxPictureSide));
}

} // namespace

ImportPlan readArchive(const QString& archivePath)
{
    ZipReader zip(archivePath);
    const QJsonObject manifest = readJson(zip, QStringLiteral("manifest.json"));
    const QJsonValue count = manifest.value(QStringLiteral("ext_michitan_steps"));
    if (!count.isDouble())
        throw refused(QStringLiteral("ミチタンの道順が入っていません"
                                     "（ほかの絵カードアプリのファイルのようです）。"));
    const int steps = count.toInt(-1);
    if (steps < 1 || steps > limits::kMaxSteps || count.toDouble() != steps)
        throw refused(QStringLiteral("道順のステップの数が %1 で、1 から %2 の間にありません。")
                          .arg(count.toDouble())
                          .arg(limits::kMaxSteps));

    // Every board the manifest names, read and checked; the step boards by their number.
    const QJsonObject boards = manifest.value(QStringLiteral("paths"))
                                   .toObject()
                                   .value(QStringLiteral("boards"))
                                   .toObject();
    QMap<int, ImportPlan::Step> byNumber;
    for (auto it = boards.begin(); it != boards.end(); ++it) {
        const QString boardName = it.value().toString();
        const QJsonObject board = readJson(zip, boardName);
        const QJsonValue order = board.value(QStringLiteral("ext_michitan_order"));
        if (order.isUndefined())
            continue;
        bool ok = false;
        const int number = order.toString().toInt(&ok);
        if (!ok || order.toString().size() != 3 || number < 1 || number > steps ||
            byNumber.contains(number))
            throw refused(QStringLiteral("「%1」の番号が正しくありません。").arg(boardName));
        byNumber.insert(number, readStep(zip, board, boardName));
    }
    if (byNumber.size() != steps)
        throw refused(QStringLiteral("道順は %1 ステップのはずですが、%2 ステップしかありません。")
                          .arg(steps)
                          .arg(byNumber.size()));
    ImportPlan plan;
    plan.archivePath = archivePath;
    plan.steps = byNumber.values();
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
    QDir folder(photoFolder);
    const bool madeFolder = !folder.exists();
    if (madeFolder && !QDir().mkpath(photoFolder))
        throw failed(QStringLiteral("写真のフォルダー「%1」を作れませんでした。"
                                    "書き込める場所を選んでください。道順は変わっていません。")
                         .arg(QDir::toNativeSeparators(photoFolder)));
    QStringList written;
    ImportResult result;
    auto undo = qScopeGuard([&] {
        if (!result.datedCopy.isEmpty())
            QFile::remove(result.datedCopy);
        for (const QString& path : written)
            QFile::remove(path);
        if (madeFolder)
            QDir().rmdir(photoFolder);
    });

    const QHash<QString, QString> targets = targetNames(plan, folder);
    int done = 0;
    for (auto it = targets.begin(); it != targets.end(); ++it) {
        report(progress, done++, int(targets.size()) + 1);
        zip.extract(it.key(), it.value(), limits::kMaxPictureBytes);
        written << it.value();
        checkPicture(it.value(), it.key());
    }
    report(progress, done, int(targets.size()) + 1);

    QList<store::Step> steps;
    for (const ImportPlan::Step& step : plan.steps)
        steps.push_back(store::Step{-1, QString(), targets.value(step.imageEntry), step.direction});
    result.datedCopy = keepDatedCopy(routePath);
    replaceSteps(routePath, steps);
    undo.dismiss();
    result.steps = int(steps.size());
    return result;
}

} // namespace share
