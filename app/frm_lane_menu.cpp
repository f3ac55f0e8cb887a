#include "app/frm_lane_menu.h"

#include "app/form_look.h"
#include "app/vb4_func.h"

#include <QCloseEvent>
#include <QPushButton>

frm_lane_menu::frm_lane_menu(WindowFactory makePlay, WindowFactory makeMake,
                             const QVersionNumber& version, const platform::ScreenTwips& screen,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), m_makePlay(std::move(makePlay)), m_makeMake(std::move(makeMake)),
      m_version(version), m_screen(screen)
{
    const double tpp = m_screen.TwipsPerPixel;
    m_form = setUpForm(*this, QStringLiteral("frm_lane_menu"), QStringLiteral("処理選択"),
                       QColor(0xC0, 0xFF, 0xC0), m_screen, 4680, 3120);

    m_command1 = new QPushButton(QStringLiteral("道順学習"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAccessibleName(m_command1->text());
    m_button1 = platform::TwipGeometry(m_command1, tpp, 1680, 600, 1455, 495);
    m_command2 = new QPushButton(QStringLiteral("道順作成"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setAccessibleName(m_command2->text());
    m_button2 = platform::TwipGeometry(m_command2, tpp, 1680, 1680, 1455, 495);
    setTabOrder(m_command1, m_command2);
    connect(m_command1, &QPushButton::clicked, this, &frm_lane_menu::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &frm_lane_menu::Command2_Click);
    Form_Load();
}

frm_lane_menu::~frm_lane_menu()
{
    delete m_play.data();
    delete m_make.data();
}

QString frm_lane_menu::Title(const QVersionNumber& version)
{
    return QStringLiteral("ミチタン - 処理選択") + QStringLiteral(" V") +
           QString::number(version.majorVersion()) +
           VB4_FUNC::ANSI_RIGHT(QStringLiteral("00") + QString::number(version.minorVersion()), 2) +
           VB4_FUNC::ANSI_RIGHT(QStringLiteral("00") + QString::number(version.microVersion()), 2);
}

void frm_lane_menu::Form_Load()
{
    setWindowTitle(Title(m_version));
    // Command1 is given light yellow as its background, but as a standard push button it is drawn
    // with the system's button face all the same; the colour is kept only as a property.
    m_command1->setProperty("BackColor", QColor(0xFF, 0xFF, 0xC0));
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
}

void frm_lane_menu::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}
