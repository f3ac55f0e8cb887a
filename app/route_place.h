#pragma once

#include "platform/failure.h"

#include <QString>
#include <functional>
#include <optional>

namespace app {

// Where the route file lives.
struct RoutePlace
{
    QString folder;          // the folder that holds ADO_LANE.mdb; empty when there is none
    bool userFolder = false; // the user's own data folder rather than the program's
    std::optional<platform::Failure> failure; // why there is no folder
};

// Decides the route's folder. The route stays beside the program when the program's folder can
// be written (a copied program folder, the build folder); an installed program's folder can't
// be, and the route is then the user's own file in `userFolder` (empty when the user has no data
// folder). `canWrite` tells whether a folder can be written, making it when it is missing. Never
// any other folder: when neither will do, `failure` says so.
RoutePlace chooseRouteFolder(const QString& programFolder, const QString& userFolder,
                             const std::function<bool(const QString&)>& canWrite);

// The route the program opens, ready to be opened.
struct RouteStart
{
    QString routeFile;                        // full path of ADO_LANE.mdb; empty when there is none
    std::optional<platform::Failure> failure; // no route can be used: say so and stop
    QString notice; // the program can go on, but the parent should know this
};

// Chooses the route's folder for the program in `programFolder` (see chooseRouteFolder), with
// the user's data folder from QStandardPaths. On a first start in the user's folder, the sample
// route is made there with the sample photos copied beside it; an existing route is never
// touched.
RouteStart startRoute(const QString& programFolder);
// The same with the user's data folder and the writability test given.
RouteStart startRoute(const QString& programFolder, const QString& userFolder,
                      const std::function<bool(const QString&)>& canWrite);

} // namespace app
