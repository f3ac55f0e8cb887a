#include "app/route_book.h"

#include "app/messages.h"
#include "app/route_names.h"
#include "platform/failure.h"
#include "store/route.h"
#include "store/route_file.h"

#include <QCollator>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

namespace app {

namespace {

const QString kExtension = QStringLiteral(".mdb");

// Why a change was not made; unset when nothing stands in its way.
using Refusal = std::optional<platform::Failure>;

platform::Failure refused(const platform::Reason& reason)
{
    return platform::Failure(platform::Failure::Kind::Failed, reason);
}

BookResult refusedResult(const platform::Reason& reason)
{
    return {refused(reason), {}};
}

// Loads the settings, lets `change` work on them (it returns a refusal to change nothing), and
// saves them as a whole.
BookResult edit(const QString& folder, const std::function<Refusal(SettingsData&)>& change)
{
    SettingsLoad load = LoadSettingsFile(folder);
    if (load.unreadable)
        return {load.unreadable, {}};
    BookResult result{change(load.data), {}};
    if (result.ok())
        SaveSettingsFile(folder, load.data, &result.failure);
    return result;
}

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

Refusal nameInUse(const SettingsData& data, const QString& folder, const QString& name,
                  const QString& except = {})
{
    for (const RouteInfo& route : ListRoutes(folder, data))
        if (route.file != except && sameName(route.name, name))
            return refused(messages::routeNameTaken(name));
    return std::nullopt;
}

QString dated(const QString& path)
{
    return path + QDateTime::currentDateTime().toString(QStringLiteral(".yyyy-MM-dd_HH-mm-ss")) +
           QStringLiteral(".bak");
}

} // namespace

QString DefaultRouteFile()
{
    return QStringLiteral("ADO_LANE.mdb");
}

QString RouteDisplayName(const SettingsData& data, const QString& file)
{
    if (const RouteEntry* entry = data.route(file); entry && !entry->name.isEmpty())
        return entry->name;
    if (file == DefaultRouteFile())
        return QStringLiteral("いつもの道順");
    return file.endsWith(kExtension) ? file.chopped(kExtension.size()) : file;
}

QList<RouteInfo> ListRoutes(const QString& folder, const SettingsData& data, const QString& child)
{
    const QDir dir(folder);
    QStringList files =
        dir.entryList({QStringLiteral("*") + kExtension}, QDir::Files | QDir::Readable);
    // The dated copy an import keeps of the route it replaces ("ADO_LANE_20261208-190000.mdb")
    // is a backup, not a route of its own.
    static const QRegularExpression datedCopy(QStringLiteral("_\\d{8}-\\d{6}(-\\d+)?\\.mdb$"));
    files.removeIf([](const QString& file) { return datedCopy.match(file).hasMatch(); });
    if (const ChildEntry* entry = data.child(child); entry && !entry->routes.isEmpty()) {
        const QStringList all = files;
        files.clear();
        for (const QString& file : entry->routes)
            if (all.contains(file))
                files << file;
    }
    QList<RouteInfo> routes;
    for (const QString& file : files)
        routes.append({file, dir.filePath(file), RouteDisplayName(data, file)});
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setNumericMode(true);
    std::stable_sort(routes.begin(), routes.end(), [&](const RouteInfo& a, const RouteInfo& b) {
        const bool aDefault = a.file == DefaultRouteFile();
        const bool bDefault = b.file == DefaultRouteFile();
        if (aDefault != bDefault)
            return aDefault;
        return collator.compare(a.name, b.name) < 0;
    });
    return routes;
}

BookResult CreateRoute(const QString& folder, const QString& name, const QString& copyOf,
                       bool makeFile)
{
    if (name.trimmed().isEmpty())
        return refusedResult(messages::kRouteNameEmpty);
    if (Refusal taken = nameInUse(LoadSettingsFile(folder).data, folder, name))
        return {std::move(taken), {}};
    const QDir dir(folder);
    const QString base = SafeFileBase(name);
    QString path = dir.filePath(base + kExtension);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo::exists(path + QStringLiteral("-journal"));
         ++n)
        path = dir.filePath(QStringLiteral("%1 (%2)").arg(base).arg(n) + kExtension);
    if (makeFile && !copyOf.isEmpty()) {
        if (!QFile::copy(copyOf, path))
            return {refused(messages::kRouteNotCopied).about(path), {}};
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    } else if (makeFile) {
        try {
            store::createRouteFile(path, store::routeTable());
        } catch (const platform::Failure& e) {
            return {e, {}};
        }
    }
    const QString file = QFileInfo(path).fileName();
    BookResult result = edit(folder, [&](SettingsData& data) -> Refusal {
        data.routeFor(file).name = name.trimmed();
        return std::nullopt;
    });
    result.path = path;
    return result;
}

