// Start-up: fills the shared settings and shows the menu; from then on the windows' handlers run.
#include "answer/answer_dialog.h"
#include "app/frm_lane_menu.h"
#include "app/household.h"
#include "app/m_lane.h"
#include "app/practice_settings.h"
#include "app/program_icon.h"
#include "app/route_book.h"
#include "app/route_place.h"
#include "edit/frm_lane_make.h"
#include "learn/frm_lane_play.h"
#include "learn/missing_photos.h"
#include "main/command_line.h"
#include "main/messages.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/twips.h"
#include "print/booklet_print.h"
#include "records/recorder.h"
#include "records/records_commands.h"
#include "share/share_commands.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QTranslator>
#include <memory>

namespace {

namespace text = michitan::messages;

// The windows' texts are Japanese, so the standard buttons and dialogs speak Japanese too.
void loadJapaneseTranslations(QApplication& app)
{
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_ja", "qt_ja"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), dir))
            app.installTranslator(translator);
        else
            delete translator;
    }
}

// The route and the child the windows start with.
void useStart(const QString& routeFolder, const app::StartChoice& start)
{
    m_lane::InitSettings(routeFolder);
    m_lane::UseRoute(start.routeFile);
    m_lane::CHILD = start.child;
}

// A practice window for the route and child in use, with their settings, recorded.
frm_lane_play* newPlayWindow(platform::Dialogs& dialogs, const platform::ScreenTwips& screen,
                             const QString& folder, records::Recorder* recorder)
{
    learn::noticeMissingPhotos(dialogs, QApplication::activeWindow());
    auto* play = new frm_lane_play(dialogs, screen, folder);
    const app::PracticeSettings settings =
        app::LoadPracticeSettings(m_lane::DB_PATH, m_lane::CHILD);
    play->setPracticeSettings(settings);
    recorder->setEnabled(settings.records);
    recorder->attach(play->practiceEvents(), m_lane::DB_PATH, m_lane::CHILD);
    return play;
}

