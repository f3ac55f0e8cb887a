#include "platform/open_dialog.h"

#include "platform/dialogs.h"
#include "platform/picture.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {
namespace {

const QString kLastFolderKey = QStringLiteral("photos/lastFolder");

bool isFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

QString openDialogStart(const QString& initDir)
{
    if (!initDir.isEmpty())
        return initDir;
    const QString last = QSettings().value(kLastFolderKey).toString();
    if (isFolder(last))
        return last;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (isFolder(pictures))
        return pictures;
    return QDir::homePath();
}

void rememberOpenFolder(const QString& chosenFile)
{
    if (chosenFile.trimmed().isEmpty())
        return;
    QSettings().setValue(kLastFolderKey, QFileInfo(chosenFile.trimmed()).absolutePath());
}

QStringList openDialogFilters(const QString& filter)
{
    const QString first = qtNameFilter(filter);
    QStringList filters = first.split(QStringLiteral(";;"));
    if (first.endsWith(QStringLiteral("(*)")))
        filters << QStringLiteral("写真 (%1)").arg(PicturePatterns().join(QLatin1Char(' ')));
    return filters;
}

} // namespace platform
