#include "share/share_cli.h"

#include "platform/failure.h"
#include "share/messages.h"
#include "share/obz_export.h"
#include "share/obz_import.h"
#include "share/relink.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace share {
namespace {

template <typename F> int guarded(QTextStream& err, F&& work)
{
    try {
        work();
        return 0;
    } catch (const platform::Failure& e) {
        err << e.text() << Qt::endl;
    }
    return 1;
}

} // namespace

int exportCommand(const QString& routePath, const QString& out, QTextStream& err)
{
    return guarded(err, [&] {
        const ExportResult result = exportRoute(routePath, out);
        for (const QString& photo : result.missing)
            err << messages::kPhotoMissingReplaced << QDir::toNativeSeparators(photo) << Qt::endl;
        for (const QString& photo : result.unreadable)
            err << messages::kPhotoUnreadableReplaced << QDir::toNativeSeparators(photo)
                << Qt::endl;
    });
}

int importCommand(const QString& routePath, const QString& in, const QString& photoFolder,
                  QTextStream& err)
{
    return guarded(err, [&] {
        const QString folder =
            photoFolder.isEmpty() ? defaultPhotoFolder(routePath, in) : photoFolder;
        const ImportResult result = importRoute(readArchive(in), routePath, folder);
        if (result.photoFolderMoved)
            err << messages::kPhotosPutElsewhere << QDir::toNativeSeparators(result.photoFolder)
                << Qt::endl;
    });
}

int relinkCommand(const QString& routePath, const QString& folder, QTextStream& out,
                  QTextStream& err)
{
    return guarded(err, [&] {
        if (!QFileInfo(folder).isDir())
            throw failed(messages::folderNotFound(folder));
        const RelinkResult result = relinkPhotos(routePath, folder);
        out << messages::photosMended(result.mended) << Qt::endl;
        for (const QString& photo : result.stillMissing)
            out << messages::kPhotoStillMissing << QDir::toNativeSeparators(photo) << Qt::endl;
        if (result.voicesMended > 0)
            out << messages::voicesMended(result.voicesMended) << Qt::endl;
        for (const QString& voice : result.voicesStillMissing)
            out << messages::kVoiceStillMissing << QDir::toNativeSeparators(voice) << Qt::endl;
    });
}

void addCommandLineOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        {QStringLiteral("export"), messages::kHelpExport, QStringLiteral("OUT.obz")},
        {QStringLiteral("import"), messages::kHelpImport, QStringLiteral("IN.obz")},
        {QStringLiteral("photos"), messages::kHelpPhotos, QStringLiteral("DIR")},
        {QStringLiteral("relink"), messages::kHelpRelink, QStringLiteral("DIR")},
    });
}

bool wantsCommand(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("export")) || parser.isSet(QStringLiteral("import")) ||
           parser.isSet(QStringLiteral("relink")) || parser.isSet(QStringLiteral("photos"));
}

int runCommandLine(const QCommandLineParser& parser, const QString& routePath, QTextStream& out,
                   QTextStream& err)
{
    const auto absolute = [&](const char* option) {
        const QString value = parser.value(QString::fromLatin1(option));
        return value.isEmpty() ? value : QFileInfo(value).absoluteFilePath();
    };
    const int jobs = int(parser.isSet(QStringLiteral("export"))) +
                     int(parser.isSet(QStringLiteral("import"))) +
                     int(parser.isSet(QStringLiteral("relink")));
    if (jobs != 1 ||
        (parser.isSet(QStringLiteral("photos")) && !parser.isSet(QStringLiteral("import")))) {
        err << platform::Failure(platform::Failure::Kind::Usage, messages::kOneJobAtATime).text()
            << Qt::endl;
        return 2;
    }
    if (parser.isSet(QStringLiteral("export")))
        return exportCommand(routePath, absolute("export"), err);
    if (parser.isSet(QStringLiteral("import")))
        return importCommand(routePath, absolute("import"), absolute("photos"), err);
    return relinkCommand(routePath, absolute("relink"), out, err);
}

} // namespace share
