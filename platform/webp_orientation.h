#pragma once

#include <QImageIOHandler>
#include <QString>

namespace platform {

// The orientation that the EXIF data of the WebP file `path` gives, as the turn that makes the
// stored picture upright; none when the file has no EXIF data or no orientation in it. (Qt's
// WebP reader leaves the EXIF data unread.)
QImageIOHandler::Transformations webpOrientation(const QString& path);

// `image` turned by `turn`.
QImage turned(const QImage& image, QImageIOHandler::Transformations turn);

} // namespace platform