BookResult RenameRoute(const QString& folder, const QString& file, const QString& name)
{
    if (name.trimmed().isEmpty())
        return refusedResult(messages::kRouteNameEmpty);
    return edit(folder, [&](SettingsData& data) -> Refusal {
        if (Refusal taken = nameInUse(data, folder, name, file))
            return taken;
        data.routeFor(file).name = name.trimmed();
        return std::nullopt;
    });
}

BookResult RemoveRoute(const QString& folder, const QString& file)
{
    if (file == DefaultRouteFile())
        return refusedResult(messages::kDefaultRouteStays);
    const QString path = QDir(folder).filePath(file);
    const QString aside = dated(path);
    if (!QFile::rename(path, aside))
        return {refused(messages::kRouteNotSetAside).about(path), {}};
    BookResult result = edit(folder, [&](SettingsData& data) -> Refusal {
        data.routes.removeIf([&](const RouteEntry& r) { return r.file == file; });
        for (ChildEntry& child : data.children)
            child.routes.removeAll(file);
        if (data.routeInUse == file)
            data.routeInUse.clear();
        return std::nullopt;
    });
    result.path = aside;
    return result;
}

BookResult AddChild(const QString& folder, const QString& name)
{
    if (name.trimmed().isEmpty())
        return refusedResult(messages::kChildNameEmpty);
    return edit(folder, [&](SettingsData& data) -> Refusal {
        for (const ChildEntry& c : data.children)
            if (sameName(c.name, name))
                return refused(messages::childNameTaken(name));
        data.children.append({name.trimmed(), {}, {}});
        return std::nullopt;
    });
}

BookResult RenameChild(const QString& folder, const QString& name, const QString& newName)
{
    if (newName.trimmed().isEmpty())
        return refusedResult(messages::kChildNameEmpty);
    return edit(folder, [&](SettingsData& data) -> Refusal {
        for (const ChildEntry& c : data.children)
            if (c.name != name && sameName(c.name, newName))
                return refused(messages::childNameTaken(newName));
        ChildEntry* child = data.child(name);
        if (!child)
            return refused(messages::notRegistered(name));
        child->name = newName.trimmed();
        if (data.childInUse == name)
            data.childInUse = child->name;
        return std::nullopt;
    });
}

BookResult RemoveChild(const QString& folder, const QString& name)
{
    return edit(folder, [&](SettingsData& data) -> Refusal {
        data.children.removeIf([&](const ChildEntry& c) { return c.name == name; });
        if (data.childInUse == name)
            data.childInUse.clear();
        return std::nullopt;
    });
}

BookResult SetChildRoutes(const QString& folder, const QString& name, const QStringList& files)
{
    return edit(folder, [&](SettingsData& data) -> Refusal {
        ChildEntry* child = data.child(name);
        if (!child)
            return refused(messages::notRegistered(name));
        child->routes = files;
        return std::nullopt;
    });
}

BookResult RememberInUse(const QString& folder, const QString& routeFile, const QString& child)
{
    return edit(folder, [&](SettingsData& data) -> Refusal {
        const QString file = QFileInfo(routeFile).fileName();
        data.routeInUse = file == DefaultRouteFile() ? QString() : file;
        data.childInUse = child;
        return std::nullopt;
    });
}

StartChoice ChooseStart(const QString& folder)
{
    const SettingsLoad load = LoadSettingsFile(folder);
    StartChoice choice{QDir(folder).filePath(DefaultRouteFile()), {}, load.notice};
    const SettingsData& data = load.data;
    if (data.child(data.childInUse))
        choice.child = data.childInUse;
    if (data.routeInUse.isEmpty())
        return choice;
    const QString path = QDir(folder).filePath(data.routeInUse);
    if (QFileInfo(path).isFile()) {
        choice.routeFile = path;
    } else {
        choice.notice = messages::lastRouteMissing(RouteDisplayName(data, data.routeInUse),
                                                   QDir::toNativeSeparators(path));
    }
    return choice;
}

QString ResolveRoute(const QString& folder, const QString& nameOrPath,
                     std::optional<platform::Failure>* failure)
{
    const QFileInfo asPath(nameOrPath);
    if (asPath.isFile())
        return asPath.absoluteFilePath();
    const SettingsData data = LoadSettingsFile(folder).data;
    const QList<RouteInfo> routes = ListRoutes(folder, data);
    for (const RouteInfo& route : routes)
        if (route.name == nameOrPath.trimmed() || route.file == nameOrPath)
            return route.path;
    // A path of a file that is not there yet: the job says so, or makes it where it may.
    if (nameOrPath.contains(QLatin1Char('/')) || nameOrPath.contains(QDir::separator()) ||
        nameOrPath.endsWith(kExtension))
        return asPath.absoluteFilePath();
    for (const RouteInfo& route : routes)
        if (sameName(route.name, nameOrPath) || sameName(route.file, nameOrPath + kExtension))
            return route.path;
    if (failure) {
        QStringList names;
        for (const RouteInfo& route : routes)
            names << route.name;
        *failure = refused(messages::noSuchRoute(nameOrPath, names));
    }
    return {};
}

} // namespace app
