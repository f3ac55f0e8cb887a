#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace share {

// A step's photo as it goes into an archive.
struct PackedPhoto
{
    QByteArray bytes;
    QString suffix;      // "jpg" or "png"
    QString contentType; // "image/jpeg" or "image/png"
    QSize size;          // as shown, upright
    enum class State {
        Packed,     // the photo itself
        Missing,    // no file at the path; `bytes` is a placeholder picture
        Unreadable, // a file that does not decode as a picture; `bytes` is a placeholder
    };
    State state = State::Packed;
};

// Reads the photo at `path` for an archive: upright, at most `longSide` pixels on its long side.
// A JPEG or PNG that is already upright and small enough is taken byte for byte; any other is
// re-encoded as JPEG; either way the picture is decoded first, by the loader practice uses, so
// that nothing goes in that could not be shown. A missing or unreadable photo gives a
// placeholder picture naming it.
PackedPhoto packPhoto(const QString& path, int longSide);

} // namespace share
