// Start-up: fills the shared settings and shows the menu; from then on the windows' handlers run.
#include "app/frm_lane_menu.h"
#include "app/m_lane.h"
#include "app/program_icon.h"
#include "edit/frm_lane_make.h"
#include "learn/frm_lane_play.h"
#include "platform/dialogs.h"
#include "platform/twips.h"

#include <QApplication>
#include <QImageReader>
#include <QLibraryInfo>
#include <QTranslator>

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

void Main(platform::Dialogs& dialogs)
{
    const QString folder = QCoreApplication::applicationDirPath();
    m_lane::InitSettings(folder);
    const platform::ScreenTwips screen = platform::ScreenTwips::primary();
    auto* menu = new frm_lane_menu(
        [&dialogs, screen, folder] { return new frm_lane_play(dialogs, screen, folder); },
        [&dialogs, screen] { return new frm_lane_make(dialogs, screen); },
        QVersionNumber::fromString(QCoreApplication::applicationVersion()), screen);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->show();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("michitan"));
    // The folder of the last chosen photo is kept under this name between runs. No display name
    // is set: the window system would append it to every window's caption.
    QApplication::setOrganizationName(QStringLiteral("michitan"));
    QApplication::setApplicationVersion(QStringLiteral(MICHITAN_VERSION));
    QApplication::setWindowIcon(programIcon());
    loadJapaneseTranslations(app);
    // Photos from today's phones (up to about 64 megapixels) decode at full size in the editor.
    QImageReader::setAllocationLimit(256);
    platform::Dialogs dialogs;
    Main(dialogs);
    return app.exec();
}
