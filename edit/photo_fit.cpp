#include "edit/photo_fit.h"

#include <algorithm>
#include <cmath>

namespace edit {

QSize fitPhoto(QSize natural, QSize area)
{
    if (natural.isEmpty() || area.isEmpty())
        return natural;
    if (natural.width() <= area.width() && natural.height() <= area.height())
        return natural;
    const double scale =
        std::min(double(area.width()) / natural.width(), double(area.height()) / natural.height());
    // The side that limits the shrinking fills the area exactly; neither side ever exceeds it.
    auto side = [scale](int length, int room) {
        return std::clamp(int(std::lround(length * scale)), 1, room);
    };
    return QSize(side(natural.width(), area.width()), side(natural.height(), area.height()));
}

} // namespace edit
