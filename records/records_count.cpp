#include "records/records_count.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace records {

QString helpLabel(int level)
{
    switch (level) {
    case 0:
        return QStringLiteral("ひとりで");
    case 1:
        return QStringLiteral("指さし・身ぶり");
    case 2:
        return QStringLiteral("ことば");
    case 3:
        return QStringLiteral("見本");
    case 4:
        return QStringLiteral("手をそえて");
    default:
        return QString();
    }
}

std::optional<double> SessionSummary::share() const
{
    if (stepsShown == 0)
        return std::nullopt;
    return 100.0 * firstTryRight / stepsShown;
}

namespace {

// The steps of one session, found by their number; a number the copy of the route lacks (the
// route changed during the session) is added when it is first shown.
class SessionSteps
{
public:
    explicit SessionSteps(const QList<store::Step>& steps)
    {
        for (const store::Step& step : steps)
            at(step.number(), step.photo, step.direction);
    }

    StepResult& at(int number, const QString& photo = {}, const QString& direction = {})
    {
        auto it = m_index.constFind(number);
        if (it == m_index.constEnd()) {
            StepResult result;
            result.number = number;
            result.photo = photo;
            result.direction = direction;
            it = m_index.insert(number, m_steps.size());
            m_steps.append(result);
        }
        StepResult& step = m_steps[*it];
        if (!photo.isEmpty())
            step.photo = photo;
        return step;
    }
    bool has(int number) const { return m_index.contains(number); }

    QList<StepResult> sorted() &&
    {
        std::sort(m_steps.begin(), m_steps.end(),
                  [](const StepResult& a, const StepResult& b) { return a.number < b.number; });
        return std::move(m_steps);
    }

private:
    QList<StepResult> m_steps;
    QHash<int, qsizetype> m_index;
};

SessionSummary summarizeWalk(const store::RecordSession& session, SessionSummary summary)
{
    summary.walk = true;
    summary.goal = true;
    for (int i = 0; i < session.steps.size(); ++i) {
        const store::Step& s = session.steps[i];
        StepResult step{s.number(), s.photo, s.direction};
        step.help = i < session.help.size() ? session.help[i] : -1;
        step.shown = step.help >= 0;
        step.firstTryRight = step.help == 0;
        summary.stepsShown += step.shown;
        summary.firstTryRight += step.firstTryRight;
        summary.steps.append(step);
    }
    return summary;
}

} // namespace

SessionSummary summarize(const store::RecordSession& session)
{
    SessionSummary summary;
    summary.id = session.id;
    summary.started = session.started;
    summary.note = session.note;
    if (session.kind == QLatin1String(store::kWalk))
        return summarizeWalk(session, summary);

    SessionSteps steps(session.steps);
    int onScreen = -1;         // the step whose showing is on screen
    bool firstShowing = false; // and whether it is that step's first showing
    QHash<int, bool> decided;  // steps whose first try is decided
    qint64 last = session.started;
    qint64 goalAt = 0;
    for (const store::RecordEvent& e : session.events) {
        last = std::max(last, e.at);
        const QString& kind = e.kind;
        if (kind == QLatin1String(store::event::kShow) ||
            kind == QLatin1String(store::event::kMissing)) {
            StepResult& step = steps.at(e.step, e.photo);
            firstShowing = !step.shown;
            step.shown = true;
            onScreen = e.step;
        } else if (kind == QLatin1String(store::event::kPress)) {
            summary.wrong += !e.right;
            if (!steps.has(e.step) || !steps.at(e.step).shown)
                continue; // after the goal: no step of the route is on screen
            StepResult& step = steps.at(e.step);
            ++step.presses;
            step.wrong += !e.right;
            if (!decided.value(e.step)) {
                decided.insert(e.step, true);
                step.firstTryRight = e.right && firstShowing && onScreen == e.step;
            }
        } else if (kind == QLatin1String(store::event::kBack)) {
            ++summary.backs;
            if (steps.has(e.step))
                ++steps.at(e.step).backs;
            // The step's first showing is over; unanswered, it was not right at the first try.
            if (onScreen >= 0)
                decided.insert(onScreen, true);
            onScreen = -1;
        } else if (kind == QLatin1String(store::event::kGoal)) {
            if (!summary.goal)
                goalAt = e.at;
            summary.goal = true;
            onScreen = -1;
        } else if (kind == QLatin1String(store::event::kOutage)) {
            ++summary.outages;
        }
    }
    summary.cutOff = session.ended == 0;
    const qint64 end = summary.goal ? goalAt : std::max(last, session.ended);
    summary.durationMs = std::max<qint64>(0, end - session.started);
    summary.steps = std::move(steps).sorted();
    for (const StepResult& step : summary.steps) {
        summary.stepsShown += step.shown;
        summary.firstTryRight += step.shown && step.firstTryRight;
    }
    return summary;
}

QList<SessionSummary> summarizeAll(const QList<store::RecordSession>& sessions)
{
    QList<SessionSummary> all;
    all.reserve(sessions.size());
    for (const store::RecordSession& session : sessions)
        all.append(summarize(session));
    return all;
}

std::optional<int> masteryMet(const QList<SessionSummary>& summaries, const Criterion& criterion,
                              bool walks)
{
    int run = 0;
    for (int i = 0; i < summaries.size(); ++i) {
        const SessionSummary& s = summaries[i];
        if (s.walk != walks || s.stepsShown == 0)
            continue;
        const bool met = (walks || s.goal) && *s.share() + 1e-9 >= criterion.percent;
        run = met ? run + 1 : 0;
        if (run >= std::max(1, criterion.sessions))
            return i;
    }
    return std::nullopt;
}

StepGrid buildGrid(const QList<store::Step>& route, const QList<SessionSummary>& summaries)
{
    StepGrid grid;
    grid.columns = int(summaries.size());
    QHash<QString, int> rowOf;
    const auto label = [](int number, const QString& photo, const QString& direction) {
        return QStringLiteral("%1 %2 %3")
            .arg(number, 3, 10, QLatin1Char('0'))
            .arg(QFileInfo(photo).fileName(), direction);
    };
    const auto addRow = [&](const QString& photo, const QString& text, bool current) {
        const int row = int(grid.rows.size());
        grid.rows.append(StepGrid::Row{text, photo, current});
        grid.cells.append(QList<StepResult>(grid.columns));
        rowOf.insert(photo, row);
        return row;
    };
    for (const store::Step& step : route)
        if (!rowOf.contains(step.photo))
            addRow(step.photo, label(step.number(), step.photo, step.direction), true);
    for (int column = 0; column < grid.columns; ++column) {
        for (const StepResult& step : summaries[column].steps) {
            if (!step.shown)
                continue;
            auto it = rowOf.constFind(step.photo);
            const int row =
                it != rowOf.constEnd()
                    ? *it
                    : addRow(step.photo, label(step.number, step.photo, step.direction), false);
            grid.cells[row][column] = step;
        }
    }
    return grid;
}

} // namespace records
