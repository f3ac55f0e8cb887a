#pragma once

#include "platform/twips.h"

#include <QPointer>
#include <QVersionNumber>
#include <QWidget>
#include <functional>

class QPushButton;

// The first window: its two buttons open the learning and the editing window, each at most
// once; closing it closes both and so ends the program.
class frm_lane_menu : public QWidget
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

    QWidget* playWindow() const { return m_play; }
    QWidget* makeWindow() const { return m_make; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showWindow(QPointer<QWidget>& window, const WindowFactory& make);

    WindowFactory m_makePlay;
    WindowFactory m_makeMake;
    QVersionNumber m_version;
    platform::ScreenTwips m_screen;
    QPointer<QWidget> m_play;
    QPointer<QWidget> m_make;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    platform::TwipGeometry m_form, m_button1, m_button2;
};
