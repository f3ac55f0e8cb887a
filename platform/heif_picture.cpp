// HEIF and AVIF pictures through libheif, which decodes HEVC (libde265) and AV1 (dav1d, aom).
//
// libheif turns the picture upright itself: it applies the file's rotation and mirroring
// properties, which are the orientation of a HEIF file. An EXIF orientation tag inside the file
// only repeats them (phones write both) and must not be applied a second time.
#include "platform/heif_picture.h"

#include <QFile>
#include <QThread>
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

// An open file with its main picture's handle.
struct OpenPicture
{
    std::unique_ptr<QFile> file;
    std::unique_ptr<heif_context, ContextFree> context;
    std::unique_ptr<heif_image_handle, HandleFree> handle;
};

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
    const QSize size(heif_image_handle_get_width(p->handle.get()),
                     heif_image_handle_get_height(p->handle.get()));
    if (size.isEmpty())
        return std::nullopt;
    return size;
}

namespace {

// Decodes the picture of `handle` upright, scaled to `shownSize` when that is valid.
std::optional<QImage> decode(heif_image_handle* handle, QSize shownSize)
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
    // A view on libheif's pixels; scaling or copying makes the picture our own.
    const QImage view(pixels, width, height, stride,
                      alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (shownSize.isValid() && !shownSize.isEmpty() && shownSize != view.size())
        return view.scaled(shownSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return view.copy();
}

} // namespace

std::optional<QImage> readPicture(const QString& path, QSize shownSize)
{
    const std::optional<OpenPicture> p = open(path);
    if (!p)
        return std::nullopt;
    heif_context_set_max_decoding_threads(p->context.get(), QThread::idealThreadCount());
    return decode(p->handle.get(), shownSize);
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
    return decode(thumbnail, shownSize.isValid() ? shownSize : main);
}

} // namespace platform::heif
