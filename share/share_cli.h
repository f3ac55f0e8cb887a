#pragma once

#include <QString>
#include <optional>

class QCommandLineParser;
class QTextStream;

// The route commands from the command line, for teachers and scripts. Each returns the exit
// code: 0 when done, 1 on failure with the reason in Japanese on `err`.
namespace share {

int exportCommand(const QString& routePath, const QString& out, QTextStream& err);
// Replaces the route without asking, keeping a dated copy of it.
int importCommand(const QString& routePath, const QString& in, const QString& photoFolder,
                  QTextStream& err);
int relinkCommand(const QString& routePath, const QString& folder, QTextStream& out,
                  QTextStream& err);

// Adds --export, --import, --photos, --relink and --route to `parser`.
void addCommandLineOptions(QCommandLineParser& parser);
// Runs the route command the parsed command line asks for, on --route or `defaultRoute`; no
// value when it asks for none.
std::optional<int> runCommandLine(const QCommandLineParser& parser, const QString& defaultRoute,
                                  QTextStream& out, QTextStream& err);

} // namespace share
