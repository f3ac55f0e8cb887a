#pragma once

#include <QJsonObject>
#include <QSize>
#include <QString>

// The boards of an exported route. Each step is one board of two rows and three columns: the
// photo alone in the middle of the top row, the three arrows below it as a child sees them
// (← ↑ →). The right arrow opens the next step's board, a wrong one says "ざんねん" and stays;
// after the last step comes a goal board. The route's own data rides along in ext_michitan_
// fields, which board apps ignore.
namespace share::obz {

inline constexpr char kFormat[] = "open-board-0.1";
inline constexpr char kGoalId[] = "goal";
inline constexpr char kGoalPath[] = "boards/goal.obf";
inline constexpr char kGoalSoundId[] = "voice-goal";

// What one step's board shows and keeps.
struct StepBoard
{
    int number = 0;    // 1, 2, ...
    QString direction; // "↑", "→" or "←"
    QString photoName; // the photo's original file name
    bool photoMissing = false;
    QString imageId;
    QString imagePath; // inside the archive
    QString contentType;
    QSize imageSize;
    // The step's voice, when it has one: its sound's id, entry and MIME type.
    QString soundId;
    QString soundPath;
    QString soundType;
};

// The goal's voice, when it has one.
struct GoalSound
{
    QString soundPath;
    QString soundType;
};

// True for "↑", "→" and "←", the only directions a route's step may have.
bool isArrow(const QString& direction);

QString boardId(int number);
QString boardPath(int number);
QString imageId(int number);

// The step's board; `last` makes its right arrow open the goal board.
QJsonObject stepBoard(const StepBoard& step, bool last);
QJsonObject goalBoard(const GoalSound& sound = {});
// The archive's manifest for `steps` steps; `images` and `sounds` map ids to their paths.
QJsonObject manifest(int steps, const QJsonObject& images, const QJsonObject& sounds = {});

} // namespace share::obz
