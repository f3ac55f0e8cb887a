#include "store/route_file.h"

#include "store/store_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace store {

using Kind = StoreError::Kind;

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
        throw StoreError(Kind::NoFolder, path,
                         QStringLiteral("道順ファイルを置くフォルダーがありません。"));
    // Build the file under a temporary name, then move it into place without replacing anything.
    const QString temp = folder.filePath(
        QStringLiteral(".michitan-new-%1.tmp").arg(QUuid::createUuid().toString(QUuid::Id128)));
    const QString name = QStringLiteral("michitan-create-") + QUuid::createUuid().toString();
    bool made = false;
    QString error;
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
                error = q.lastError().text();
        } else {
            error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!made) {
        QFile::remove(temp);
        throw StoreError(
            Kind::NoFolder, path,
            QStringLiteral("新しい道順ファイルを作れませんでした（フォルダーに書き込めません）。"),
            error);
    }
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        if (!QFileInfo::exists(path))
            throw StoreError(Kind::NoFolder, path,
                             QStringLiteral("新しい道順ファイルを作れませんでした。"));
        // Someone else made it meanwhile: theirs stays, and is checked on opening.
    }
}

void prepareRouteFile(const QString& path, const QString& table)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw StoreError(Kind::IsDirectory, path,
                         QStringLiteral("道順ファイルの場所に同じ名前のフォルダーがあります。"));
    if (!info.exists()) {
        createRouteFile(path, table);
        return;
    }
    if (!info.isFile())
        throw StoreError(
            Kind::NotRouteFile, path,
            QStringLiteral("道順ファイルの場所にふつうのファイルではないものがあります。"));
    if (info.size() == 0)
        throw StoreError(
            Kind::EmptyFile, path,
            QStringLiteral("ファイルが空です（0 バイト）。道順ファイルではありません。"));
}

} // namespace store
