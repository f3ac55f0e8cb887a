// The routes: choosing, making, naming and removing them.
#include "app/household.h"

#include "app/m_lane.h"
#include "app/messages.h"
#include "app/route_book.h"
#include "app/route_chooser.h"
#include "platform/dialogs.h"
#include "platform/failure.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <algorithm>

namespace app {

Household::Household(platform::Dialogs& dialogs, const QString& routeFolder, const QString& program,
                     QWidget* window)
    : QObject(window), m_dialogs(dialogs), m_folder(routeFolder), m_program(program),
      m_window(window)
{
    auto action = [this](const QString& text, const char* name, void (Household::*slot)()) {
        auto* a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_choose =
        action(QStringLiteral("道順をえらぶ…"), "chooseRouteAction", &Household::chooseRoute);
    m_new = action(QStringLiteral("新しい道順…"), "newRouteAction", &Household::newRoute);
    m_rename =
        action(QStringLiteral("名前を変える…"), "renameRouteAction", &Household::renameRoute);
    m_remove = action(QStringLiteral("道順を消す…"), "removeRouteAction", &Household::removeRoute);

    m_childMenu = new QMenu(QStringLiteral("子ども"), window);
    m_childMenu->setObjectName(QStringLiteral("childMenu"));
    connect(m_childMenu, &QMenu::aboutToShow, this, &Household::fillChildMenu);
    fillChildMenu();
}

QList<QAction*> Household::routeActions() const
{
    return {m_choose, m_new, m_rename, m_remove};
}

QString Household::currentFile() const
{
    return QFileInfo(m_lane::DB_PATH).fileName();
}

void Household::tell(const QString& text)
{
    m_dialogs.MsgBox(m_window, text);
}

void Household::tell(const platform::Failure& failure)
{
    platform::tell(m_dialogs, m_window, failure);
}

QString Household::statusText() const
{
    const SettingsData data = LoadSettingsFile(m_folder).data;
    const bool inFolder =
        QFileInfo(m_lane::DB_PATH).absolutePath() == QDir(m_folder).absolutePath();
    if (data.children.isEmpty() && inFolder && ListRoutes(m_folder, data).size() < 2)
        return {};
    QString text = messages::statusRoute(inFolder ? RouteDisplayName(data, currentFile())
                                                  : QDir::toNativeSeparators(m_lane::DB_PATH));
    if (!m_lane::CHILD.isEmpty())
        text += messages::statusChild(m_lane::CHILD);
    return text;
}

void Household::remember()
{
    // A route named on the command line from elsewhere is used, not remembered.
    if (QFileInfo(m_lane::DB_PATH).absolutePath() != QDir(m_folder).absolutePath())
        return;
    const BookResult saved = RememberInUse(m_folder, m_lane::DB_PATH, m_lane::CHILD);
    if (!saved.ok())
        tell(*saved.failure);
}

void Household::useRoute(const QString& path)
{
    m_lane::UseRoute(path);
    remember();
    emit routeChanged();
    emit statusChanged();
}

void Household::useChild(const QString& name)
{
    m_lane::CHILD = name;
    // A child with routes of their own starts on one of them.
    const QList<RouteInfo> routes = ListRoutes(m_folder, LoadSettingsFile(m_folder).data, name);
    const bool theirs = std::any_of(routes.begin(), routes.end(), [](const RouteInfo& route) {
        return route.path == m_lane::DB_PATH;
    });
    if (!theirs && !routes.isEmpty()) {
        useRoute(routes.first().path);
        return;
    }
    remember();
    emit statusChanged();
}

void Household::chooseRoute()
{
    const SettingsLoad load = LoadSettingsFile(m_folder);
    RouteChooser chooser(ListRoutes(m_folder, load.data, m_lane::CHILD), m_lane::DB_PATH, m_window);
    if (m_dialogs.Exec(chooser) != QDialog::Accepted)
        return;
    const QString chosen = chooser.chosenPath();
    if (!chosen.isEmpty() && chosen != m_lane::DB_PATH)
        useRoute(chosen);
}

void Household::newRoute()
{
    const QString name = m_dialogs.InputBox(m_window, messages::kNewRouteName);
    if (name.isEmpty())
        return;
    QString copyOf;
    if (QFileInfo(m_lane::DB_PATH).isFile() &&
        m_dialogs.MsgBox(
            m_window,
            messages::copyRouteQuestion(
                RouteDisplayName(LoadSettingsFile(m_folder).data, currentFile()), name),
            platform::MsgButtons::OkCancel) == platform::MsgResult::Ok)
        copyOf = m_lane::DB_PATH;
    const BookResult made = CreateRoute(m_folder, name, copyOf);
    if (!made.ok()) {
        tell(*made.failure);
        if (made.path.isEmpty())
            return;
    }
    useRoute(made.path);
    tell(messages::routeCreated(name));
}

void Household::renameRoute()
{
    const QString old = RouteDisplayName(LoadSettingsFile(m_folder).data, currentFile());
    const QString name = m_dialogs.InputBox(m_window, messages::routeNewName(old), old);
    if (name.isEmpty() || name == old)
        return;
    const BookResult renamed = RenameRoute(m_folder, currentFile(), name);
    if (!renamed.ok())
        tell(*renamed.failure);
    emit statusChanged();
}

void Household::removeRoute()
{
    const QString file = currentFile();
    const QString name = RouteDisplayName(LoadSettingsFile(m_folder).data, file);
    if (file == DefaultRouteFile()) {
        tell(*RemoveRoute(m_folder, file).failure);
        return;
    }
    if (m_dialogs.MsgBox(m_window, messages::removeRouteQuestion(name),
                         platform::MsgButtons::OkCancel) != platform::MsgResult::Ok)
        return;
    const BookResult removed = RemoveRoute(m_folder, file);
    if (removed.path.isEmpty()) {
        tell(*removed.failure);
        return;
    }
    useRoute(QDir(m_folder).filePath(DefaultRouteFile()));
    tell(messages::routeRemoved(
             name, QDir::toNativeSeparators(removed.path),
             RouteDisplayName(LoadSettingsFile(m_folder).data, DefaultRouteFile())) +
         (removed.ok() ? QString() : QLatin1Char('\n') + removed.failure->text()));
}

} // namespace app
