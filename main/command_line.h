#pragma once

#include "app/route_place.h"

#include <QStringList>

class QCommandLineParser;
#include <functional>
#include <optional>

// Jobs done from the command line without opening a window, such as writing a route's booklet
// as a PDF. Returns the exit code of the job, or no value when the arguments ask for none: then
// the program opens its windows as usual. `defaultRoute` gives the route the program would open
// (or why there is none); it is asked only when no route is named. An output that is the route
// file or a file kept with it, or two jobs at once, are refused as misuse (exit code 2).
std::optional<int> RunCommandLine(const QStringList& arguments,
                                  const std::function<app::RouteStart()>& defaultRoute);

// True when the arguments ask for a job that needs no screen.
bool WantsCommandLineJob(int argc, char** argv);

// How the windows open, from the command line: `michitan --practice --child NAME --route NAME`
// opens only the practice window, for that child on that route; `--route` alone opens the menu
// on that route. Empty values: as the program would.
struct WindowStart
{
    bool practiceOnly = false;
    QString child;
    QString route; // a route's name or a route file's path
    QString error; // the arguments can't be read
};
WindowStart ReadWindowStart(const QStringList& arguments);

// Adds --practice and --child to `parser`.
void addWindowOptions(QCommandLineParser& parser);
