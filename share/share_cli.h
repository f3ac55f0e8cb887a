#pragma once

#include <QString>

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

// Adds --export, --import, --photos and --relink to `parser` (--route is the program's own).
void addCommandLineOptions(QCommandLineParser& parser);
// True when the parsed command line asks for one of these commands.
bool wantsCommand(const QCommandLineParser& parser);
// Runs the command the parsed command line asks for on the route file `routePath`.
int runCommandLine(const QCommandLineParser& parser, const QString& routePath, QTextStream& out,
                   QTextStream& err);

} // namespace share
