#pragma once

#include "app/route_place.h"

#include <QStringList>
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
