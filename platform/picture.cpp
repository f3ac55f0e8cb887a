#include "platform/picture.h"

#include <QFileInfo>
#include <QImageReader>

namespace platform {
namespace {

bool transposes(QImageIOHandler::Transformations t)
{
    return t.testFlag(QImageIOHandler::TransformationRotate90);
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
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    if (transposes(reader.transformation()))
        size.transpose();
    return size;
}

std::optional<QImage> LoadPicture(const QString& path, QSize shownSize)
{
    if (path.isEmpty())
        return QImage();
    if (!isReadableFile(path))
        return std::nullopt;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (shownSize.isValid() && !shownSize.isEmpty()) {
        // The reader scales before it turns the picture upright, so ask for the stored shape.
        QSize stored = shownSize;
        if (transposes(reader.transformation()))
            stored.transpose();
        if (stored != reader.size())
            reader.setScaledSize(stored);
    }
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace platform
