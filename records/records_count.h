#pragma once

#include "store/records_db.h"

#include <QList>
#include <QString>
#include <optional>

// Counting practice records: per session, the steps right at the first try, wrong presses and
// "もどる"; the mastery criterion; the grid of steps by sessions. No window is involved.
//
// The rules:
// - A step counts as shown in a session when its photo appeared (or could not be shown) at
//   least once. A session that ends before the goal counts the steps it showed.
// - A step is right at the first try when the first press at its first showing in the session
//   is right. A step shown but not pressed at its first showing ("もどる", or the window closed)
//   is not right at the first try.
// - Every press is counted as it is: a wrong press is a wrong press of the step on screen, also
//   during the second after a right answer and after the goal (then it belongs to no step). A
//   press in that second never changes the first try, which the first press already decided.
// - "もどる" is counted for the session and for the step it left; the step shown again after it
//   is a later showing, so its presses count as presses but not for the first try.
// - A walk on the real route counts a step as right at the first try when the child walked it
//   alone ("ひとりで").
namespace records {

// The help a child needed at a step of a real walk, least first.
inline constexpr int kHelpLevels = 5;
QString helpLabel(int level); // "ひとりで", "指さし・身ぶり", "ことば", "見本", "手をそえて"

// One step in one session.
struct StepResult
{
    int number = 0;
    QString photo;
    QString direction;
    bool shown = false;
    bool firstTryRight = false;
    int presses = 0;
    int wrong = 0;
    int backs = 0;
    int help = -1; // walks: the help needed (0..4), -1 when not entered
};

struct SessionSummary
{
    qint64 id = 0;
    bool walk = false;
    qint64 started = 0;    // milliseconds since 1970 UTC
    qint64 durationMs = 0; // to the goal, else to the last record
    int stepsShown = 0;
    int firstTryRight = 0;
    int wrong = 0; // every wrong press, also those that belong to no step
    int backs = 0;
    bool goal = false;
    bool cutOff = false; // the window was never closed (the program ended abruptly)
    int outages = 0;
    QString note;
    QList<StepResult> steps; // in step order
    // Share of the shown steps right at the first try, in percent; none when nothing was shown.
    std::optional<double> share() const;
};

SessionSummary summarize(const store::RecordSession& session);
QList<SessionSummary> summarizeAll(const QList<store::RecordSession>& sessions);

struct Criterion
{
    double percent = 100; // share right at the first try
    int sessions = 3;     // in a row
};

// The index in `summaries` of the session with which the criterion was first met by the
// sessions of one kind (practice or walks): `criterion.sessions` of them in a row, each with
// at least `criterion.percent` % (practice: having reached the goal). Sessions that showed no
// step are passed over; any other session breaks the run.
std::optional<int> masteryMet(const QList<SessionSummary>& summaries, const Criterion& criterion,
                              bool walks);

// Steps by sessions. Rows are the steps of the route as it is now, then any step of an earlier
// version of it that the route no longer holds; a step is known by its photo, since the editor
// renumbers steps.
struct StepGrid
{
    struct Row
    {
        QString label; // "001 photo.jpg →"
        QString photo;
        bool current = true; // a step of the route as it is now
    };
    QList<Row> rows;
    // cells[row][column]: the step's result in session `column` (shown false: not shown there).
    QList<QList<StepResult>> cells;
    int columns = 0;
};

StepGrid buildGrid(const QList<store::Step>& route, const QList<SessionSummary>& summaries);

} // namespace records
