#pragma once

#include "app/settings_file.h"
#include "platform/failure.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace app {

// The default route's file, which keeps its name, place and format.
QString DefaultRouteFile();

// One route of the route folder.
struct RouteInfo
{
    QString file; // its file name in the folder
    QString path; // its full path
    QString name; // what the list shows: the parent's name for it
};

// What a change to the route folder or the settings file gives.
struct BookResult
{
    std::optional<platform::Failure> failure; // why nothing was changed; unset when it was done
    QString path; // the route file made or kept aside, when there is one
    bool ok() const { return !failure; }
};

// The name the parent gave `file`; the default route without one is "いつもの道順", another
// route its file name without ".mdb".
QString RouteDisplayName(const SettingsData& data, const QString& file);

// The route files of `folder` (the default route first, then by name). With `child` set up and
// given routes of their own, only those.
QList<RouteInfo> ListRoutes(const QString& folder, const SettingsData& data,
                            const QString& child = {});

// A new route named `name` in `folder`: a new, empty route file, or a copy of `copyOf` when
// given. The file's name is made safe from `name` and never replaces another file. Without
// `makeFile` the name is kept and the path given, for the caller to write the file there.
BookResult CreateRoute(const QString& folder, const QString& name, const QString& copyOf = {},
                       bool makeFile = true);
// Gives the route `file` another name; its file stays as it is.
BookResult RenameRoute(const QString& folder, const QString& file, const QString& name);
// Takes the route `file` out of the list: the file is renamed to a dated copy beside it
// ("行き.mdb.2026-12-08_19-00-00.bak"), never deleted. The default route can't be removed.
BookResult RemoveRoute(const QString& folder, const QString& file);

BookResult AddChild(const QString& folder, const QString& name);
BookResult RenameChild(const QString& folder, const QString& name, const QString& newName);
BookResult RemoveChild(const QString& folder, const QString& name);
// The routes `name` chooses from (file names; empty: every route).
BookResult SetChildRoutes(const QString& folder, const QString& name, const QStringList& files);
// Remembers the route and the child in use for the next start.
BookResult RememberInUse(const QString& folder, const QString& routeFile, const QString& child);

// The route the program starts with in `folder`, and the child.
struct StartChoice
{
    QString routeFile; // full path
    QString child;
    QString notice; // for the adult: the settings were damaged, or the last route has gone
};
StartChoice ChooseStart(const QString& folder);

// The route that `nameOrPath` names for a program whose routes are in `folder`: a route file's
// path (an existing file, or anything that names a folder or ends in ".mdb"), else a route's
// name as the parent gave it, else its file name. Empty, with *failure set, when none is found.
QString ResolveRoute(const QString& folder, const QString& nameOrPath,
                     std::optional<platform::Failure>* failure);

} // namespace app
