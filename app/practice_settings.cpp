#include "app/practice_settings.h"

#include "app/messages.h"
#include "app/settings_file.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace app {

namespace {

const char* voiceName(VoiceMode mode)
{
    switch (mode) {
    case VoiceMode::Always:
        return "always";
    case VoiceMode::OnlyAfterWrong:
        return "onlyAfterWrong";
    case VoiceMode::Never:
        break;
    }
    return "never";
}

const char* answerName(AnswerMode mode)
{
    switch (mode) {
    case AnswerMode::OneSwitch:
        return "oneSwitch";
    case AnswerMode::TwoSwitches:
        return "twoSwitches";
    case AnswerMode::Pointer:
        break;
    }
    return "pointer";
}

void readBool(const QJsonObject& o, const char* key, bool& value)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isBool())
        value = v.toBool();
}

void readInt(const QJsonObject& o, const char* key, int low, int high, int& value)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isDouble() && v.toDouble() >= low && v.toDouble() <= high)
        value = v.toInt();
}

} // namespace

QJsonObject PracticeSettingsToJson(const PracticeSettings& s)
{
    QJsonArray keys;
    for (int key : s.switchKeys)
        keys.append(key);
    QJsonObject o{{QStringLiteral("sounds"), s.sounds},
                  {QStringLiteral("lock"), s.lock},
                  {QStringLiteral("answer"), QLatin1String(answerName(s.answer))},
                  {QStringLiteral("scanIntervalMs"), s.scanIntervalMs},
                  {QStringLiteral("scanOffersBack"), s.scanOffersBack},
                  {QStringLiteral("scanSound"), s.scanSound},
                  {QStringLiteral("guardMs"), s.guardMs},
                  {QStringLiteral("switchKeys"), keys},
                  {QStringLiteral("bigButtons"), s.bigButtons},
                  {QStringLiteral("records"), s.records}};
    if (s.voice)
        o.insert(QStringLiteral("voice"), QLatin1String(voiceName(*s.voice)));
    return o;
}

PracticeSettings PracticeSettingsFromJson(const QJsonObject& o, const PracticeSettings& base)
{
    PracticeSettings s = base;
    readBool(o, "sounds", s.sounds);
    readBool(o, "lock", s.lock);
    readBool(o, "scanOffersBack", s.scanOffersBack);
    readBool(o, "scanSound", s.scanSound);
    readBool(o, "bigButtons", s.bigButtons);
    readBool(o, "records", s.records);
    readInt(o, "scanIntervalMs", 500, 5000, s.scanIntervalMs);
    readInt(o, "guardMs", 0, 5000, s.guardMs);
    const QString voice = o.value(QLatin1String("voice")).toString();
    for (VoiceMode mode : {VoiceMode::Always, VoiceMode::OnlyAfterWrong, VoiceMode::Never})
        if (voice == QLatin1String(voiceName(mode)))
            s.voice = mode;
    const QString answer = o.value(QLatin1String("answer")).toString();
    for (AnswerMode mode : {AnswerMode::Pointer, AnswerMode::OneSwitch, AnswerMode::TwoSwitches})
        if (answer == QLatin1String(answerName(mode)))
            s.answer = mode;
    const QJsonArray keys = o.value(QLatin1String("switchKeys")).toArray();
    QList<int> switchKeys;
    for (const QJsonValue& key : keys)
        if (key.isDouble() && key.toInt() > 0)
            switchKeys.append(key.toInt());
    if (!switchKeys.isEmpty())
        s.switchKeys = switchKeys;
    return s;
}

PracticeSettings LoadPracticeSettings(const QString& routeFile, const QString& child)
{
    const QFileInfo route(routeFile);
    const SettingsData data = LoadSettingsFile(route.absolutePath()).data;
    PracticeSettings settings;
    if (const RouteEntry* entry = data.route(route.fileName()))
        settings = PracticeSettingsFromJson(entry->practice, settings);
    if (!child.isEmpty())
        if (const ChildEntry* entry = data.child(child))
            settings = PracticeSettingsFromJson(entry->practice, settings);
    return settings;
}

bool SavePracticeSettings(const QString& routeFile, const QString& child,
                          const PracticeSettings& settings,
                          std::optional<platform::Failure>* failure)
{
    const QFileInfo route(routeFile);
    SettingsLoad load = LoadSettingsFile(route.absolutePath());
    if (load.unreadable) {
        if (failure)
            *failure = load.unreadable;
        return false;
    }
    const QJsonObject json = PracticeSettingsToJson(settings);
    if (child.isEmpty()) {
        load.data.routeFor(route.fileName()).practice = json;
    } else if (ChildEntry* entry = load.data.child(child)) {
        entry->practice = json;
    } else {
        if (failure)
            *failure =
                platform::Failure(platform::Failure::Kind::Failed, messages::noSuchChild(child));
        return false;
    }
    return SaveSettingsFile(route.absolutePath(), load.data, failure);
}

} // namespace app
