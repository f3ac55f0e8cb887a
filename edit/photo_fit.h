#pragma once

#include <QSize>

namespace edit {

// The pixel size at which the photo area of `area` pixels shows a photo of `natural` pixels: its
// own size when it fits, otherwise shrunk just enough to be seen whole, its proportions kept.
QSize fitPhoto(QSize natural, QSize area);

} // namespace edit
