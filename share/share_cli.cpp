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
            err << QStringLiteral("写真が見つからないので、代わりの絵を入れました：")
                << QDir::toNativeSeparators(photo) << Qt::endl;
        for (const QString& photo : result.unreadable)
            err << QStringLiteral("写真として読めないので、代わりの絵を入れました：")
                << QDir::toNativeSeparators(photo) << Qt::endl;
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
            err << QStringLiteral("写真のフォルダーの名前を道順に書きこめないので、写真は次の"
                                  "フォルダーに入れました：")
                << QDir::toNativeSeparators(result.photoFolder) << Qt::endl;
    });
}

int relinkCommand(const QString& routePath, const QString& folder, QTextStream& out,
                  QTextStream& err)
{
    return guarded(err, [&] {
        if (!QFileInfo(folder).isDir())
            throw failed(QStringLiteral("フォルダー「%1」が見つかりません。")
                             .arg(QDir::toNativeSeparators(folder)));
        const RelinkResult result = relinkPhotos(routePath, folder);
        out << QStringLiteral("%1 ステップの写真の場所を直しました。").arg(result.mended)
            << Qt::endl;
        for (const QString& photo : result.stillMissing)
            out << QStringLiteral("まだ見つからない写真：") << QDir::toNativeSeparators(photo)
                << Qt::endl;
        if (result.voicesMended > 0)
            out << QStringLiteral("%1 個の声のファイルの場所を直しました。")
                       .arg(result.voicesMended)
                << Qt::endl;
        for (const QString& voice : result.voicesStillMissing)
            out << QStringLiteral("まだ見つからない声のファイル：")
                << QDir::toNativeSeparators(voice) << Qt::endl;
    });
}

void addCommandLineOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        {QStringLiteral("export"), QStringLiteral("道順を写真といっしょに書き出します。"),
         QStringLiteral("OUT.obz")},
        {QStringLiteral("import"),
         QStringLiteral("道順を読み込みます（いまの道順は日付つきの控えを残して置きかえます）。"),
         QStringLiteral("IN.obz")},
        {QStringLiteral("photos"), QStringLiteral("読み込む写真を入れるフォルダー。"),
         QStringLiteral("DIR")},
        {QStringLiteral("relink"), QStringLiteral("見つからない写真をこのフォルダーから探します。"),
         QStringLiteral("DIR")},
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
        err << QStringLiteral("--export、--import、--relink は一度に一つだけ指定してください"
                              "（--photos は --import といっしょに使います）。")
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
