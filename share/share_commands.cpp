#include "share/share_commands.h"

#include "app/m_lane.h"
#include "app/route_book.h"
#include "app/route_outputs.h"
#include "platform/background_work.h"
#include "platform/dialogs.h"
#include "platform/failure.h"
#include "share/import_choice.h"
#include "share/messages.h"
#include "share/obz_export.h"
#include "share/obz_import.h"
#include "share/relink.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

namespace share {
namespace {

const QString kFilter = QStringLiteral("絵カードボード (*.obz)");
constexpr int kListed = 20; // photos named in a message; more are counted

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// `paths` one a line, at most kListed of them.
QString listed(const QStringList& paths)
{
    QStringList lines;
    for (int i = 0; i < paths.size() && i < kListed; ++i)
        lines << QStringLiteral("・") + native(paths[i]);
    if (paths.size() > kListed)
        lines << messages::moreNotListed(paths.size() - kListed);
    return lines.join(QLatin1Char('\n'));
}

QString documents()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// Where a route sent by mail or fetched from the web lands: Downloads, when there is one.
QString downloadsOrDocuments()
{
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return QFileInfo(downloads).isDir() ? downloads : documents();
}

// Runs `work` on a worker thread behind a progress window that can stop it (see
// platform::runInBackground).
template <typename F> void inBackground(QWidget* parent, const QString& title, F&& work)
{
    platform::runInBackground(parent, title,
                              [&](const platform::WorkProgress& progress) { work(progress); });
}

// Runs `work`, turning every failure into a message; false when it failed or was stopped.
template <typename F> bool guarded(platform::Dialogs& dialogs, QWidget* parent, F&& work)
{
    try {
        work();
        return true;
    } catch (const platform::Failure& e) {
        if (e.kind() == platform::Failure::Kind::Cancelled)
            dialogs.MsgBox(parent, messages::kCancelledUnchanged);
        else
            platform::tell(dialogs, parent, e);
    }
    return false;
}

QString withSuffix(QString path)
{
    if (!path.endsWith(QLatin1String(".obz"), Qt::CaseInsensitive))
        path += QStringLiteral(".obz");
    return path;
}

// The photos' folder for `archive` when the user chose `place`: a new folder named after the
// file inside it, unless the chosen folder already has that name.
QString photoFolderIn(const QString& place, const QString& archive)
{
    const QString name =
        QFileInfo(defaultPhotoFolder(place + QStringLiteral("/x"), archive)).fileName();
    if (QFileInfo(place).fileName() == name)
        return place;
    return QDir(place).absoluteFilePath(name);
}

} // namespace

void exportRouteCommand(platform::Dialogs& dialogs, QWidget* parent)
{
    const QString start = QDir(documents()).absoluteFilePath(QStringLiteral("道順.obz"));
    QString out = dialogs.ShowSave(parent, {QStringLiteral("道順を書き出す"), start, kFilter});
    if (out.isEmpty())
        return;
    out = withSuffix(out);
    if (const auto clash = app::routeFileClash(out, m_lane::DB_PATH)) {
        platform::tell(dialogs, parent, *clash);
        return;
    }
    ExportResult result;
    const QString route = m_lane::DB_PATH;
    if (!guarded(dialogs, parent, [&] {
            inBackground(parent, messages::kExporting, [&](const Progress& progress) {
                result = exportRoute(route, out, progress);
            });
        }))
        return;
    QString text = messages::exported(result.steps, out);
    if (!result.missing.isEmpty())
        text += messages::kMissingReplacedBelow + listed(result.missing);
    if (!result.unreadable.isEmpty())
        text += messages::kUnreadableReplacedBelow + listed(result.unreadable);
    dialogs.MsgBox(parent, text);
}

void importRouteCommand(platform::Dialogs& dialogs, QWidget* parent, const RouteChanged& changed)
{
    const QString archive =
        dialogs.ShowOpen(parent, {downloadsOrDocuments(), QStringLiteral("絵カードボード|*.obz"),
                                  QString(), QStringLiteral("obz")});
    if (archive.isEmpty())
        return;
    ImportPlan plan;
    if (!guarded(dialogs, parent, [&] {
            inBackground(parent, messages::kChecking,
                         [&](const Progress& progress) { plan = readArchive(archive, progress); });
        }))
        return;
    const QString routeFolder = QFileInfo(m_lane::DB_PATH).absolutePath();
    // Into the route in use, or into a new route of its own.
    const app::SettingsData settings = app::LoadSettingsFile(routeFolder).data;
    ImportChoice choice(QFileInfo(archive).fileName(), int(plan.steps.size()),
                        app::RouteDisplayName(settings, QFileInfo(m_lane::DB_PATH).fileName()),
                        parent);
    if (dialogs.Exec(choice) != QDialog::Accepted)
        return;
    const QString newRoute = choice.newRouteName();
    const QString place =
        dialogs.ShowFolder(parent,
                           messages::choosePhotoPlace(
                               QFileInfo(defaultPhotoFolder(m_lane::DB_PATH, archive)).fileName()),
                           routeFolder);
    if (place.isEmpty())
        return;
    const QString photos = photoFolderIn(place, archive);
    const QString question =
        messages::replaceQuestion(QFileInfo(archive).fileName(), plan.steps.size(), photos);
    if (newRoute.isEmpty() &&
        dialogs.MsgBox(parent, question, platform::MsgButtons::OkCancel) != platform::MsgResult::Ok)
        return;
    QString target = m_lane::DB_PATH;
    if (!newRoute.isEmpty()) {
        const app::BookResult made = app::CreateRoute(routeFolder, newRoute, {}, false);
        if (!made.ok()) {
            platform::tell(dialogs, parent, *made.failure);
            return;
        }
        target = made.path;
    }
    ImportResult result;
    if (!guarded(dialogs, parent, [&] {
            inBackground(parent, messages::kImporting, [&](const Progress& progress) {
                result = importRoute(plan, target, photos, progress);
            });
        }))
        return;
    if (!newRoute.isEmpty()) {
        // The new route is the one in use from now on.
        m_lane::UseRoute(target);
        app::RememberInUse(routeFolder, target, m_lane::CHILD);
    }
    if (changed)
        changed();
    QString text = (newRoute.isEmpty() ? QString() : messages::newRouteInUse(newRoute)) +
                   messages::imported(result.steps, result.photoFolder);
    if (result.photoFolderMoved)
        text += messages::kPhotosInDataFolder;
    if (!result.datedCopy.isEmpty())
        text += messages::datedCopyKept(result.datedCopy);
    dialogs.MsgBox(parent, text);
}

void relinkPhotosCommand(platform::Dialogs& dialogs, QWidget* parent, const RouteChanged& changed)
{
    QStringList missing;
    if (!guarded(dialogs, parent, [&] {
            missing = missingPhotos(m_lane::DB_PATH) + missingVoiceFiles(m_lane::DB_PATH);
        }))
        return;
    if (missing.isEmpty()) {
        dialogs.MsgBox(parent, messages::kNoPhotoMissing);
        return;
    }
    const QString folder =
        dialogs.ShowFolder(parent, messages::kChooseSearchFolder,
                           QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    if (folder.isEmpty())
        return;
    RelinkResult result;
    const QString route = m_lane::DB_PATH;
    if (!guarded(dialogs, parent, [&] {
            inBackground(parent, messages::kSearching, [&](const Progress& progress) {
                result = relinkPhotos(route, folder, progress);
            });
        }))
        return;
    if ((result.mended > 0 || result.voicesMended > 0) && changed)
        changed();
    QString text = messages::photosMended(result.mended);
    if (result.voicesMended > 0)
        text += QLatin1Char('\n') + messages::voicesMended(result.voicesMended);
    if (!result.stillMissing.isEmpty())
        text +=
            messages::photosStillMissing(result.stillMissing.size()) + listed(result.stillMissing);
    if (!result.voicesStillMissing.isEmpty())
        text += messages::voicesStillMissing(result.voicesStillMissing.size()) +
                listed(result.voicesStillMissing);
    dialogs.MsgBox(parent, text);
}

QList<QAction*> routeCommands(platform::Dialogs& dialogs, QWidget* parent, RouteChanged changed)
{
    auto* exportAction = new QAction(QStringLiteral("道順を書き出す…"), parent);
    QObject::connect(exportAction, &QAction::triggered, parent,
                     [&dialogs, parent] { exportRouteCommand(dialogs, parent); });
    auto* importAction = new QAction(QStringLiteral("道順を読み込む…"), parent);
    QObject::connect(importAction, &QAction::triggered, parent,
                     [&dialogs, parent, changed] { importRouteCommand(dialogs, parent, changed); });
    auto* relinkAction = new QAction(QStringLiteral("写真の場所を直す…"), parent);
    QObject::connect(relinkAction, &QAction::triggered, parent, [&dialogs, parent, changed] {
        relinkPhotosCommand(dialogs, parent, changed);
    });
    return {exportAction, importAction, relinkAction};
}

} // namespace share
