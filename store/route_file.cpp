#include "store/route_file.h"

#include "store/messages.h"
#include "store/route_failure.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QUrl>
#include <QUuid>

namespace store {

using Kind = platform::Failure::Kind;
namespace text = messages;

QString sqliteUri(const QString& path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           QStringLiteral("?mode=rw");
}

void createRouteFile(const QString& path, const QString& table)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    if (!folder.exists())
        throw routeFailure(Kind::NoFolder, path, text::kNoRouteFolder);
    // Build the file under a temporary name, then move it into place without replacing anything.
    const QString temp = folder.filePath(
        QStringLiteral(".michitan-new-%1.tmp").arg(QUuid::createUuid().toString(QUuid::Id128)));
    const QString name = QStringLiteral("michitan-create-") + QUuid::createUuid().toString();
    bool made = false;
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(temp);
        if (db.open()) {
            QSqlQuery q(db);
            const QString quoted =
                QString(table).replace(QLatin1String("\""), QLatin1String("\"\""));
            // The editor's renumbering finds each row by its photo or by its number: with these
            // indexes a route of 999 steps renumbers in milliseconds instead of scanning the
            // table once per row.
            made =
                q.exec(QStringLiteral("CREATE TABLE \"%1\" (順序 TEXT, 写真 TEXT, 方向 TEXT)")
                           .arg(quoted)) &&
                q.exec(QStringLiteral("CREATE INDEX \"%1_写真\" ON \"%1\" (写真)").arg(quoted)) &&
                q.exec(QStringLiteral("CREATE INDEX \"%1_順序\" ON \"%1\" (順序)").arg(quoted));
            if (!made)
                error = q.lastError();
        } else {
            error = db.lastError();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!made) {
        QFile::remove(temp);
        // A full disk is said as such; anything else means the folder refused the new file.
        const platform::Failure cause = failureFromSql(path, error);
        if (cause.kind() == Kind::DiskFull)
            throw routeFailure(Kind::DiskFull, path,
                               {text::kNotCreated + cause.cause(), cause.nextStep()},
                               cause.detail());
        throw routeFailure(Kind::NoFolder, path, text::kNotCreatedFolder, cause.detail());
    }
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        if (!QFileInfo::exists(path))
            throw routeFailure(Kind::NoFolder, path, text::kNotCreatedRename);
        // Someone else made it meanwhile: theirs stays, and is checked on opening.
    }
}

void prepareRouteFile(const QString& path, const QString& table, IfMissing missing)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw routeFailure(Kind::IsDirectory, path, text::kFolderInTheWay);
    if (!info.exists() && missing == IfMissing::Fail)
        throw routeFailure(Kind::Missing, path, text::kRouteMissing);
    if (!info.exists()) {
        createRouteFile(path, table);
        return;
    }
    if (!info.isFile())
        throw routeFailure(Kind::NotRouteFile, path, text::kNotPlainFile);
    if (info.size() == 0)
        throw routeFailure(Kind::EmptyFile, path, text::kEmptyFile);
}

namespace {

// A journal the engine would replay: its header is written (an unfinished one is all zeros
// there), and it is no longer being written: another program's change in progress has a journal
// too, for a few milliseconds, and that one is not a leftover.
bool isLeftover(const QFileInfo& file)
{
    if (!file.isFile() || file.lastModified().secsTo(QDateTime::currentDateTime()) < 2)
        return false;
    QFile f(file.filePath());
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(8);
    static const QByteArray journalMagic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    static const QByteArray walMagic("\x37\x7f\x06\x82", 4);
    static const QByteArray walMagicBigEndian("\x37\x7f\x06\x83", 4);
    return head == journalMagic || head.startsWith(walMagic) || head.startsWith(walMagicBigEndian);
}

} // namespace

QString datedCopyPath(const QString& path, const QDateTime& when)
{
    return path + when.toString(QStringLiteral(".yyyy-MM-dd_HH-mm-ss")) + QStringLiteral(".bak");
}

bool diskNearlyFull(const QString& path)
{
    QFileInfo info(path);
    while (!info.exists() && !info.absolutePath().isEmpty() &&
           info.absolutePath() != info.absoluteFilePath())
        info = QFileInfo(info.absolutePath());
    const QStorageInfo storage(info.absoluteFilePath());
    constexpr qint64 kRoom = 1024 * 1024; // less than this left, and a write fails for want of room
    return storage.isValid() && storage.isReady() && storage.bytesAvailable() < kRoom;
}

QStringList keepLeftovers(const QString& path)
{
    QStringList kept;
    for (const QString& suffix : {QStringLiteral("-journal"), QStringLiteral("-wal")}) {
        const QFileInfo leftover(path + suffix);
        if (!isLeftover(leftover))
            continue;
        // Named after the leftover's time, so that one leftover is kept once however often the
        // file is opened before the engine has dealt with it; names the engine never pairs.
        for (const QString& source : {path, leftover.filePath()}) {
            const QString copy = datedCopyPath(source, leftover.lastModified());
            // Another window may be taking the same copy at this moment, or another program may
            // have dealt with the leftover meanwhile.
            if (QFileInfo::exists(copy) || QFile::copy(source, copy)) {
                if (!kept.contains(copy))
                    kept << copy;
                continue;
            }
            if (!QFileInfo::exists(source) || QFileInfo::exists(copy))
                continue;
            if (diskNearlyFull(path))
                throw routeFailure(Kind::DiskFull, path,
                                   text::leftoverDiskFull(leftover.fileName()));
            throw routeFailure(Kind::NoFolder, path, text::leftoverNotKept(leftover.fileName()));
        }
    }
    return kept;
}

} // namespace store
