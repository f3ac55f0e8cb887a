#include "platform/exif_orientation.h"

#include <QtEndian>

namespace platform {
namespace {

// EXIF orientation 1-8 as the turn that makes the picture upright.
QImageIOHandler::Transformations turnOf(int orientation)
{
    switch (orientation) {
    case 2:
        return QImageIOHandler::TransformationMirror;
    case 3:
        return QImageIOHandler::TransformationRotate180;
    case 4:
        return QImageIOHandler::TransformationFlip;
    case 5:
        return QImageIOHandler::TransformationFlipAndRotate90;
    case 6:
        return QImageIOHandler::TransformationRotate90;
    case 7:
        return QImageIOHandler::TransformationMirrorAndRotate90;
    case 8:
        return QImageIOHandler::TransformationRotate270;
    default:
        return QImageIOHandler::TransformationNone;
    }
}

// The orientation tag of the first image directory of EXIF data (a TIFF structure, sometimes
// behind an "Exif\0\0" header); 1 when there is none or the data are malformed.
int exifOrientation(QByteArray exif)
{
    if (exif.startsWith(QByteArray("Exif\0\0", 6)))
        exif.remove(0, 6);
    if (exif.size() < 8)
        return 1;
    const bool little = exif.startsWith("II");
    if (!little && !exif.startsWith("MM"))
        return 1;
    const auto* data = reinterpret_cast<const uchar*>(exif.constData());
    auto u16 = [&](qsizetype at) {
        return little ? qFromLittleEndian<quint16>(data + at) : qFromBigEndian<quint16>(data + at);
    };
    auto u32 = [&](qsizetype at) {
        return little ? qFromLittleEndian<quint32>(data + at) : qFromBigEndian<quint32>(data + at);
    };
    const qsizetype directory = u32(4);
    if (directory < 8 || directory + 2 > exif.size())
        return 1;
    const int entries = u16(directory);
    for (int i = 0; i < entries; ++i) {
        const qsizetype entry = directory + 2 + qsizetype(i) * 12;
        if (entry + 12 > exif.size())
            break;
        if (u16(entry) == 0x0112 && u16(entry + 2) == 3) // Orientation, SHORT
            return u16(entry + 8);
    }
    return 1;
}

} // namespace

QImageIOHandler::Transformations exifTurn(QByteArray exif)
{
    return turnOf(exifOrientation(std::move(exif)));
}

} // namespace platform
