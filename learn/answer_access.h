#pragma once

#include "app/practice_settings.h"
#include "learn/practice_events.h"
#include "learn/switch_scan.h"

#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

class QPushButton;
class QWidget;

namespace platform {
class ShortSound;
}

namespace learn {

// How the child reaches the practice window's buttons besides the mouse and the arrow keys:
// one or two switches that scan them, and big buttons that fill the space under the photo.
// It works on the window's buttons from outside: it takes the switch keys before anything else
// sees them, draws the highlight as a change of look, and presses the chosen button, so that the
// window judges a switch's answer exactly as a click.
class AnswerAccess : public QObject
{
    Q_OBJECT
public:
    // `buttons`: the three arrows by index, then "もどる". `nextStepComing` tells whether the next
    // photo is on its way (the scan waits meanwhile). `tickSound`: the WAV file of a move. A
    // press made by a switch is told to `events` as one.
    AnswerAccess(QWidget& window, const std::array<QPushButton*, 4>& buttons,
                 std::function<bool()> nextStepComing, const QString& tickSound,
                 PracticeEvents& events);

    void setSettings(const app::PracticeSettings& settings);
    bool bigButtons() const { return m_settings.bigButtons; }

    // The window has placed its buttons for a step (in twips, `twipsPerPixel`, under a photo
    // whose bottom is at `photoBottom` in a client area `width` x `height`): big buttons take
    // their own places, and the highlight is drawn again where the buttons now are.
    void buttonsPlaced(double twipsPerPixel, float photoBottom, float width, float height);
    // Something was answered or shown: the scan starts again when the child can answer, and
    // waits while the next photo is on its way.
    void settle();

    SwitchScan& scan() { return m_scan; }
    platform::ShortSound* tick() const { return m_tick; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showHighlight(int target);
    void choose(int target);
    // Places `button` at `rect` (pixels), enlarged when it is the highlighted one.
    void place(int target, const QRect& rect);
    void restyle(int target);
    bool buttonsShown() const;

    QWidget& m_window;
    std::array<QPushButton*, 4> m_buttons;
    std::array<QString, 4> m_styles;
    std::array<QFont, 4> m_fonts;
    std::array<QRect, 4> m_places; // where each button stands unhighlighted, in pixels
    std::function<bool()> m_nextStepComing;
    PracticeEvents& m_events;
    app::PracticeSettings m_settings;
    SwitchScan m_scan;
    platform::ShortSound* m_tick = nullptr;
    int m_drawn = -1; // the button drawn highlighted
    bool m_placing = false;
};

} // namespace learn
