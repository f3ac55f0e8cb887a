// Times the editor's preview of a 12-megapixel phone photo (4032 x 3024, JPEG and HEIC with a
// phone's embedded thumbnail): how long until something is on screen after the photo is chosen
// (a HEIC shows its thumbnail first), until the whole photo is shown, and showing a photo seen
// a moment before again. Beside it, in the same run, the full-size decode then scale that
// showing it whole would otherwise take.
// Prints a table; run with QT_QPA_PLATFORM=offscreen.
#include "app/m_lane.h"
#include "edit/frm_lane_make.h"
#include "edit/photo_fit.h"
#include "edit/photo_previews.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "store/route_file.h"
#include "support/bench_media.h"
#include "support/median.h"
#include "support/silent_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <libheif/heif.h>
#include <vector>

namespace {

// HEVC decoding of a 12-megapixel photo takes long, so fewer runs of it.
constexpr int kJpegRuns = 15;
constexpr int kHeicRuns = 5;

using bench::median;

// Answers the photo dialog with one file and reports any message, which would spoil a timing.
class BenchDialogs : public bench::SilentDialogs
{
public:
    QString file;
    QString ShowOpen(QWidget*, const platform::OpenRequest&) override { return file; }
};

bool writeHeic(const QImage& source, const QString& path)
{
    heif_context* ctx = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    bool ok = heif_context_get_encoder_for_format(ctx, heif_compression_HEVC, &encoder).code ==
              heif_error_Ok;
    if (ok) {
        heif_encoder_set_lossy_quality(encoder, 80);
        heif_encoder_set_parameter_string(encoder, "preset", "ultrafast");
        const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
        heif_image* image = nullptr;
        heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB,
                          heif_chroma_interleaved_RGB, &image);
        heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
        int stride = 0;
        uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        for (int y = 0; y < rgb.height(); ++y)
            std::copy_n(rgb.constScanLine(y), rgb.width() * 3, plane + y * stride);
        heif_image_handle* handle = nullptr;
        // A phone stores a thumbnail of about 320 pixels beside the photo.
        ok = heif_context_encode_image(ctx, image, encoder, nullptr, &handle).code ==
                 heif_error_Ok &&
             heif_context_encode_thumbnail(ctx, image, handle, encoder, nullptr, 320, nullptr)
                     .code == heif_error_Ok &&
             heif_context_write_to_file(ctx, QFile::encodeName(path).constData()).code ==
                 heif_error_Ok;
        heif_image_handle_release(handle);
        heif_image_release(image);
        heif_encoder_release(encoder);
    }
    heif_context_free(ctx);
    return ok;
}

// Lets the editor's worker finish the whole picture, if one is under way.
void waitForWhole(edit::PhotoPreviews& previews)
{
    if (!previews.busy())
        return; // shown whole at once
    QEventLoop loop;
    QObject::connect(&previews, &edit::PhotoPreviews::ready, &loop, &QEventLoop::quit);
    loop.exec();
}

double measure(int runs, const std::function<void()>& timed)
{
    std::vector<double> ms;
    timed(); // warm the file cache and the decoders
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        timed();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(ms);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    m_lane::InitSettings(dir.path());
    store::createRouteFile(m_lane::DB_PATH, m_lane::ROUTE_TABLE);

    const QImage picture = bench::photoImage(QSize(4032, 3024), 12, 400);
    const QString jpeg = dir.filePath(QStringLiteral("phone.jpg"));
    const QString heic = dir.filePath(QStringLiteral("phone.heic"));
    if (!picture.save(jpeg, "JPEG", 90) || !writeHeic(picture, heic)) {
        std::fprintf(stderr, "could not write the test photos\n");
        return 1;
    }

    BenchDialogs dialogs;
    // The editor on a 1280 x 800 screen.
    frm_lane_make editor(dialogs, platform::ScreenTwips::fromPixels(QSize(1280, 800)));
    const double tpp = editor.Picture2.twipsPerPixel();
    const QSize area(int(std::floor(editor.Picture2.Width() / tpp)),
                     int(std::floor(editor.Picture2.Height() / tpp)));
    QLabel shownWhole;

    std::printf("editor preview of a 4032 x 3024 photo on a 1280 x 800 screen (area %d x %d),\n"
                "median of %d (JPEG) and %d (HEIC) runs, milliseconds\n",
                area.width(), area.height(), kJpegRuns, kHeicRuns);
    // Each first sight starts with nothing kept; "back" shows a photo seen a moment before.
    auto* previews = editor.findChild<edit::PhotoPreviews*>();
    std::printf("%-6s %12s %12s %9s %16s   %s\n", "photo", "first sight", "whole photo", "back to",
                "full then scale", "target");
    for (const QString& path : {jpeg, heic}) {
        dialogs.file = path;
        const int runs = path == jpeg ? kJpegRuns : kHeicRuns;
        std::vector<double> sights, wholes;
        for (int i = 0; i <= runs; ++i) { // the first run warms the file cache and decoders
            previews->clear();
            QElapsedTimer t;
            t.start();
            editor.Command3_Click();
            const double sight = t.nsecsElapsed() / 1e6;
            waitForWhole(*previews);
            if (i > 0) {
                sights.push_back(sight);
                wholes.push_back(t.nsecsElapsed() / 1e6);
            }
        }
        const double firstSight = median(sights), whole = median(wholes);
        const double back = measure(runs, [&] { editor.Command3_Click(); });
        const double full = measure(runs, [&] {
            const QImage whole = platform::LoadPicture(path).value_or(QImage());
            const QImage shown = whole.scaled(edit::fitPhoto(whole.size(), area),
                                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            shownWhole.setPixmap(QPixmap::fromImage(shown));
        });
        std::printf("%-6s %12.1f %12.1f %9.1f %16.1f   first sight <= 100 ms, back <= 20 ms\n",
                    qPrintable(QFileInfo(path).suffix().toUpper()), firstSight, whole, back, full);
    }
    return 0;
}
