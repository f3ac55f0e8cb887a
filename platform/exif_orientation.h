#pragma once

#include <QByteArray>
#include <QImageIOHandler>

namespace platform {

// The turn that makes a stored picture upright, as the orientation tag of its EXIF data (a TIFF
// structure, possibly behind an "Exif\0\0" header) gives it; none when there is no tag or the
// data are malformed.
QImageIOHandler::Transformations exifTurn(QByteArray exif);

} // namespace platform
