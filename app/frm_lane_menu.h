#pragma once

#include "platform/twips.h"

#include <QMainWindow>
#include <QPointer>
#include <QVersionNumber>
#include <functional>

class QAction;
class QMenu;
class QPushButton;

namespace platform {
class Dialogs;
}

// The first window: its two buttons open the learning and the editing window, each at most
// once; closing it closes both and so ends the program. Its menu bar lies outside the client
// area, which keeps its design size with both buttons in place; the "道順" menu holds the
// commands on the whole route, the "ヘルプ" menu the program's version information.
class frm_lane_menu : public QMainWindow
{
    Q_OBJECT
public:
    using WindowFactory = std::function<QWidget*()>;

    frm_lane_menu(WindowFactory makePlay, WindowFactory makeMake, const QVersionNumber& version,
                  const platform::ScreenTwips& screen, QWidget* parent = nullptr);
    // The two windows belong to the menu: whatever of them is left goes with it.
    ~frm_lane_menu() override;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Form_Unload();

    // "ミチタン - 処理選択 V" with the major number and the last two digits of minor and revision.
    static QString Title(const QVersionNumber& version);
    // The text of "バージョン情報…": name, version, licence and the route file's path.
    static QString AboutText(const QVersionNumber& version, const QString& routePath);

    QWidget* playWindow() const { return m_play; }
    QWidget* makeWindow() const { return m_make; }
    // The form itself: the client area that holds the two buttons.
    QWidget* clientArea() const { return m_client; }

    // The "道順" menu; a later command on the whole route goes in with addRouteCommand, after
    // the commands already there and before the separator above "終了".
    QMenu* routeMenu() const { return m_routeMenu; }
    void addRouteCommand(QAction* action);
    QAction* printAction() const { return m_print; }
    QAction* exportPdfAction() const { return m_exportPdf; }
    QAction* aboutAction() const { return m_about; }
    QAction* guideAction() const { return m_guideAction; }
    // Puts `menu` in the menu bar, before "設定".
    void addBarMenu(QMenu* menu);
    // Shows `text` (the route in use) in a status bar below the client area, which keeps its
    // design size; an empty text takes the status bar away.
    void setStatusText(const QString& text);
    // "設定" → "答え方…": how the child answers in practice.
    QAction* answerSettingsAction() const { return m_answerSettings; }

    // The message layer the version information is shown through.
    void setDialogs(platform::Dialogs* dialogs) { m_dialogs = dialogs; }
    void ShowAbout();
    // "使い方…": the guide for parents and teachers, in a window of its own (at most one).
    void ShowGuide();
    QWidget* guideWindow() const { return m_guide; }

signals:
    void printRequested();
    void exportPdfRequested();
    void answerSettingsRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showWindow(QPointer<QWidget>& window, const WindowFactory& make);
    void buildMenus();
    void fitFrame();

    WindowFactory m_makePlay;
    WindowFactory m_makeMake;
    QVersionNumber m_version;
    platform::ScreenTwips m_screen;
    platform::Dialogs* m_dialogs = nullptr;
    QPointer<QWidget> m_play;
    QPointer<QWidget> m_make;
    QWidget* m_client = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QMenu* m_routeMenu = nullptr;
    QAction* m_print = nullptr;
    QAction* m_exportPdf = nullptr;
    QAction* m_routeSeparator = nullptr;
    QAction* m_quit = nullptr;
    QAction* m_about = nullptr;
    QAction* m_guideAction = nullptr;
    QPointer<QWidget> m_guide;
    QAction* m_settingsMenu = nullptr;
    QAction* m_answerSettings = nullptr;
    platform::TwipGeometry m_form, m_button1, m_button2;
};
