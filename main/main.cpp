// Start-up: fills the shared settings and shows the menu; from then on the windows' handlers run.
#include "answer/answer_dialog.h"
#include "app/frm_lane_menu.h"
#include "app/m_lane.h"
#include "app/practice_settings.h"
#include "app/program_icon.h"
#include "app/route_place.h"
#include "edit/frm_lane_make.h"
#include "learn/frm_lane_play.h"
#include "main/command_line.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/twips.h"
#include "print/booklet_print.h"
#include "records/recorder.h"
#include "share/share_commands.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <memory>

namespace {

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

void Main(platform::Dialogs& dialogs, const QString& folder, const QString& routeFolder)
{
    m_lane::InitSettings(routeFolder);
    const platform::ScreenTwips screen = platform::ScreenTwips::primary();
    // Every practice is recorded beside the route it practises; a problem with the records is
    // told to the adult once the practice window has closed.
    auto menuWindow = std::make_shared<QPointer<QWidget>>();
    auto* recorder = new records::Recorder(
        [&dialogs, menuWindow](const QString& message) { dialogs.MsgBox(*menuWindow, message); });
    auto* menu = new frm_lane_menu(
        [&dialogs, screen, folder, recorder] {
            auto* play = new frm_lane_play(dialogs, screen, folder);
            const app::PracticeSettings settings =
                app::LoadPracticeSettings(m_lane::DB_PATH, m_lane::CHILD);
            play->setPracticeSettings(settings);
            recorder->setEnabled(settings.records);
            recorder->attach(play->practiceEvents(), m_lane::DB_PATH, m_lane::CHILD);
            return play;
        },
        [&dialogs, screen] { return new frm_lane_make(dialogs, screen); },
        QVersionNumber::fromString(QCoreApplication::applicationVersion()), screen);
    menu->setDialogs(&dialogs);
    *menuWindow = menu;
    recorder->setParent(menu);
    auto* printer = new BookletPrinter(dialogs, menu);
    QObject::connect(menu, &frm_lane_menu::printRequested, printer,
                     [printer, menu] { printer->Print(menu); });
    QObject::connect(menu, &frm_lane_menu::exportPdfRequested, printer,
                     [printer, menu] { printer->ExportPdf(menu); });
    // New answer settings take effect at once in an open practice window.
    QObject::connect(menu, &frm_lane_menu::answerSettingsRequested, menu, [&dialogs, menu] {
        if (!answer::EditAnswerSettings(dialogs, menu, m_lane::DB_PATH, m_lane::CHILD))
            return;
        if (auto* play = qobject_cast<frm_lane_play*>(menu->playWindow()))
            play->setPracticeSettings(app::LoadPracticeSettings(m_lane::DB_PATH, m_lane::CHILD));
    });
    // After an import or a mend an open editor shows the new route at once.
    const auto routeChanged = [menu] {
        if (auto* make = qobject_cast<frm_lane_make*>(menu->makeWindow()))
            make->RouteChanged();
    };
    for (QAction* action : share::routeCommands(dialogs, menu, routeChanged))
        menu->addRouteCommand(action);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->show();
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
    if (!route.problem.isEmpty()) {
        dialogs.MsgBox(nullptr, route.problem);
        return 1;
    }
    if (!route.notice.isEmpty())
        dialogs.MsgBox(nullptr, route.notice);
    Main(dialogs, folder.path(), QFileInfo(route.routeFile).path());
    return app.exec();
}
