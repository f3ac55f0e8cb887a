#include "platform/screen_cover.h"

#include <QEvent>
#include <QWidget>

namespace platform {

ScreenCover::ScreenCover(QWidget& window, TwipGeometry& form, std::function<void()> refitted)
    : m_form(form), m_refitted(std::move(refitted))
{
    window.installEventFilter(this);
}

void ScreenCover::cover(const ScreenTwips& screen)
{
    m_form.setSize(screen.Width, screen.Height);
    m_form.setLeft(screen.Left);
    m_form.setTop(screen.Top);
}

bool ScreenCover::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_form.widget() &&
        (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) &&
        m_form.refitFrame() && m_refitted)
        m_refitted();
    return false;
}

} // namespace platform
