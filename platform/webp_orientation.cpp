#include "platform/webp_orientation.h"

#include "platform/exif_orientation.h"

#include <QFile>
#include <QImage>
#include <QTransform>
#include <QtEndian>

namespace platform {

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
            return exifTurn(file.read(size));
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
