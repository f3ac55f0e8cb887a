// Photos as they come from today's phones: HEIC, AVIF, WebP and TIFF with an orientation, the
// editor's rule for showing a photo whole, and where the photo dialog starts.
#include "edit/photo_fit.h"
#include "edit/photo_previews.h"
#include "platform/open_dialog.h"
#include "platform/picture.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <libheif/heif.h>
#include <memory>

namespace {

// 40 x 20 pixels as stored: the left half red, the right half blue. Turned upright (90 degrees
// clockwise) it is 20 x 40 with red on top.
QImage storedPicture()
{
    QImage image(40, 20, QImage::Format_RGB888);
    image.fill(QColor(0xE0, 0x10, 0x10));
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            image.setPixelColor(x, y, QColor(0x10, 0x10, 0xE0));
    return image;
}

// Where a HEIF file writes the turn of its picture: as a rotation of its own, as phones do;
// only in its EXIF data, as heif-enc and some phones do; or in both.
enum class Turn { Rotation, ExifOnly, Both };

// EXIF data (big-endian TIFF) whose orientation 6 asks for a quarter turn clockwise.
QByteArray exifTurnedClockwise()
{
    return QByteArray("MM\0*\0\0\0\x08"          // header, first directory at 8
                      "\0\x01"                   // one entry
                      "\x01\x12\0\x03\0\0\0\x01" // Orientation, SHORT, one value
                      "\0\x06\0\0"               // 6
                      "\0\0\0\0",                // no next directory
                      26);
}

// Writes storedPicture() as HEIC or AVIF turned upright by 90 degrees clockwise, as `turn` says;
// with `thumbnail`, also a thumbnail half its size, as phones do.
bool writeHeif(const QString& path, heif_compression_format format, Turn turn = Turn::Rotation,
               bool thumbnail = false)
{
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> ctx(heif_context_alloc(),
                                                                          heif_context_free);
    heif_encoder* encoderPtr = nullptr;
    if (heif_context_get_encoder_for_format(ctx.get(), format, &encoderPtr).code != heif_error_Ok)
        return false;
    const std::unique_ptr<heif_encoder, decltype(&heif_encoder_release)> encoder(
        encoderPtr, heif_encoder_release);
    heif_encoder_set_lossy_quality(encoder.get(), 90);
    const QImage source = storedPicture();
    heif_image* imagePtr = nullptr;
    heif_image_create(source.width(), source.height(), heif_colorspace_RGB,
                      heif_chroma_interleaved_RGB, &imagePtr);
    const std::unique_ptr<heif_image, decltype(&heif_image_release)> image(imagePtr,
                                                                           heif_image_release);
    heif_image_add_plane(image.get(), heif_channel_interleaved, source.width(), source.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
    for (int y = 0; y < source.height(); ++y)
        memcpy(plane + y * stride, source.constScanLine(y), size_t(source.width()) * 3);
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation =
        turn == Turn::ExifOnly ? heif_orientation_normal : heif_orientation_rotate_90_cw;
    heif_image_handle* handle = nullptr;
    bool encoded =
        heif_context_encode_image(ctx.get(), image.get(), encoder.get(), options, &handle).code ==
        heif_error_Ok;
    if (encoded && thumbnail)
        encoded = heif_context_encode_thumbnail(ctx.get(), image.get(), handle, encoder.get(),
                                                options, 20, nullptr)
                      .code == heif_error_Ok;
    heif_encoding_options_free(options);
    if (encoded && turn != Turn::Rotation) {
        const QByteArray exif = exifTurnedClockwise();
        encoded =
            heif_context_add_exif_metadata(ctx.get(), handle, exif.constData(), int(exif.size()))
                .code == heif_error_Ok;
    }
    heif_image_handle_release(handle);
    return encoded &&
           heif_context_write_to_file(ctx.get(), QFile::encodeName(path).constData()).code ==
               heif_error_Ok;
}

bool reddish(QColor c)
{
    return c.red() > 150 && c.blue() < 100;
}

bool bluish(QColor c)
{
    return c.blue() > 150 && c.red() < 100;
}

} // namespace

class TestPhonePhotos : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        // The dialog's remembered folder and the Pictures folder live in a home of our own.
        QVERIFY(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_PICTURES_DIR");
        QCoreApplication::setOrganizationName(QStringLiteral("michitan-test"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_phone_photos"));
    }

    // Each format is read upright, at its size and decoded at a smaller size.
    void phoneFormatsAreReadUpright_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Turn>("turn"); // of a HEIF file written here
        QTest::newRow("HEIC") << "phone.heic" << Turn::Rotation;
        QTest::newRow("HEIC with EXIF orientation only") << "phone.heic" << Turn::ExifOnly;
        QTest::newRow("HEIC with rotation and EXIF orientation turned once")
            << "phone.heic" << Turn::Both;
        QTest::newRow("AVIF") << "phone.avif" << Turn::Rotation;
        QTest::newRow("AVIF with EXIF orientation only") << "phone.avif" << Turn::ExifOnly;
        QTest::newRow("WebP with EXIF orientation") << "phone.webp" << Turn::Rotation;
        QTest::newRow("TIFF with orientation") << "phone.tiff" << Turn::Rotation;
    }

    void phoneFormatsAreReadUpright()
    {
        QFETCH(QString, name);
        QFETCH(Turn, turn);
        QTemporaryDir dir;
        QString path = QStringLiteral(MICHITAN_TEST_DATA_DIR "/") + name;
        if (name.endsWith(QLatin1String(".heic")) || name.endsWith(QLatin1String(".avif"))) {
            path = dir.filePath(name);
            QVERIFY(writeHeif(path,
                              name.endsWith(QLatin1String(".heic")) ? heif_compression_HEVC
                                                                    : heif_compression_AV1,
                              turn));
        }
        QCOMPARE(platform::PictureSize(path), std::optional<QSize>(QSize(20, 40)));
        const std::optional<QImage> whole = platform::LoadPicture(path);
        QVERIFY(whole && !whole->isNull());
        QCOMPARE(whole->size(), QSize(20, 40));
        QVERIFY(reddish(whole->pixelColor(10, 5)));
        QVERIFY(bluish(whole->pixelColor(10, 34)));
        const std::optional<QImage> small = platform::LoadPicture(path, QSize(10, 20));
        QVERIFY(small);
        QCOMPARE(small->size(), QSize(10, 20));
        QVERIFY(reddish(small->pixelColor(5, 2)));
        QVERIFY(bluish(small->pixelColor(5, 17)));
    }

    // A HEIF file cut short is no picture, as any broken file.
    void brokenHeifIsNoPicture()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("phone.heic"));
        QVERIFY(writeHeif(path, heif_compression_HEVC));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2));
        file.close();
        QVERIFY(!platform::LoadPicture(path));
    }

    // A phone's HEIC is shown from its thumbnail at once, at the size the photo takes, and the
    // whole photo follows from a worker thread; a photo seen before is shown again at once.
    void heicShowsItsThumbnailThenTheWholePhoto()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("phone.heic"));
        QVERIFY(writeHeif(path, heif_compression_HEVC, Turn::Rotation, true));
        const std::optional<QImage> quick = platform::QuickPicture(path, QSize(20, 40));
        QVERIFY(quick);
        QCOMPARE(quick->size(), QSize(20, 40));
        QVERIFY(reddish(quick->pixelColor(10, 5)));
        QVERIFY(bluish(quick->pixelColor(10, 34)));

        edit::PhotoPreviews previews;
        QSignalSpy ready(&previews, &edit::PhotoPreviews::ready);
        const edit::PhotoPreviews::Shown first = previews.picture(path, QSize(100, 100));
        QVERIFY(!first.final);
        QVERIFY(first.picture);
        QCOMPARE(first.picture->size(), QSize(20, 40));
        QVERIFY(ready.wait(10000));
        QCOMPARE(ready.first().first().toString(), path);
        const edit::PhotoPreviews::Shown whole = previews.picture(path, QSize(100, 100));
        QVERIFY(whole.final);
        QCOMPARE(whole.picture->size(), QSize(20, 40));
        QVERIFY(!previews.busy());
        // Without a thumbnail the photo is decoded at once, and kept.
        const QString plain = dir.filePath(QStringLiteral("plain.heic"));
        QVERIFY(writeHeif(plain, heif_compression_HEVC));
        QVERIFY(previews.picture(plain, QSize(100, 100)).final);
        QVERIFY(!previews.busy());
    }

    void editorShowsPhotoWhole_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("fits: own size") << QSize(640, 480) << QSize(1280, 700) << QSize(640, 480);
        QTest::newRow("exactly the area: own size")
            << QSize(1280, 700) << QSize(1280, 700) << QSize(1280, 700);
        QTest::newRow("12 MP landscape: height limits")
            << QSize(4032, 3024) << QSize(1280, 370) << QSize(493, 370);
        QTest::newRow("12 MP portrait") << QSize(3024, 4032) << QSize(1280, 370) << QSize(278, 370);
        QTest::newRow("wide panorama: width limits")
            << QSize(8000, 1000) << QSize(1280, 370) << QSize(1280, 160);
        QTest::newRow("108 MP") << QSize(12000, 9000) << QSize(1024, 330) << QSize(440, 330);
        QTest::newRow("one side too tall")
            << QSize(300, 500) << QSize(1024, 330) << QSize(198, 330);
        QTest::newRow("hair-thin photo keeps a pixel")
            << QSize(10000, 2) << QSize(1000, 300) << QSize(1000, 1);
    }

    void editorShowsPhotoWhole()
    {
        QFETCH(QSize, natural);
        QFETCH(QSize, area);
        QFETCH(QSize, shown);
        QCOMPARE(edit::fitPhoto(natural, area), shown);
    }

    void photoDialogStartsWhereThePhotosAre_data()
    {
        QTest::addColumn<bool>("pictures"); // the user has a Pictures folder
        QTest::addColumn<QString>("last");  // folder of the last chosen photo ("" none)
        QTest::addColumn<QString>("start"); // "last", "pictures" or "home"
        QTest::newRow("first use with Pictures") << true << ""
                                                 << "pictures";
        QTest::newRow("first use without Pictures") << false << ""
                                                    << "home";
        QTest::newRow("last used folder") << true << "trip"
                                          << "last";
        QTest::newRow("last used folder gone") << true << "gone"
                                               << "pictures";
    }

    void photoDialogStartsWhereThePhotosAre()
    {
        QFETCH(bool, pictures);
        QFETCH(QString, last);
        QFETCH(QString, start);
        QSettings().clear();
        const QDir h(home.path());
        const QString picturesDir = h.filePath(QStringLiteral("Pictures"));
        if (pictures)
            QVERIFY(h.mkpath(QStringLiteral("Pictures")));
        else
            QVERIFY(QDir(picturesDir).removeRecursively());
        if (!last.isEmpty()) {
            QVERIFY(h.mkpath(last));
            platform::rememberOpenFolder(h.filePath(last + QStringLiteral("/写真 1.heic")));
            if (last == QLatin1String("gone"))
                QVERIFY(QDir(h.filePath(last)).removeRecursively());
        }
        const QString expected = start == QLatin1String("last")       ? h.filePath(last)
                                 : start == QLatin1String("pictures") ? picturesDir
                                                                      : QDir::homePath();
        QCOMPARE(QDir(platform::openDialogStart(QString())).canonicalPath(),
                 QDir(expected).canonicalPath());
        // A folder asked for is used as it is.
        QCOMPARE(platform::openDialogStart(h.path()), h.path());
    }

    // "*.*" stays the first filter; the second lists the phone formats with the usual ones.
    void photoDialogFilters()
    {
        const QStringList filters = platform::openDialogFilters(QStringLiteral("*.*"));
        QCOMPARE(filters.size(), 2);
        QCOMPARE(filters[0], QStringLiteral("すべてのファイル (*)"));
        for (const char* pattern : {"*.jpg", "*.png", "*.heic", "*.avif", "*.webp", "*.tif"})
            QVERIFY2(filters[1].contains(QLatin1String(pattern)), pattern);
    }
};

QTEST_MAIN(TestPhonePhotos)
#include "tst_phone_photos.moc"
