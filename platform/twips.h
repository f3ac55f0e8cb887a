#pragma once

#include <QMargins>
#include <QRect>
#include <QSizeF>

class QWidget;

namespace platform {

// The screen as the windows lay themselves out on it: the part of it that windows may cover
// (without panels or a taskbar), its place and size in twips (1/1440 inch), and how many twips
// one pixel takes.
struct ScreenTwips
{
    float Width = 0;
    float Height = 0;
    double TwipsPerPixel = 15;
    float Left = 0;
    float Top = 0;

    // The primary screen's available area, from its pixel geometry and logical DPI.
    static ScreenTwips primary();
    // The area `pixels` of a screen at `dpi`.
    static ScreenTwips fromGeometry(QRect pixels, double dpi = 96);
    // A screen of `pixels` at `dpi`, for layouts computed without a real screen.
    static ScreenTwips fromPixels(QSize pixels, double dpi = 96);
};

// One control's position and size in single-precision twips, as the program computes them.
// The widget is placed at the nearest pixel; the twip values are kept exactly.
class TwipGeometry
{
public:
    TwipGeometry() = default;
    TwipGeometry(QWidget* widget, double twipsPerPixel, float left, float top, float width,
                 float height);

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    // A window's client area: its outer size less the frame that the window system has put
    // around it (none before the window is first shown, nor on a platform without frames).
    float ScaleWidth() const;
    float ScaleHeight() const;

    void setLeft(float v);
    void setTop(float v);
    void setWidth(float v);
    void setHeight(float v);
    void setSize(float width, float height);

    QWidget* widget() const { return m_widget; }
    double twipsPerPixel() const { return m_tpp; }
    int toPixels(float twips) const;

    // A window whose frame the window system has put or changed since its size was last set
    // gets it set again, so that its outer size stays the one asked for. True when it did.
    bool refitFrame();

private:
    void apply();
    QMargins frame() const;

    QWidget* m_widget = nullptr;
    double m_tpp = 15;
    float m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    QMargins m_fittedFrame;
};

} // namespace platform
