#include "edit/photo_fit.h"

#include <QSizeF>

namespace edit {

QSize fitPhoto(QSize natural, QSize area)
{
    if (natural.isEmpty() || area.isEmpty())
        return natural;
    if (natural.width() <= area.width() && natural.height() <= area.height())
        return natural;
    // The side that limits the shrinking fills the area exactly, the other is rounded to the
    // nearest pixel; a hair-thin photo keeps one.
    return QSizeF(natural)
        .scaled(QSizeF(area), Qt::KeepAspectRatio)
        .toSize()
        .expandedTo(QSize(1, 1));
}

} // namespace edit
