#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace share {

// A step's photo as it goes into an archive.
struct PackedPhoto
{
    QByteArray bytes;
    QString suffix;       // "jpg" or "png"
    QString contentType;  // "image/jpeg" or "image/png"
    QSize size;           // as shown, upright
    bool missing = false; // the photo could not be read; `bytes` is a placeholder picture
};

// Reads the photo at `path` for an archive: upright, at most `longSide` pixels on its long side.
// A JPEG or PNG that is already upright and small enough is taken byte for byte; any other is
// re-encoded as JPEG. A missing or unreadable photo gives a placeholder picture naming it.
PackedPhoto packPhoto(const QString& path, int longSide);

} // namespace share
