#include "print/booklet_layout.h"

#include <algorithm>
#include <cmath>

namespace booklet {

namespace {

// Space around each panel, and inside it around its parts, in points.
constexpr double kGutter = 10;
constexpr double kPadding = 12;

Panel layoutPanel(const QRectF& frame)
{
    Panel p;
    p.frame = frame;
    const QRectF inner = frame.adjusted(kPadding, kPadding, -kPadding, -kPadding);
    if (inner.width() >= inner.height() * 1.2) {
        // Wide: a column on the left with the number above the direction, the photo beside it.
        // The column takes what a 4:3 photo of the full height leaves, within sensible bounds.
        const double column = std::clamp(inner.width() - inner.height() * 4 / 3 - kPadding,
                                         inner.width() * 0.22, inner.width() * 0.35);
        const QRectF left(inner.left(), inner.top(), column, inner.height());
        p.number = QRectF(left.left(), left.top(), column, left.height() * 0.45);
        p.direction = QRectF(left.left(), p.number.bottom(), column, left.height() * 0.55);
        p.photo = QRectF(left.right() + kPadding, inner.top(), inner.width() - column - kPadding,
                         inner.height());
    } else {
        // Tall: the number on top, the photo in the middle, the direction below.
        const double numberHeight = inner.height() * 0.16;
        const double directionHeight = inner.height() * 0.2;
        p.number = QRectF(inner.left(), inner.top(), inner.width(), numberHeight);
        p.direction =
            QRectF(inner.left(), inner.bottom() - directionHeight, inner.width(), directionHeight);
        p.photo = QRectF(inner.left(), p.number.bottom() + kPadding / 2, inner.width(),
                         p.direction.top() - p.number.bottom() - kPadding);
    }
    return p;
}

} // namespace

int ValidPerPage(int perPage)
{
    return perPage == 1 || perPage == 2 || perPage == 4 ? perPage : 2;
}

PageLayout LayoutPage(const QSizeF& printable, int perPage)
{
    PageLayout page;
    page.perPage = ValidPerPage(perPage);
    int columns = 1, rows = 1;
    if (page.perPage == 2)
        (printable.width() > printable.height() ? columns : rows) = 2;
    else if (page.perPage == 4)
        columns = rows = 2;
    const double w = (printable.width() - kGutter * (columns - 1)) / columns;
    const double h = (printable.height() - kGutter * (rows - 1)) / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            page.panels << layoutPanel(QRectF(c * (w + kGutter), r * (h + kGutter), w, h));
    return page;
}

QRectF FitPhoto(const QSizeF& picture, const QRectF& box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {};
    const QSizeF fitted = picture.scaled(box.size(), Qt::KeepAspectRatio);
    return QRectF(box.center().x() - fitted.width() / 2, box.center().y() - fitted.height() / 2,
                  fitted.width(), fitted.height());
}

QSize DecodeSize(const QSize& natural, const QSizeF& printed, int dpi)
{
    if (natural.isEmpty() || printed.isEmpty())
        return {};
    const QSize wanted(static_cast<int>(std::ceil(printed.width() / 72.0 * dpi)),
                       static_cast<int>(std::ceil(printed.height() / 72.0 * dpi)));
    if (wanted.width() >= natural.width() || wanted.height() >= natural.height())
        return natural;
    // Keep the picture's own proportions: the box was fitted to them already.
    return natural.scaled(wanted, Qt::KeepAspectRatio);
}

} // namespace booklet
