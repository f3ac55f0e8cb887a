// HEIF and AVIF pictures through libheif, which decodes HEVC (libde265) and AV1 (dav1d, aom).
//
// libheif turns the picture upright itself: it applies the file's rotation and mirroring
// properties, which are the orientation of a HEIF file. An EXIF orientation tag inside such a
// file only repeats them (phones write both) and must not be applied a second time. A file
// without rotation or mirroring of its own (as heif-enc and some phones write them) has its
// orientation only in the EXIF data, which is then honoured, as for a JPEG.
#include "platform/heif_picture.h"

#include "platform/exif_orientation.h"
#include "platform/webp_orientation.h"

#include <QFile>
#include <QThread>
#include <QtEndian>
#include <libheif/heif.h>
#include <memory>

namespace platform::heif {
namespace {

struct ContextFree
{
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleFree
{
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageFree
{
    void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree
{
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};

// libheif reads through our QFile, so that every path Qt can open works (also names that are
// not in the locale's encoding), and only the parts it needs are read.
heif_reader fileReader()
{
    heif_reader r{};
    r.reader_api_version = 1;
    r.get_position = [](void* file) -> int64_t { return static_cast<QFile*>(file)->pos(); };
    r.read = [](void* data, size_t size, void* file) -> int {
        return static_cast<QFile*>(file)->read(static_cast<char*>(data), qint64(size)) ==
                       qint64(size)
                   ? 0
                   : 1;
    };
    r.seek = [](int64_t position, void* file) -> int {
        return static_cast<QFile*>(file)->seek(position) ? 0 : 1;
    };
    r.wait_for_file_size = [](int64_t target, void* file) {
        return target > static_cast<QFile*>(file)->size() ? heif_reader_grow_status_size_beyond_eof
                                                          : heif_reader_grow_status_size_reached;
    };
    return r;
}

// An open file with its main picture's handle and the turn that the EXIF data ask for.
struct OpenPicture
{
    std::unique_ptr<QFile> file;
    std::unique_ptr<heif_context, ContextFree> context;
    std::unique_ptr<heif_image_handle, HandleFree> handle;
    QImageIOHandler::Transformations exifTurn = QImageIOHandler::TransformationNone;
};

// The boxes of a HEIF file: a big-endian size (1: a 64-bit size follows; 0: to the end), a
// four-letter type, then the content. Calls `each(type, content)` for every box of `data`.
template <typename F> void forEachBox(const QByteArray& data, F&& each)
{
    qsizetype at = 0;
    while (at + 8 <= data.size()) {
        const auto* p = reinterpret_cast<const uchar*>(data.constData()) + at;
        quint64 size = qFromBigEndian<quint32>(p);
        qsizetype header = 8;
        if (size == 1) {
            if (at + 16 > data.size())
                return;
            size = qFromBigEndian<quint64>(p + 8);
            header = 16;
        } else if (size == 0) {
            size = quint64(data.size() - at);
        }
        if (size < quint64(header) || size > quint64(data.size() - at))
            return;
        each(data.mid(at + 4, 4), data.mid(at + header, qsizetype(size) - header));
        at += qsizetype(size);
    }
}

// The content of the top-level box `type` of `file`, read only when it is of a sensible size.
QByteArray topLevelBox(QFile& file, const QByteArray& type)
{
    constexpr qint64 kLargest = 16 * 1024 * 1024;
    file.seek(0);
    while (true) {
        const QByteArray head = file.read(16);
        if (head.size() < 8)
            return QByteArray();
        qint64 size = qFromBigEndian<quint32>(head.constData());
        qint64 header = 8;
        if (size == 1 && head.size() == 16) {
            size = qint64(qFromBigEndian<quint64>(head.constData() + 8));
            header = 16;
        } else if (size == 0) {
            size = file.size() - file.pos() + head.size();
        }
        const qint64 start = file.pos() - head.size();
        if (size < header)
            return QByteArray();
        if (head.mid(4, 4) == type) {
            if (size > kLargest || !file.seek(start + header))
                return QByteArray();
            return file.read(size - header);
        }
        if (!file.seek(start + size))
            return QByteArray();
    }
}

// Whether the file turns or mirrors its picture itself: a rotation ('irot') by more than
// nothing, or a mirroring ('imir'), among the item properties of its 'meta' box.
bool turnsItself(QFile& file)
{
    const QByteArray meta = topLevelBox(file, "meta");
    bool turns = false;
    // 'meta' is a full box: its version and flags come before its boxes.
    forEachBox(meta.mid(4), [&](const QByteArray& type, const QByteArray& properties) {
        if (type != "iprp")
            return;
        forEachBox(properties, [&](const QByteArray& type, const QByteArray& container) {
            if (type != "ipco")
                return;
            forEachBox(container, [&](const QByteArray& type, const QByteArray& content) {
                if (type == "imir" || (type == "irot" && !content.isEmpty() && (content[0] & 3)))
                    turns = true;
            });
        });
    });
    return turns;
}

// The EXIF data of the picture: each block begins with the offset of the TIFF header behind it.
QByteArray exifData(heif_image_handle* handle)
{
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1)
        return QByteArray();
    const size_t size = heif_image_handle_get_metadata_size(handle, id);
    if (size < 4 || size > 1024 * 1024)
        return QByteArray();
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(handle, id, data.data()).code != heif_error_Ok)
        return QByteArray();
    const quint32 offset = qFromBigEndian<quint32>(data.constData());
    if (offset > quint32(data.size() - 4))
        return QByteArray();
    return data.mid(4 + qsizetype(offset));
}

bool transposes(QImageIOHandler::Transformations turn)
{
    return turn.testFlag(QImageIOHandler::TransformationRotate90);
}

std::optional<OpenPicture> open(const QString& path)
{
    static const heif_reader reader = fileReader();
    OpenPicture p;
    p.file = std::make_unique<QFile>(path);
    if (!p.file->open(QIODevice::ReadOnly))
        return std::nullopt;
    p.context.reset(heif_context_alloc());
    if (!p.context)
        return std::nullopt;
    if (heif_context_read_from_reader(p.context.get(), &reader, p.file.get(), nullptr).code !=
        heif_error_Ok)
        return std::nullopt;
    heif_image_handle* handle = nullptr;
    if (heif_context_get_primary_image_handle(p.context.get(), &handle).code != heif_error_Ok)
        return std::nullopt;
    p.handle.reset(handle);
    // Read on a file of its own: libheif keeps reading through the first one.
    QFile boxes(path);
    if (boxes.open(QIODevice::ReadOnly) && !turnsItself(boxes))
        p.exifTurn = exifTurn(exifData(handle));
    return p;
}

} // namespace

bool isHeifFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(64);
    return heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()),
                               int(head.size())) == heif_filetype_yes_supported;
}

