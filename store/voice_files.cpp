#include "store/voice_files.h"

#include "store/messages.h"
#include "store/route_failure.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>

namespace store {
namespace {

using Kind = platform::Failure::Kind;
namespace text = messages;

// Voice files are named "声_<date>_<time>_<random>.<suffix>", so that the program knows its own.
const QString kPrefix = QStringLiteral("声_");

platform::Failure folderError(const QString& folder, const QString& detail)
{
    return routeFailure(Kind::ReadOnlyFolder, folder, text::kVoiceFolderNotWritable, detail);
}

platform::Failure writeError(const QString& path, const QString& detail)
{
    return routeFailure(Kind::DiskFull, path, text::kVoiceNotWritten, detail);
}

QString newName(const QString& suffix)
{
    return kPrefix + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss_zzz")) +
           QStringLiteral("_%1").arg(QRandomGenerator::global()->bounded(0x10000), 4, 16,
                                     QLatin1Char('0')) +
           QLatin1Char('.') + suffix.toLower();
}

QString makeFolder(const QString& routeFile)
{
    const QString folder = voiceFolder(routeFile);
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw folderError(folder, text::kVoiceFolderNotMade);
    return folder;
}

} // namespace

QString voiceFolder(const QString& routeFile)
{
    const QFileInfo route(routeFile);
    return route.absoluteDir().filePath(route.completeBaseName() + QStringLiteral("_声"));
}

QString voicePath(const QString& routeFile, const QString& stored)
{
    if (stored.isEmpty())
        return QString();
    return QDir::cleanPath(QFileInfo(routeFile).absoluteDir().absoluteFilePath(stored));
}

QString storedVoiceName(const QString& routeFile, const QString& path)
{
    const QDir routeDir = QFileInfo(routeFile).absoluteDir();
    const QString relative = routeDir.relativeFilePath(QFileInfo(path).absoluteFilePath());
    if (relative.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(relative))
        return QFileInfo(path).absoluteFilePath();
    return relative;
}

QString newVoiceFile(const QString& routeFile, const QString& suffix)
{
    const QString folder = makeFolder(routeFile);
    for (int attempt = 0; attempt < 20; ++attempt) {
        QFile file(QDir(folder).filePath(newName(suffix)));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
        if (!file.exists())
            throw folderError(folder, file.errorString());
    }
    throw folderError(folder, text::kNoNewVoiceName);
}

QString copyIntoVoiceFolder(const QString& routeFile, const QString& source)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw routeFailure(Kind::Failed, source, text::kVoiceUnreadable, in.errorString());
    const QString target = newVoiceFile(routeFile, QFileInfo(source).suffix());
    QSaveFile out(target);
    bool written = out.open(QIODevice::WriteOnly);
    while (written && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        written = !chunk.isEmpty() && out.write(chunk) == chunk.size();
    }
    if (!written || in.error() != QFileDevice::NoError || !out.commit()) {
        const QString detail = out.errorString();
        out.cancelWriting();
        QFile::remove(target);
        throw writeError(target, detail);
    }
    return target;
}

QStringList removeUnusedVoiceFiles(const QString& routeFile, const QStringList& stored)
{
    QSet<QString> used;
    for (const QString& name : stored)
        used.insert(QFileInfo(voicePath(routeFile, name)).absoluteFilePath());
    QStringList failed;
    const QDir folder(voiceFolder(routeFile));
    const QFileInfoList files =
        folder.entryInfoList({kPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files) {
        if (used.contains(file.absoluteFilePath()))
            continue;
        if (!QFile::remove(file.absoluteFilePath()))
            failed << file.absoluteFilePath();
    }
    return failed;
}

} // namespace store
