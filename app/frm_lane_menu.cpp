#include "app/frm_lane_menu.h"

#include "app/form_look.h"
#include "app/guide_window.h"
#include "app/m_lane.h"
#include "app/messages.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

frm_lane_menu::frm_lane_menu(WindowFactory makePlay, WindowFactory makeMake,
                             const QVersionNumber& version, const platform::ScreenTwips& screen,
                             QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_makePlay(std::move(makePlay)),
      m_makeMake(std::move(makeMake)), m_version(version), m_screen(screen)
{
    const double tpp = m_screen.TwipsPerPixel;
    const QColor background(0xC0, 0xFF, 0xC0);
    m_form = setUpForm(*this, QStringLiteral("frm_lane_menu"), QStringLiteral("処理選択"),
                       background, m_screen, 4680, 3120);

    // The form's client area is the central widget: the menu bar sits above it, in the frame.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    fillBackground(*m_client, background);
    setCentralWidget(m_client);

    m_command1 = new QPushButton(QStringLiteral("道順学習"), m_client);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAccessibleName(m_command1->text());
    m_button1 = platform::TwipGeometry(m_command1, tpp, 1680, 600, 1455, 495);
    m_command2 = new QPushButton(QStringLiteral("道順作成"), m_client);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setAccessibleName(m_command2->text());
    m_button2 = platform::TwipGeometry(m_command2, tpp, 1680, 1680, 1455, 495);
    setTabOrder(m_command1, m_command2);
    connect(m_command1, &QPushButton::clicked, this, &frm_lane_menu::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &frm_lane_menu::Command2_Click);

    buildMenus();
    fitFrame();
    Form_Load();
}

void frm_lane_menu::fitFrame()
{
    // The window grows by the menu bar's and the status bar's heights so that the client area
    // keeps its design size.
    const int bar = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    QStatusBar* status = findChild<QStatusBar*>();
    const int below = status && !status->isHidden() ? status->sizeHint().height() : 0;
    resize(m_form.toPixels(m_form.Width()), m_form.toPixels(m_form.Height()) + bar + below);
}

void frm_lane_menu::addBarMenu(QMenu* menu)
{
    menuBar()->insertMenu(m_settingsMenu, menu);
}

void frm_lane_menu::setStatusText(const QString& text)
{
    if (text.isEmpty() && !findChild<QStatusBar*>())
        return;
    // A label of its own: a message of the status bar would be wiped by the menus' tips.
    auto* label = statusBar()->findChild<QLabel*>(QStringLiteral("routeStatus"));
    if (!label) {
        statusBar()->setSizeGripEnabled(false);
        label = new QLabel(statusBar());
        label->setObjectName(QStringLiteral("routeStatus"));
        statusBar()->addWidget(label, 1);
    }
    label->setText(text);
    label->setAccessibleName(text);
    statusBar()->setVisible(!text.isEmpty());
    fitFrame();
}

frm_lane_menu::~frm_lane_menu()
{
    delete m_play.data();
    delete m_make.data();
    delete m_guide.data();
}

void frm_lane_menu::buildMenus()
{
    // The texts are the menus' accessible names as they are; the menu bar is reached with Alt
    // (then the arrow keys), and printing also with Ctrl+P.
    m_routeMenu = menuBar()->addMenu(QStringLiteral("道順"));
    m_routeMenu->setObjectName(QStringLiteral("routeMenu"));
    m_print = m_routeMenu->addAction(QStringLiteral("印刷…"));
    m_print->setObjectName(QStringLiteral("printAction"));
    m_print->setShortcut(QKeySequence::Print);
    m_print->setShortcutContext(Qt::WindowShortcut);
    m_exportPdf = m_routeMenu->addAction(QStringLiteral("PDF に書き出す…"));
    m_exportPdf->setObjectName(QStringLiteral("exportPdfAction"));
    m_routeSeparator = m_routeMenu->addSeparator();
    m_quit = m_routeMenu->addAction(QStringLiteral("終了"));
    m_quit->setObjectName(QStringLiteral("quitAction"));
    m_quit->setShortcut(QKeySequence::Quit);
    m_quit->setMenuRole(QAction::QuitRole);

    QMenu* settings = menuBar()->addMenu(QStringLiteral("設定"));
    settings->setObjectName(QStringLiteral("settingsMenu"));
    m_settingsMenu = settings->menuAction();
    m_answerSettings = settings->addAction(QStringLiteral("答え方…"));
    m_answerSettings->setObjectName(QStringLiteral("answerSettingsAction"));
    m_answerSettings->setMenuRole(QAction::NoRole);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("helpMenu"));
    m_guideAction = help->addAction(QStringLiteral("使い方…"));
    m_guideAction->setObjectName(QStringLiteral("guideAction"));
    m_guideAction->setShortcut(QKeySequence::HelpContents);
    help->addSeparator();
    m_about = help->addAction(QStringLiteral("バージョン情報…"));
    m_about->setObjectName(QStringLiteral("aboutAction"));
    m_about->setMenuRole(QAction::AboutRole);

    connect(m_print, &QAction::triggered, this, &frm_lane_menu::printRequested);
    connect(m_exportPdf, &QAction::triggered, this, &frm_lane_menu::exportPdfRequested);
    connect(m_answerSettings, &QAction::triggered, this, &frm_lane_menu::answerSettingsRequested);
    // "終了" is the same as closing the menu: both windows go, and the program ends.
    connect(m_quit, &QAction::triggered, this, &QWidget::close);
    connect(m_about, &QAction::triggered, this, &frm_lane_menu::ShowAbout);
    connect(m_guideAction, &QAction::triggered, this, &frm_lane_menu::ShowGuide);
}

