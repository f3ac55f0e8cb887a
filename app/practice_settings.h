#pragma once

#include "platform/failure.h"

#include <QList>
#include <QString>
#include <Qt>
#include <optional>

class QJsonObject;

namespace app {

enum class VoiceMode { Always, OnlyAfterWrong, Never };
enum class AnswerMode { Pointer, OneSwitch, TwoSwitches }; // Pointer = "マウス・タッチ・キーボード"

// How a route is practised, by one child or by anyone (no child set up).
struct PracticeSettings
{
    bool sounds = true;             // right/wrong answer sounds
    bool lock = false;              // the child cannot leave practice
    std::optional<VoiceMode> voice; // unset: Always if the route has voices, else Never
    AnswerMode answer = AnswerMode::Pointer;
    int scanIntervalMs = 1500;   // 500..5000
    bool scanOffersBack = false; // one-switch scan also highlights "もどる"
    bool scanSound = false;      // a tick for each highlight move
    int guardMs = 300;           // presses closer than this are ignored
    QList<int> switchKeys{Qt::Key_Space,
                          Qt::Key_Return}; // one switch: any chooses; two: [0] moves, [1] chooses
    bool bigButtons = false;
    bool records = true; // practice is recorded

    bool operator==(const PracticeSettings&) const = default;
};

// The settings for practising `routeFile` as `child` (empty: no child set up). Never throws:
// a missing or damaged settings file gives the defaults (the damaged file is kept aside).
PracticeSettings LoadPracticeSettings(const QString& routeFile, const QString& child = {});
// Writes them atomically; false, with why in *failure, when it can't.
bool SavePracticeSettings(const QString& routeFile, const QString& child,
                          const PracticeSettings& settings,
                          std::optional<platform::Failure>* failure = nullptr);

// The settings as they are kept in the settings file, and back. Reading starts from `base` and
// takes only the fields the object holds, so that a child's settings can leave some to the
// route's, and a value out of range keeps the base's.
QJsonObject PracticeSettingsToJson(const PracticeSettings& settings);
PracticeSettings PracticeSettingsFromJson(const QJsonObject& object,
                                          const PracticeSettings& base = {});

} // namespace app