// The desktop start of a child: the practice window alone; closing it ends the program.
void Practice(platform::Dialogs& dialogs, const QString& folder, const QString& routeFolder,
              const app::StartChoice& start)
{
    useStart(routeFolder, start);
    // Recorded as from the menu; the recorder goes, writing what is left, as the program ends.
    auto* recorder = new records::Recorder(
        [&dialogs](const QString& message) { dialogs.MsgBox(nullptr, message); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, recorder,
                     [recorder] { delete recorder; });
    frm_lane_play* play =
        newPlayWindow(dialogs, platform::ScreenTwips::primary(), folder, recorder);
    play->setAttribute(Qt::WA_DeleteOnClose);
    play->show();
    play->raise();
    play->activateWindow();
}

void Main(platform::Dialogs& dialogs, const QString& folder, const QString& routeFolder,
          const app::StartChoice& start)
{
    useStart(routeFolder, start);
    const platform::ScreenTwips screen = platform::ScreenTwips::primary();
    // Every practice is recorded beside the route it practises; a problem with the records is
    // told to the adult once the practice window has closed.
    auto menuWindow = std::make_shared<QPointer<QWidget>>();
    auto* recorder = new records::Recorder(
        [&dialogs, menuWindow](const QString& message) { dialogs.MsgBox(*menuWindow, message); });
    auto* menu = new frm_lane_menu(
        [&dialogs, screen, folder, recorder] {
            return newPlayWindow(dialogs, screen, folder, recorder);
        },
        [&dialogs, screen] { return new frm_lane_make(dialogs, screen); },
        QVersionNumber::fromString(QCoreApplication::applicationVersion()), screen);
    menu->setDialogs(&dialogs);
    *menuWindow = menu;
    recorder->setParent(menu);
    new records::RecordsCommands(dialogs, menu, recorder);
    auto* printer = new BookletPrinter(dialogs, menu);
    QObject::connect(menu, &frm_lane_menu::printRequested, printer,
                     [printer, menu] { printer->Print(menu); });
    QObject::connect(menu, &frm_lane_menu::exportPdfRequested, printer,
                     [printer, menu] { printer->ExportPdf(menu); });

    // The routes and the children: the route's commands come first in "道順", and the status
    // bar shows the route in use once there is more than one.
    auto* household =
        new app::Household(dialogs, routeFolder, QCoreApplication::applicationFilePath(), menu);
    menu->routeMenu()->insertActions(menu->printAction(), household->routeActions());
    menu->routeMenu()->insertSeparator(menu->printAction());
    menu->addBarMenu(household->childMenu());
    const auto showStatus = [menu, household] { menu->setStatusText(household->statusText()); };
    showStatus();
    QObject::connect(household, &app::Household::statusChanged, menu, showStatus);

    // New answer settings take effect at once in an open practice window.
    QObject::connect(menu, &frm_lane_menu::answerSettingsRequested, menu, [&dialogs, menu] {
        if (!answer::EditAnswerSettings(dialogs, menu, m_lane::DB_PATH, m_lane::CHILD))
            return;
        if (auto* play = qobject_cast<frm_lane_play*>(menu->playWindow()))
            play->setPracticeSettings(app::LoadPracticeSettings(m_lane::DB_PATH, m_lane::CHILD));
    });
    // After an import, a mend or another route chosen, an open editor shows the route at once.
    const auto routeChanged = [menu, showStatus] {
        showStatus();
        if (auto* make = qobject_cast<frm_lane_make*>(menu->makeWindow()))
            make->RouteChanged();
    };
    // A practice of the route that is no longer in use ends; the next one starts on the new.
    QObject::connect(household, &app::Household::routeChanged, menu, [menu, routeChanged] {
        if (QWidget* play = menu->playWindow())
            play->close();
        routeChanged();
    });
    for (QAction* action : share::routeCommands(dialogs, menu, routeChanged))
        menu->addRouteCommand(action);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->show();
}

// The route and child the command line names, over the ones remembered; false, after telling
// the adult, when one of them is not there.
bool applyWindowStart(platform::Dialogs& dialogs, const WindowStart& request,
                      const QString& routeFolder, app::StartChoice& start)
{
    if (!request.error.isEmpty()) {
        platform::tell(dialogs, nullptr, text::notUnderstood(request.error));
        return false;
    }
    if (!request.route.isEmpty()) {
        std::optional<platform::Failure> failure;
        const QString route = app::ResolveRoute(routeFolder, request.route, &failure);
        if (route.isEmpty() || !QFileInfo(route).isFile()) {
            platform::tell(dialogs, nullptr,
                           failure.value_or(text::noRouteFile(QDir::toNativeSeparators(route))));
            return false;
        }
        start.routeFile = route;
    }
    if (request.practiceOnly || !request.child.isEmpty())
        start.child = request.child;
    if (!start.child.isEmpty() && !app::LoadSettingsFile(routeFolder).data.child(start.child)) {
        platform::tell(dialogs, nullptr, text::noSuchChild(start.child));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A job from the command line opens no window, so it needs no screen either.
    if (WantsCommandLineJob(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("michitan"));
    // No display name is set: the window system would append it to every window's caption. No
    // organisation name either: it would become part of the user's route folder.
    QApplication::setApplicationVersion(QStringLiteral(MICHITAN_VERSION));
    QApplication::setWindowIcon(programIcon());
    loadJapaneseTranslations(app);
    // Dates, sizes and numbers (the photo dialog's columns among them) read as the texts do,
    // whatever language the desktop speaks.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // Photos from today's phones (up to about 64 megapixels) decode at full size in the editor.
    QImageReader::setAllocationLimit(256);
    // The program's folder (sounds, sample photos) and the route's folder (see startRoute).
    const platform::ProgramFolder folder;
    // A job from the command line works on the route the program would open unless told another.
    const auto routeToOpen = [&folder] { return app::startRoute(folder.path()); };
    if (const std::optional<int> code = RunCommandLine(QApplication::arguments(), routeToOpen))
        return *code;
    platform::Dialogs dialogs;
    const app::RouteStart route = app::startRoute(folder.path());
    if (route.failure) {
        platform::tell(dialogs, nullptr, *route.failure);
        return 1;
    }
    if (!route.notice.isEmpty())
        dialogs.MsgBox(nullptr, route.notice);
    const QString routeFolder = QFileInfo(route.routeFile).path();
    app::StartChoice start = app::ChooseStart(routeFolder);
    if (!start.notice.isEmpty())
        dialogs.MsgBox(nullptr, start.notice);
    const WindowStart request = ReadWindowStart(QApplication::arguments());
    if (!applyWindowStart(dialogs, request, routeFolder, start))
        return 1;
    if (request.practiceOnly)
        Practice(dialogs, folder.path(), routeFolder, start);
    else
        Main(dialogs, folder.path(), routeFolder, start);
    return app.exec();
}
