#include "platform/webp_orientation.h"

#include <QFile>
#include <QImage>
#include <QTransform>
#include <QtEndian>

namespace platform {
namespace {

using Turn = QImageIOHandler::Transformations;

// EXIF orientation 1-8 as the turn that makes the picture upright.
Turn turnOf(int orientation)
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

QImageIOHandler::Transformations webpOrientation(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImageIOHandler::TransformationNone;
    const QByteArray header = file.read(12);
    if (header.size() < 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WEBP")
        return QImageIOHandler::TransformationNone;
    // Chunks: a four-letter name, a little-endian size, the data padded to an even length.
    while (true) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8)
            break;
        const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("EXIF")) {
            if (size > 1024 * 1024)
                break;
            return turnOf(exifOrientation(file.read(size)));
        }
        if (!file.seek(file.pos() + size + (size & 1)))
            break;
    }
    return QImageIOHandler::TransformationNone;
}

QImage turned(const QImage& image, QImageIOHandler::Transformations turn)
{
    // As Qt turns a JPEG: mirror and flip first, then a quarter turn clockwise.
    if (turn == QImageIOHandler::TransformationNone)
        return image;
    if (turn == QImageIOHandler::TransformationRotate270)
        return image.transformed(QTransform().rotate(270));
    QImage result = image.mirrored(turn.testFlag(QImageIOHandler::TransformationMirror),
                                   turn.testFlag(QImageIOHandler::TransformationFlip));
    if (turn.testFlag(QImageIOHandler::TransformationRotate90))
        result = result.transformed(QTransform().rotate(90));
    return result;
}

} // namespace platform
