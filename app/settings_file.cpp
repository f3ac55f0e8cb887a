#include "app/settings_file.h"

#include "app/messages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace app {

namespace {

const QString kFormat = QStringLiteral("michitan-settings-1");
// Far more than a family or a class needs; a larger file is not ours.
constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

QString str(const QJsonObject& o, const char* key)
{
    return o.value(QLatin1String(key)).toString();
}

QStringList strings(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& v : value.toArray())
        if (v.isString() && !v.toString().isEmpty())
            list << v.toString();
    return list;
}

// Reads the document; false when it is not a settings file of ours.
bool parse(const QByteArray& bytes, SettingsData& data)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonObject root = doc.object();
    if (str(root, "format") != kFormat)
        return false;
    data.routeInUse = str(root, "routeInUse");
    data.childInUse = str(root, "childInUse");
    for (const QJsonValue& v : root.value(QLatin1String("routes")).toArray()) {
        const QJsonObject o = v.toObject();
        const QString file = str(o, "file");
        // Only a plain name in the route folder: never a path that leads elsewhere.
        if (file.isEmpty() || file.contains(QLatin1Char('/')) || file.contains(QLatin1Char('\\')) ||
            file.startsWith(QLatin1Char('.')) || data.route(file))
            continue;
        data.routes.append({file, str(o, "name"), o.value(QLatin1String("practice")).toObject()});
    }
    for (const QJsonValue& v : root.value(QLatin1String("children")).toArray()) {
        const QJsonObject o = v.toObject();
        const QString name = str(o, "name").trimmed();
        if (name.isEmpty() || data.child(name))
            continue;
        data.children.append({name, strings(o.value(QLatin1String("routes"))),
                              o.value(QLatin1String("practice")).toObject()});
    }
    return true;
}

QByteArray serialise(const SettingsData& data)
{
    QJsonArray routes;
    for (const RouteEntry& r : data.routes) {
        QJsonObject o{{QStringLiteral("file"), r.file}};
        if (!r.name.isEmpty())
            o.insert(QStringLiteral("name"), r.name);
        if (!r.practice.isEmpty())
            o.insert(QStringLiteral("practice"), r.practice);
        routes.append(o);
    }
    QJsonArray children;
    for (const ChildEntry& c : data.children) {
        QJsonObject o{{QStringLiteral("name"), c.name},
                      {QStringLiteral("routes"), QJsonArray::fromStringList(c.routes)}};
        if (!c.practice.isEmpty())
            o.insert(QStringLiteral("practice"), c.practice);
        children.append(o);
    }
    const QJsonObject root{{QStringLiteral("format"), kFormat},
                           {QStringLiteral("routeInUse"), data.routeInUse},
                           {QStringLiteral("childInUse"), data.childInUse},
                           {QStringLiteral("routes"), routes},
                           {QStringLiteral("children"), children}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace

const RouteEntry* SettingsData::route(const QString& file) const
{
    for (const RouteEntry& r : routes)
        if (r.file == file)
            return &r;
    return nullptr;
}

RouteEntry& SettingsData::routeFor(const QString& file)
{
    for (RouteEntry& r : routes)
        if (r.file == file)
            return r;
    routes.append({file, {}, {}});
    return routes.last();
}

const ChildEntry* SettingsData::child(const QString& name) const
{
    for (const ChildEntry& c : children)
        if (c.name == name)
            return &c;
    return nullptr;
}

ChildEntry* SettingsData::child(const QString& name)
{
    for (ChildEntry& c : children)
        if (c.name == name)
            return &c;
    return nullptr;
}

QString SettingsFileName()
{
    return QStringLiteral("michitan-settings.json");
}

QString SettingsFilePath(const QString& routeFolder)
{
    return QDir(routeFolder).filePath(SettingsFileName());
}

SettingsLoad LoadSettingsFile(const QString& routeFolder)
{
    SettingsLoad load;
    const QString path = SettingsFilePath(routeFolder);
    QFile file(path);
    if (!file.exists())
        return load;
    if (!file.open(QIODevice::ReadOnly)) {
        load.unreadable = platform::Failure(platform::Failure::Kind::Failed,
                                            messages::settingsUnreadable(file.errorString()));
        load.unreadable->about(path);
        load.notice = load.unreadable->text();
        return load;
    }
    const QByteArray bytes = file.size() > kMaxBytes ? QByteArray() : file.readAll();
    file.close();
    if (parse(bytes, load.data))
        return load;
    load.data = {};
    // Kept aside under a dated name, never thrown away: the adult may want it back.
    const QString aside =
        path + QDateTime::currentDateTime().toString(QStringLiteral(".yyyy-MM-dd_HH-mm-ss")) +
        QStringLiteral(".damaged");
    if (!QFile::rename(path, aside)) {
        load.unreadable = platform::Failure(platform::Failure::Kind::Damaged,
                                            messages::kSettingsDamagedNotSetAside);
        load.unreadable->about(path);
        load.notice = load.unreadable->text();
        return load;
    }
    load.notice = messages::settingsDamagedSetAside(QDir::toNativeSeparators(aside));
    return load;
}

bool SaveSettingsFile(const QString& routeFolder, const SettingsData& data,
                      std::optional<platform::Failure>* failure)
{
    QSaveFile file(SettingsFilePath(routeFolder));
    if (file.open(QIODevice::WriteOnly)) {
        const QByteArray bytes = serialise(data);
        if (file.write(bytes) == bytes.size() && file.commit())
            return true;
    }
    if (failure) {
        *failure = platform::Failure(platform::Failure::Kind::Failed,
                                     messages::settingsNotSaved(file.errorString()));
        (*failure)->about(file.fileName());
    }
    file.cancelWriting();
    return false;
}

} // namespace app
