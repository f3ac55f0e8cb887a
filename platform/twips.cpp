#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace platform {

ScreenTwips ScreenTwips::fromPixels(QSize pixels, double dpi)
{
    ScreenTwips s;
    s.TwipsPerPixel = 1440.0 / (dpi > 0 ? dpi : 96.0);
    s.Width = static_cast<float>(pixels.width() * s.TwipsPerPixel);
    s.Height = static_cast<float>(pixels.height() * s.TwipsPerPixel);
    return s;
}

ScreenTwips ScreenTwips::fromGeometry(QRect pixels, double dpi)
{
    ScreenTwips s = fromPixels(pixels.size(), dpi);
    s.Left = static_cast<float>(pixels.left() * s.TwipsPerPixel);
    s.Top = static_cast<float>(pixels.top() * s.TwipsPerPixel);
    return s;
}

ScreenTwips ScreenTwips::primary()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return fromPixels(QSize(1024, 768));
    return fromGeometry(screen->availableGeometry(), screen->logicalDotsPerInch());
}

TwipGeometry::TwipGeometry(QWidget* widget, double twipsPerPixel, float left, float top,
                           float width, float height)
    : m_widget(widget), m_tpp(twipsPerPixel > 0 ? twipsPerPixel : 15), m_left(left), m_top(top),
      m_width(width), m_height(height)
{
    apply();
}

int TwipGeometry::toPixels(float twips) const
{
    return static_cast<int>(std::lround(twips / m_tpp));
}

void TwipGeometry::setLeft(float v)
{
    m_left = v;
    apply();
}

void TwipGeometry::setTop(float v)
{
    m_top = v;
    apply();
}

void TwipGeometry::setWidth(float v)
{
    m_width = v;
    apply();
}

void TwipGeometry::setHeight(float v)
{
    m_height = v;
    apply();
}

void TwipGeometry::setSize(float width, float height)
{
    m_width = width;
    m_height = height;
    apply();
}

QMargins TwipGeometry::frame() const
{
    if (!m_widget || !m_widget->isWindow())
        return QMargins();
    const QRect outer = m_widget->frameGeometry();
    const QRect inner = m_widget->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

float TwipGeometry::ScaleWidth() const
{
    const QMargins f = frame();
    return m_width - float((f.left() + f.right()) * m_tpp);
}

float TwipGeometry::ScaleHeight() const
{
    const QMargins f = frame();
    return m_height - float((f.top() + f.bottom()) * m_tpp);
}

bool TwipGeometry::refitFrame()
{
    if (!m_widget || !m_widget->isWindow() || frame() == m_fittedFrame)
        return false;
    apply();
    return true;
}

void TwipGeometry::apply()
{
    if (!m_widget)
        return;
    const int w = std::max(0, toPixels(m_width));
    const int h = std::max(0, toPixels(m_height));
    if (m_widget->isWindow()) {
        // A window's position and size are those of its outer frame, title bar included: the
        // client area gets what the frame leaves of it.
        m_fittedFrame = frame();
        m_widget->move(toPixels(m_left), toPixels(m_top));
        m_widget->resize(std::max(0, w - m_fittedFrame.left() - m_fittedFrame.right()),
                         std::max(0, h - m_fittedFrame.top() - m_fittedFrame.bottom()));
    } else {
        m_widget->setGeometry(toPixels(m_left), toPixels(m_top), w, h);
    }
}

} // namespace platform
