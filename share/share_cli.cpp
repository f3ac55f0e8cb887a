#include "share/share_cli.h"

#include "share/obz_export.h"
#include "share/obz_import.h"
#include "share/relink.h"
#include "share/share_error.h"
#include "store/store_error.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

namespace share {
namespace {

template <typename F> int guarded(QTextStream& err, F&& work)
{
    try {
        work();
        return 0;
    } catch (const ShareError& e) {
        err << e.message() << Qt::endl;
    } catch (const store::StoreError& e) {
        err << e.userMessage() << Qt::endl;
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
    });
}

int importCommand(const QString& routePath, const QString& in, const QString& photoFolder,
                  QTextStream& err)
{
    return guarded(err, [&] {
        const QString folder =
            photoFolder.isEmpty() ? defaultPhotoFolder(routePath, in) : photoFolder;
        importRoute(readArchive(in), routePath, folder);
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
        {QStringLiteral("route"), QStringLiteral("使う道順ファイル。"), QStringLiteral("FILE")},
    });
}

std::optional<int> runCommandLine(const QCommandLineParser& parser, const QString& defaultRoute,
                                  QTextStream& out, QTextStream& err)
{
    const QString route = parser.isSet(QStringLiteral("route"))
                              ? parser.value(QStringLiteral("route"))
                              : defaultRoute;
    if (parser.isSet(QStringLiteral("export")))
        return exportCommand(route, parser.value(QStringLiteral("export")), err);
    if (parser.isSet(QStringLiteral("import")))
        return importCommand(route, parser.value(QStringLiteral("import")),
                             parser.value(QStringLiteral("photos")), err);
    if (parser.isSet(QStringLiteral("relink")))
        return relinkCommand(route, parser.value(QStringLiteral("relink")), out, err);
    return std::nullopt;
}

} // namespace share
