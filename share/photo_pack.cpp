#include "share/photo_pack.h"

#include "platform/picture.h"
#include "share/obz_limits.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace share {
namespace {

// The stored picture as it is, when it may go into the archive unchanged. `image` is the
// picture decoded at its own size, which proves the bytes can be shown.
std::optional<PackedPhoto> asItIs(const QString& path, int longSide, const QImage& image)
{
    QImageReader reader(path);
    const QByteArray format = reader.format();
    const bool jpeg = format == "jpeg" || format == "jpg";
    if (!jpeg && format != "png")
        return std::nullopt;
    // A photo stored sideways with an orientation tag is turned upright by re-encoding it, so
    // that a board app that ignores the tag shows it the right way up.
    const QSize size = reader.size();
    if (!size.isValid() || size != image.size() || qMax(size.width(), size.height()) > longSide ||
        reader.transformation() != QImageIOHandler::TransformationNone)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    PackedPhoto photo;
    photo.bytes = file.readAll();
    if (photo.bytes.isEmpty())
        return std::nullopt;
    photo.suffix = jpeg ? QStringLiteral("jpg") : QStringLiteral("png");
    photo.contentType = jpeg ? QStringLiteral("image/jpeg") : QStringLiteral("image/png");
    photo.size = size;
    return photo;
}

QSize fitted(QSize size, int longSide)
{
    if (qMax(size.width(), size.height()) <= longSide)
        return size;
    return size.scaled(longSide, longSide, Qt::KeepAspectRatio);
}

PackedPhoto asJpeg(QImage image)
{
    // JPEG has no transparency: a transparent picture goes on white.
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        image = flat;
    }
    PackedPhoto photo;
    QBuffer buffer(&photo.bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(limits::kJpegQuality);
    writer.setOptimizedWrite(true);
    writer.write(image);
    photo.suffix = QStringLiteral("jpg");
    photo.contentType = QStringLiteral("image/jpeg");
    photo.size = image.size();
    return photo;
}

PackedPhoto placeholder(const QString& path, PackedPhoto::State state)
{
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(QColor(0xe0, 0xe0, 0xe0));
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(40);
    painter.setFont(font);
    painter.drawText(image.rect().adjusted(40, 40, -40, -300), Qt::AlignCenter,
                     state == PackedPhoto::State::Missing ? QStringLiteral("写真がありません")
                                                          : QStringLiteral("写真を読めません"));
    font.setPixelSize(24);
    painter.setFont(font);
    painter.drawText(image.rect().adjusted(40, 320, -40, -40),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere,
                     QFileInfo(path).fileName());
    painter.end();
    PackedPhoto photo;
    QBuffer buffer(&photo.bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    photo.suffix = QStringLiteral("png");
    photo.contentType = QStringLiteral("image/png");
    photo.size = image.size();
    photo.state = state;
    return photo;
}

} // namespace

PackedPhoto packPhoto(const QString& path, int longSide)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return placeholder(path, PackedPhoto::State::Missing);
    // Decoded straight at the size it is written at, which keeps a 12-megapixel photo cheap.
    const std::optional<QSize> shown = platform::PictureSize(path);
    std::optional<QImage> image =
        platform::LoadPicture(path, shown ? fitted(*shown, longSide) : QSize());
    if (!shown || !image || image->isNull())
        return placeholder(path, PackedPhoto::State::Unreadable);
    if (auto photo = asItIs(path, longSide, *image))
        return *photo;
    if (qMax(image->width(), image->height()) > longSide)
        *image = image->scaled(fitted(image->size(), longSide), Qt::KeepAspectRatio,
                               Qt::SmoothTransformation);
    return asJpeg(*image);
}

} // namespace share