std::optional<QSize> pictureSize(const QString& path)
{
    const std::optional<OpenPicture> p = open(path);
    if (!p)
        return std::nullopt;
    // The size after the file's rotation: the picture as shown.
    QSize size(heif_image_handle_get_width(p->handle.get()),
               heif_image_handle_get_height(p->handle.get()));
    if (size.isEmpty())
        return std::nullopt;
    if (transposes(p->exifTurn))
        size.transpose();
    return size;
}

namespace {

// Decodes the picture of `handle` upright (`exifTurn` applied after libheif's own turn), scaled
// to `shownSize` when that is valid.
std::optional<QImage> decode(heif_image_handle* handle, QSize shownSize,
                             QImageIOHandler::Transformations exifTurn)
{
    const bool alpha = heif_image_handle_has_alpha_channel(handle);
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(
        heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image* decoded = nullptr;
    if (heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                          options.get())
            .code != heif_error_Ok)
        return std::nullopt;
    const std::unique_ptr<heif_image, ImageFree> image(decoded);
    int stride = 0;
    const uint8_t* pixels =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!pixels || width <= 0 || height <= 0)
        return std::nullopt;
    // A view on libheif's pixels; scaling, turning or copying makes the picture our own.
    const QImage view(pixels, width, height, stride,
                      alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    // The picture is scaled before the EXIF turn, so the stored shape is asked for.
    QSize storedSize = shownSize;
    if (transposes(exifTurn))
        storedSize.transpose();
    QImage picture = storedSize.isValid() && !storedSize.isEmpty() && storedSize != view.size()
                         ? view.scaled(storedSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         : view.copy();
    return turned(picture, exifTurn);
}

} // namespace

std::optional<QImage> readPicture(const QString& path, QSize shownSize)
{
    const std::optional<OpenPicture> p = open(path);
    if (!p)
        return std::nullopt;
    heif_context_set_max_decoding_threads(p->context.get(), QThread::idealThreadCount());
    return decode(p->handle.get(), shownSize, p->exifTurn);
}

std::optional<QImage> readThumbnail(const QString& path, QSize shownSize)
{
    const std::optional<OpenPicture> p = open(path);
    if (!p || heif_image_handle_get_number_of_thumbnails(p->handle.get()) < 1)
        return std::nullopt;
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_thumbnail_IDs(p->handle.get(), &id, 1) < 1)
        return std::nullopt;
    heif_image_handle* thumbnail = nullptr;
    if (heif_image_handle_get_thumbnail(p->handle.get(), id, &thumbnail).code != heif_error_Ok)
        return std::nullopt;
    const std::unique_ptr<heif_image_handle, HandleFree> handle(thumbnail);
    // A thumbnail of another shape than the photo (cropped, or not turned upright) would show
    // something else for a moment: it is not used.
    const QSize size(heif_image_handle_get_width(thumbnail),
                     heif_image_handle_get_height(thumbnail));
    const QSize main(heif_image_handle_get_width(p->handle.get()),
                     heif_image_handle_get_height(p->handle.get()));
    if (size.isEmpty() || main.isEmpty() ||
        qAbs(double(size.width()) / size.height() - double(main.width()) / main.height()) > 0.02)
        return std::nullopt;
    QSize upright = main;
    if (transposes(p->exifTurn))
        upright.transpose();
    return decode(thumbnail, shownSize.isValid() ? shownSize : upright, p->exifTurn);
}

} // namespace platform::heif
