// Feeds arbitrary bytes to the picture loader as a file: it must give a picture or none, never
// crash, and a picture it gives must have the size its header promised (or the size asked for).
#include "learn/play_layout.h"
#include "platform/picture.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>

namespace {
QTemporaryDir* folder = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    static QTemporaryDir dir;
    folder = &dir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = folder->filePath(QStringLiteral("input"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const std::optional<QSize> natural = platform::PictureSize(path);
    const std::optional<QImage> full = platform::LoadPicture(path);
    if (full && full->isNull())
        std::abort(); // a picture that is there must not be empty
    if (natural && natural->width() * qint64(natural->height()) < 4096 * 4096) {
        const QSize shown = learn::shownPhotoPixels(*natural, 15, 15360, 11520, 495);
        if (shown.width() > natural->width() || shown.height() > natural->height())
            std::abort(); // shrinking never enlarges
        const std::optional<QImage> small = platform::LoadPicture(path, shown);
        if (small && small->isNull())
            std::abort();
    }
    return 0;
}
