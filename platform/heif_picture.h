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

} // namespace platform::heif
