#pragma once

#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace platform {
class Dialogs;
class Failure;
} // namespace platform

namespace app {

// The routes of the route folder and the children who practise them, with the menu commands
// that manage them: "道順をえらぶ…", "新しい道順…", "名前を変える…", "道順を消す…" in the "道順"
// menu, and the "子ども" menu. The route in use is m_lane::DB_PATH and the child m_lane::CHILD;
// everything that works on the route reads them, so choosing a route here switches them all.
class Household : public QObject
{
    Q_OBJECT
public:
    // `window` is the window the questions belong to; `program` the executable a desktop start
    // runs.
    Household(platform::Dialogs& dialogs, const QString& routeFolder, const QString& program,
              QWidget* window);

    const QString& routeFolder() const { return m_folder; }

    // The "道順" menu's commands on the routes, in their order.
    QList<QAction*> routeActions() const;
    // The "子ども" menu, filled afresh each time it opens.
    QMenu* childMenu() const { return m_childMenu; }

    // What the status bar shows: the route in use and the child; empty while there is only the
    // default route and no child, when the window looks as it always has.
    QString statusText() const;

    // Makes `path` the route in use and remembers it for the next start.
    void useRoute(const QString& path);
    // Makes `name` (empty: nobody) the child who practises and remembers it.
    void useChild(const QString& name);

    void chooseRoute();
    void newRoute();
    void renameRoute();
    void removeRoute();

    void addChild();
    void renameChild();
    void removeChild();
    void chooseChildRoutes();
    void editPracticeSettings();
    void placeOnDesktop();

signals:
    // The route in use has changed (to another route, or the same one renamed).
    void routeChanged();
    // The child, or what the status bar shows, has changed.
    void statusChanged();

private:
    void fillChildMenu();
    // Remembers the route and the child in use for the next start.
    void remember();
    QString currentFile() const;
    bool needChild(const QString& what);
    void tell(const QString& text);
    void tell(const platform::Failure& failure);

    platform::Dialogs& m_dialogs;
    QString m_folder;
    QString m_program;
    QWidget* m_window;
    QAction* m_choose = nullptr;
    QAction* m_new = nullptr;
    QAction* m_rename = nullptr;
    QAction* m_remove = nullptr;
    QMenu* m_childMenu = nullptr;
};

} // namespace app
