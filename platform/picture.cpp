#include "platform/picture.h"

#include "platform/heif_picture.h"
#include "platform/webp_orientation.h"

#include <QFileInfo>
#include <QImageReader>

namespace platform {
namespace {

bool transposes(QImageIOHandler::Transformations t)
{
    return t.testFlag(QImageIOHandler::TransformationRotate90);
}

// The turn that makes the picture upright: Qt's own, or for a WebP file the one its EXIF data
// give, which Qt leaves unread.
QImageIOHandler::Transformations uprightTurn(QImageReader& reader, const QString& path)
{
    if (reader.format() == "webp")
        return webpOrientation(path);
    return reader.transformation();
}

bool isReadableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable() && info.size() > 0;
}

} // namespace

std::optional<QSize> PictureSize(const QString& path)
{
    if (!isReadableFile(path))
        return std::nullopt;
    if (heif::isHeifFile(path))
        return heif::pictureSize(path);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    if (transposes(uprightTurn(reader, path)))
        size.transpose();
    return size;
}

std::optional<QImage> LoadPicture(const QString& path, QSize shownSize)
{
    if (path.isEmpty())
        return QImage();
    if (!isReadableFile(path))
        return std::nullopt;
    if (heif::isHeifFile(path))
        return heif::readPicture(path, shownSize);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const bool turnedByUs = reader.format() == "webp";
    const QImageIOHandler::Transformations turn = uprightTurn(reader, path);
    if (shownSize.isValid() && !shownSize.isEmpty()) {
        // The picture is scaled before it is turned upright, so ask for the stored shape.
        QSize stored = shownSize;
        if (transposes(turn))
            stored.transpose();
        if (stored != reader.size())
            reader.setScaledSize(stored);
    }
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return turnedByUs ? turned(image, turn) : image;
}

std::optional<QImage> QuickPicture(const QString& path, QSize shownSize)
{
    if (!isReadableFile(path) || !heif::isHeifFile(path))
        return std::nullopt;
    return heif::readThumbnail(path, shownSize);
}

QStringList PicturePatterns()
{
    // The photo types of cameras, phones and the web; the loader's other formats (icons,
    // bitmaps of old programs) are not photos.
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QStringList patterns;
    for (const char* suffix : {"jpg", "jpeg", "png", "gif", "bmp", "webp", "tif", "tiff"})
        if (readable.contains(suffix))
            patterns << QStringLiteral("*.") + QLatin1String(suffix);
    for (const char* suffix : {"heic", "heif", "hif", "avif"})
        patterns << QStringLiteral("*.") + QLatin1String(suffix);
    return patterns;
}

} // namespace platform
