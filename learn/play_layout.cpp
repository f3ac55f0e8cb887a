#include "learn/play_layout.h"

#include <QSizeF>
#include <algorithm>
#include <cmath>

namespace learn {

QSize shownPhotoPixels(QSize natural, double twipsPerPixel, float windowWidth, float windowHeight,
                       float buttonHeight, float buttonBand)
{
    if (natural.isEmpty() || twipsPerPixel <= 0)
        return natural;
    const double roomWidth = std::max(0.0, double(windowWidth) / twipsPerPixel);
    const double below = buttonBand > 0 ? double(buttonBand) : 5.0 * buttonHeight;
    const double roomHeight =
        std::max(0.0, (double(windowHeight) - buttonHeight - below) / twipsPerPixel);
    if (natural.width() <= roomWidth && natural.height() <= roomHeight)
        return natural;
    const QSizeF fitted = QSizeF(natural).scaled(roomWidth, roomHeight, Qt::KeepAspectRatio);
    // Round down so that the shrunk photo never reaches past the room it was fitted to.
    return QSize(std::max(1, int(std::floor(fitted.width()))),
                 std::max(1, int(std::floor(fitted.height()))));
}

} // namespace learn
