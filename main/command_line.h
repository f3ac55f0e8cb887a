#pragma once

#include <QStringList>
#include <functional>
#include <optional>

// Jobs done from the command line without opening a window, such as writing a route's booklet
// as a PDF. Returns the exit code of the job, or no value when the arguments ask for none: then
// the program opens its windows as usual. `defaultRoute` gives the route file the program would
// open; it is asked only when no route is named.
std::optional<int> RunCommandLine(const QStringList& arguments,
                                  const std::function<QString()>& defaultRoute);

// True when the arguments ask for a job that needs no screen.
bool WantsCommandLineJob(int argc, char** argv);
