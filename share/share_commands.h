#pragma once

#include <QList>
#include <functional>

class QAction;
class QWidget;

namespace platform {
class Dialogs;
}

// The route commands of the menu: each asks through the dialog layer, shows a progress window
// that can be stopped while it works, and ends with a message saying what happened. They work
// on the program's route file (m_lane::DB_PATH).
namespace share {

// Called after a command changed the route, so that an open editor shows it at once.
using RouteChanged = std::function<void()>;

// "道順を書き出す…"
void exportRouteCommand(platform::Dialogs& dialogs, QWidget* parent);
// "道順を読み込む…"
void importRouteCommand(platform::Dialogs& dialogs, QWidget* parent, const RouteChanged& changed);
// "写真の場所を直す…"
void relinkPhotosCommand(platform::Dialogs& dialogs, QWidget* parent, const RouteChanged& changed);

// The three commands as menu actions owned by `parent`, the window their questions belong to.
QList<QAction*> routeCommands(platform::Dialogs& dialogs, QWidget* parent, RouteChanged changed);

} // namespace share
