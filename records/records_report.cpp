#include "records/records_report.h"

#include "platform/failure.h"
#include "records/messages.h"
#include "records/route_snapshot.h"

#include <QDateTime>

namespace records {

void RecordsReport::setCriterion(const Criterion& c)
{
    criterion = c;
    practiceMet = masteryMet(summaries, criterion, false);
    walkMet = masteryMet(summaries, criterion, true);
}

int RecordsReport::practiceCount() const
{
    return int(std::count_if(summaries.begin(), summaries.end(),
                             [](const SessionSummary& s) { return !s.walk; }));
}

int RecordsReport::walkCount() const
{
    return int(summaries.size()) - practiceCount();
}

QString RecordsReport::headline() const
{
    QString text = child.isEmpty() ? QString() : messages::headlineChild(child);
    text += messages::headlineCounts(practiceCount(), walkCount());
    const QString rule = messages::rule(criterion.percent, criterion.sessions);
    if (practiceMet)
        text += messages::practiceMet(*practiceMet + 1, rule);
    else
        text += messages::practiceNotMet(rule);
    if (walkMet)
        text += messages::walkMet(*walkMet + 1);
    return text;
}

RecordsReport loadReport(const QString& routeFile, const Criterion& criterion, const QString& child)
{
    RecordsReport report;
    report.routeFile = routeFile;
    report.child = child;
    try {
        report.route = readRouteSteps(routeFile, 2);
    } catch (const platform::Failure&) {
        // The grid then shows the steps the records know.
    }
    store::RecordsDb db;
    db.open(store::recordsPathFor(routeFile), false, 2000);
    report.sessions = db.readAll();
    db.close();
    if (!child.isEmpty())
        report.sessions.removeIf(
            [&child](const store::RecordSession& s) { return s.child != child; });
    report.summaries = summarizeAll(report.sessions);
    report.grid = buildGrid(report.route, report.summaries);
    report.setCriterion(criterion);
    return report;
}

QColor cellColour(const StepResult& step, bool walk)
{
    if (!step.shown)
        return QColor();
    static const QColor scale[] = {QColor(0xB8, 0xE6, 0xB0), QColor(0xFF, 0xEB, 0x8C),
                                   QColor(0xFF, 0xC0, 0x6E), QColor(0xFF, 0x8A, 0x5C),
                                   QColor(0xE8, 0x4A, 0x3C)};
    if (walk)
        return scale[std::clamp(step.help, 0, 4)];
    return scale[std::min(step.wrong, 4)];
}

QString cellText(const StepResult& step, bool walk)
{
    if (!step.shown)
        return QString();
    if (walk)
        return helpLabel(step.help).left(1);
    return step.wrong ? QString::number(step.wrong) : QString();
}

QString dateText(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString sessionLabel(const SessionSummary& s, int index)
{
    return QStringLiteral("%1\n%2").arg(index + 1).arg(
        QDateTime::fromMSecsSinceEpoch(s.started).toString(QStringLiteral("M/d")));
}

QString durationText(qint64 ms)
{
    const qint64 seconds = (ms + 500) / 1000;
    if (seconds < 60)
        return QStringLiteral("%1 秒").arg(seconds);
    return QStringLiteral("%1 分 %2 秒").arg(seconds / 60).arg(seconds % 60);
}

} // namespace records
