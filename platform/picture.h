#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// Pixel size of the picture in `path` as it is shown (orientation tag applied), read from the
// file's header without decoding it. No value when the file can't be read as a picture.
std::optional<QSize> PictureSize(const QString& path);

// Reads the picture in `path` upright. With `shownSize` valid the picture is decoded directly at
// that size (as shown, after orientation). An empty path gives an empty picture; any failure
// (missing, unreadable, not a picture, empty file) gives no value.
std::optional<QImage> LoadPicture(const QString& path, QSize shownSize = QSize());

// A quick stand-in for LoadPicture(path, shownSize) where the real decode is slow: a HEIF
// photo's embedded thumbnail, scaled to `shownSize`. No value when there is none; the picture
// itself must then be loaded.
std::optional<QImage> QuickPicture(const QString& path, QSize shownSize);

// File name patterns of the photo types the loader reads ("*.jpg", "*.heic", ...).
QStringList PicturePatterns();

} // namespace platform