void frm_lane_menu::addRouteCommand(QAction* action)
{
    m_routeMenu->insertAction(m_routeSeparator, action);
}

QString frm_lane_menu::Title(const QVersionNumber& version)
{
    // Minor and patch numbers as two digits each, the last two of a larger one.
    const QChar zero(u'0');
    return QStringLiteral("ミチタン - 処理選択 V%1%2%3")
        .arg(version.majorVersion())
        .arg(version.minorVersion() % 100, 2, 10, zero)
        .arg(version.microVersion() % 100, 2, 10, zero);
}

QString frm_lane_menu::AboutText(const QVersionNumber& version, const QString& routePath)
{
    return app::messages::about(version.toString(), QDir::toNativeSeparators(routePath));
}

void frm_lane_menu::ShowAbout()
{
    const QString text = AboutText(m_version, m_lane::DB_PATH);
    if (m_dialogs)
        m_dialogs->MsgBox(this, text);
    else
        platform::Dialogs().MsgBox(this, text);
}

void frm_lane_menu::ShowGuide()
{
    if (!m_guide) {
        m_guide = makeGuideWindow(m_lane::DB_PATH);
        m_guide->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

void frm_lane_menu::Form_Load()
{
    // Command1's light yellow background is not drawn: as a standard push button it shows the
    // system's button face.
    setWindowTitle(Title(m_version));
}

void frm_lane_menu::showWindow(QPointer<QWidget>& window, const WindowFactory& make)
{
    if (!window) {
        window = make();
        if (!window)
            return;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void frm_lane_menu::Command1_Click()
{
    showWindow(m_play, m_makePlay);
}

void frm_lane_menu::Command2_Click()
{
    showWindow(m_make, m_makeMake);
}

void frm_lane_menu::Form_Unload()
{
    if (m_play)
        m_play->close();
    if (m_make)
        m_make->close();
    // The guide goes with the program: left open, it would keep the program running.
    if (m_guide)
        m_guide->close();
}

void frm_lane_menu::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    // A practice window that refused to close (a child's locked practice) keeps the menu too.
    if (m_play && m_play->isVisible()) {
        event->ignore();
        return;
    }
    event->accept();
}
