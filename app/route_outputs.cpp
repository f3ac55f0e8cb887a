#include "app/route_outputs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace app {
namespace {

// The same file, followed through links.
bool sameFile(const QFileInfo& a, const QFileInfo& b)
{
    if (!a.exists() || !b.exists())
        return a.absoluteFilePath() == b.absoluteFilePath();
    return a.canonicalFilePath() == b.canonicalFilePath();
}

bool isDatabase(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
}

} // namespace

QString routeFileClash(const QString& output, const QString& routeFile)
{
    const QFileInfo out(output);
    const QFileInfo route(routeFile);
    const QString name = QDir::toNativeSeparators(out.absoluteFilePath());
    const auto refusal = [&name](const QString& what) {
        return QStringLiteral("「%1」は%2です。書き出すと上書きされて失われるので、書き出しません。"
                              "別のファイル名を指定してください。")
            .arg(name, what);
    };
    if (sameFile(out, route))
        return refusal(QStringLiteral("道順のファイル"));
    // Beside the route: its journal, write-ahead log and dated copies all begin with its name.
    const QFileInfo outFolder(out.absolutePath());
    if (sameFile(outFolder, QFileInfo(route.absolutePath())) &&
        out.fileName().startsWith(route.fileName(), Qt::CaseInsensitive))
        return refusal(QStringLiteral("道順のファイルといっしょに使うファイル（控えなど）"));
    if (out.isFile() && isDatabase(out.absoluteFilePath()))
        return refusal(QStringLiteral("道順や記録のデータベース"));
    return QString();
}

} // namespace app
