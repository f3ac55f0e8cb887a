#pragma once

#include "platform/twips.h"

#include <QObject>
#include <functional>

class QWidget;

namespace platform {

// Keeps a window's outer frame, title bar included, over a screen area. cover() places it there;
// whenever the window system later frames the window or changes its frame (on showing, moving
// or resizing), the frame is fitted to the area again and `refitted` lets the window lay its
// client area out anew.
//
// Hold it as a member declared after the window's `form` geometry, so that it stops watching
// before that geometry goes.
class ScreenCover : public QObject
{
public:
    ScreenCover(QWidget& window, TwipGeometry& form, std::function<void()> refitted);

    // Places the outer frame over `screen`'s area.
    void cover(const ScreenTwips& screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TwipGeometry& m_form;
    std::function<void()> m_refitted;
};

} // namespace platform
