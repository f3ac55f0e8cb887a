#include "app/route_outputs.h"

#include "app/messages.h"

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

std::optional<platform::Failure> routeFileClash(const QString& output, const QString& routeFile)
{
    const QFileInfo out(output);
    const QFileInfo route(routeFile);
    const QString name = QDir::toNativeSeparators(out.absoluteFilePath());
    // The file is named in the sentence itself.
    const auto refusal = [&name](const QString& what) {
        return platform::Failure(platform::Failure::Kind::Failed,
                                 messages::wouldOverwrite(name, what));
    };
    if (sameFile(out, route))
        return refusal(messages::kRouteFile);
    // Beside the route: its journal, write-ahead log and dated copies all begin with its name.
    const QFileInfo outFolder(out.absolutePath());
    if (sameFile(outFolder, QFileInfo(route.absolutePath())) &&
        out.fileName().startsWith(route.fileName(), Qt::CaseInsensitive))
        return refusal(messages::kRouteCompanionFile);
    if (out.isFile() && isDatabase(out.absoluteFilePath()))
        return refusal(messages::kDatabaseFile);
    return std::nullopt;
}

} // namespace app
