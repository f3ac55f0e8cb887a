#include "share/obz_voices.h"

#include "store/route.h"
#include "store/voice_files.h"
#include "store/voices.h"

#include <QFileInfo>

namespace share::obz {

bool soundSuffix(const QString& path)
{
    static const QStringList kSuffixes{
        QStringLiteral("wav"),  QStringLiteral("mp3"), QStringLiteral("ogg"), QStringLiteral("oga"),
        QStringLiteral("opus"), QStringLiteral("m4a"), QStringLiteral("aac")};
    return kSuffixes.contains(QFileInfo(path).suffix().toLower());
}

QString soundContentType(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("wav"))
        return QStringLiteral("audio/wav");
    if (suffix == QLatin1String("mp3"))
        return QStringLiteral("audio/mpeg");
    if (suffix == QLatin1String("m4a"))
        return QStringLiteral("audio/mp4");
    if (suffix == QLatin1String("aac"))
        return QStringLiteral("audio/aac");
    return QStringLiteral("audio/ogg");
}

QString soundId(int number)
{
    return QStringLiteral("voice-%1").arg(number, 3, 10, QLatin1Char('0'));
}

QHash<QString, QString> routeVoiceFiles(const QString& routePath)
{
    store::Route route(routePath);
    const QHash<QString, QString> stored = store::readVoices(route.connection());
    route.close();
    QHash<QString, QString> files;
    for (auto it = stored.begin(); it != stored.end(); ++it) {
        const QString path = store::voicePath(routePath, it.value());
        if (QFileInfo(path).isFile())
            files.insert(it.key(), path);
    }
    return files;
}

} // namespace share::obz
