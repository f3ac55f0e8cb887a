#pragma once

#include <QString>
#include <QVariant>

// The settings every window reads, written once at start-up.
namespace m_lane {

extern QString DB_CONNECT;   // connection string of the route store
extern QString ROUTE_TABLE;  // "プログラム"
extern QString DB_PATH;      // full path of the route file
extern QVariant STEP_NO;     // the learning window's current step
extern QVariant FORM_MARGIN; // 120 twips, subtracted by the editor from its own size
extern QString CHILD;        // the child who practises; empty when no child is set up

// Fills DB_PATH, DB_CONNECT, ROUTE_TABLE and FORM_MARGIN for a program in `programFolder`.
void InitSettings(const QString& programFolder);

// Makes `path` the route in use: every window and command reads DB_PATH and DB_CONNECT when
// it needs the route, so this is the one place that switches routes.
void UseRoute(const QString& path);

// The connection string naming our engine and the route file at `path`.
QString ConnectString(const QString& path);

} // namespace m_lane
