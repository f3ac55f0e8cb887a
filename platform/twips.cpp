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

ScreenTwips ScreenTwips::primary()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return fromPixels(QSize(1024, 768));
    return fromPixels(screen->size(), screen->logicalDotsPerInch());
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

void TwipGeometry::apply()
{
    if (!m_widget)
        return;
    const int w = std::max(0, toPixels(m_width));
    const int h = std::max(0, toPixels(m_height));
    if (m_widget->isWindow()) {
        // A window's size is its outer size as asked for; the window system adds its frame.
        m_widget->move(toPixels(m_left), toPixels(m_top));
        m_widget->resize(w, h);
    } else {
        m_widget->setGeometry(toPixels(m_left), toPixels(m_top), w, h);
    }
}

} // namespace platform
