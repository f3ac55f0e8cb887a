#pragma once

#include "records/records_count.h"

#include <QString>

// The records written out for others: a CSV file for spreadsheets and an Open Board Logging file
// for the tools of the Open Board family. Each file appears whole or not at all.
namespace records {

// Sessions (one line each), then every event and every step of a real walk, UTF-8 with a byte
// order mark and CRLF line ends. Throws platform::Failure saying why the file could not be
// written.
void writeCsv(const QString& path, const QList<store::RecordSession>& sessions);
QByteArray csvText(const QList<store::RecordSession>& sessions);

// Open Board Logging ("open-board-log-0.1"): a session of type "log" for each, presses as
// button events on the boards and buttons of the route's .obz export ("step-001"; "left",
// "straight", "right"), もどる as the action ":back", our own data in ext_michitan_ fields.
// Throws as writeCsv.
void writeObl(const QString& path, const QList<store::RecordSession>& sessions,
              const QString& routeFile);
QByteArray oblText(const QList<store::RecordSession>& sessions, const QString& routeFile);

// Names used in the files and the teacher's view.
QString eventLabel(const QString& kind);
QString inputLabel(const QString& input);

} // namespace records
