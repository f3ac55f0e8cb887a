#pragma once

#include "records/records_report.h"

class QChart;

namespace records {

// The line chart of the share of steps right at the first try, session by session (practice
// and real walks as two lines), with the mastery line and the session where it was first met.
QChart* makeChart(const RecordsReport& report);

} // namespace records
