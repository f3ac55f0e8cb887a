#pragma once

#include <QSizeF>

class QWidget;

namespace platform {

// The screen as the windows lay themselves out on it: its size in twips (1/1440 inch) and how
// many twips one pixel takes.
struct ScreenTwips
{
    float Width = 0;
    float Height = 0;
    double TwipsPerPixel = 15;

    // The primary screen, from its pixel size and logical DPI.
    static ScreenTwips primary();
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

    void setLeft(float v);
    void setTop(float v);
    void setWidth(float v);
    void setHeight(float v);
    void setSize(float width, float height);

    QWidget* widget() const { return m_widget; }
    double twipsPerPixel() const { return m_tpp; }
    int toPixels(float twips) const;

private:
    void apply();

    QWidget* m_widget = nullptr;
    double m_tpp = 15;
    float m_left = 0, m_top = 0, m_width = 0, m_height = 0;
};

} // namespace platform
