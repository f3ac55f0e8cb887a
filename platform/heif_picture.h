#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace platform::heif {

// Whether `path` starts like a HEIF file (HEIC, AVIF) that libheif reads.
bool isHeifFile(const QString& path);

// The upright pixel size of the file's main picture, read from its headers.
std::optional<QSize> pictureSize(const QString& path);

// Decodes the file's main picture upright (the file's rotation and mirroring applied). With
// `shownSize` valid the picture is scaled once, with an area-averaging filter, to that size.
std::optional<QImage> readPicture(const QString& path, QSize shownSize = QSize());

// The file's embedded thumbnail (phones store one of about 320 pixels), upright and scaled to
// `shownSize` (else to the main picture's size): a preview that takes milliseconds where the
// picture itself takes a second. No value when the file has no thumbnail of the picture's shape.
std::optional<QImage> readThumbnail(const QString& path, QSize shownSize = QSize());

} // namespace platform::heif
