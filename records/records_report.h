#pragma once

#include "records/records_count.h"

#include <QColor>

namespace records {

// Everything the teacher's view and its printout show for one route.
struct RecordsReport
{
    QString routeFile;
    QString child;            // whose sessions these are; empty: every session of the route
    QList<store::Step> route; // the route's steps as they are now
    QList<store::RecordSession> sessions;
    QList<SessionSummary> summaries; // one per session, same order
    StepGrid grid;
    Criterion criterion;
    std::optional<int> practiceMet; // index of the session that first met the criterion
    std::optional<int> walkMet;

    // Recounts mastery for another criterion.
    void setCriterion(const Criterion& c);
    int practiceCount() const;
    int walkCount() const;
    // One line on the route, the sessions and the criterion.
    QString headline() const;
};

// Reads the records of `routeFile` (none when there is no records file yet). Throws
// platform::Failure when the records can't be read; a route that can't be read leaves only
// the steps that the records know.
// With `child` set, only that child's sessions count (a route practised by several children).
RecordsReport loadReport(const QString& routeFile, const Criterion& criterion = {},
                         const QString& child = QString());

// The colour of a cell of the steps-by-sessions grid: by wrong presses in practice, by the
// help needed on a real walk; no colour for a step not shown.
QColor cellColour(const StepResult& step, bool walk);
// The text of that cell: the wrong presses (empty for none), or the help's first letter.
QString cellText(const StepResult& step, bool walk);
// "3/5" style date and the session's number, for column headers.
QString sessionLabel(const SessionSummary& s, int index);
QString durationText(qint64 ms);
QString dateText(qint64 ms);

} // namespace records
