#pragma once

#include "records/records_report.h"

class QPagedPaintDevice;
class QWidget;

namespace platform {
class Dialogs;
}

namespace records {

// Paints the teacher's view for a meeting: the headline and the chart on the first page, the
// grid of steps by the latest sessions, then the table of every session over as many pages as it
// takes. Returns false when the device could not take a page.
bool paintRecords(QPagedPaintDevice& device, const RecordsReport& report);

// Writes that printout as a PDF file, whole or not at all; returns an empty string, or why not.
void writeRecordsPdf(const QString& path, const RecordsReport& report);

// The print dialog with its preview.
void printRecords(QWidget* parent, platform::Dialogs& dialogs, const RecordsReport& report);

// The most recent sessions the printed grid shows.
inline constexpr int kPrintedGridSessions = 30;

} // namespace records
