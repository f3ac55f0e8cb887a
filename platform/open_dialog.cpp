#include "platform/open_dialog.h"

#include "platform/dialogs.h"
#include "platform/picture.h"

#include <QCoreApplication>
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

// The program's own settings (~/.config/michitan/michitan.conf on Linux). The program sets no
// organisation name: QStandardPaths would add it to the folder the family's route lives in.
QSettings programSettings()
{
    const QString app = QCoreApplication::applicationName();
    const QString organisation = QCoreApplication::organizationName();
    return QSettings(organisation.isEmpty() ? app : organisation, app);
}

} // namespace

QString openDialogStart(const QString& initDir)
{
    if (!initDir.isEmpty())
        return initDir;
    const QString last = programSettings().value(kLastFolderKey).toString();
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
    programSettings().setValue(kLastFolderKey, QFileInfo(chosenFile.trimmed()).absolutePath());
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
