#pragma once

#include "platform/failure.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace app {

// One route file of the route folder, as the parent named it.
struct RouteEntry
{
    QString file;         // the file's name in the route folder (no folder)
    QString name;         // the name the parent gave it; empty: the file's own
    QJsonObject practice; // its practice settings (see PracticeSettingsFromJson)
};

// One child who practises.
struct ChildEntry
{
    QString name;         // the nickname the adult typed
    QStringList routes;   // the route files the child chooses from; empty: every route
    QJsonObject practice; // the child's practice settings, over the route's
};

// Everything the settings file holds: the route names, the children, and what was in use.
struct SettingsData
{
    QString routeInUse; // file name of the route last used; empty: the default route
    QString childInUse; // the child last chosen; empty: nobody in particular
    QList<RouteEntry> routes;
    QList<ChildEntry> children;

    const RouteEntry* route(const QString& file) const;
    RouteEntry& routeFor(const QString& file); // added when missing
    const ChildEntry* child(const QString& name) const;
    ChildEntry* child(const QString& name);
};

// The settings file's name, kept in the route folder beside the routes, so that backing up the
// folder backs up everything.
QString SettingsFileName();
QString SettingsFilePath(const QString& routeFolder);

struct SettingsLoad
{
    SettingsData data;
    QString notice; // for the adult: the file was damaged and kept aside, or unreadable
    // Set when the file is there but could not be read (nor kept aside): nothing may be written
    // over it, and a change to the settings is refused with this failure.
    std::optional<platform::Failure> unreadable;
};

// Reads the settings file of `routeFolder`. A missing file gives empty settings; a damaged one
// is renamed to a dated copy beside it and gives empty settings with a notice saying where the
// copy is. Never throws.
SettingsLoad LoadSettingsFile(const QString& routeFolder);
// Writes the whole file at once (QSaveFile): a crash leaves the old file or the new one, never
// half of one. False, with why in *failure, when it can't.
bool SaveSettingsFile(const QString& routeFolder, const SettingsData& data,
                      std::optional<platform::Failure>* failure = nullptr);

} // namespace app
