#include "learn/photo_prefetch.h"

#include "learn/play_layout.h"
#include "platform/failure.h"
#include "platform/picture.h"
#include "store/route.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

namespace learn {
namespace {

void stamp(PreparedPhoto& photo)
{
    const QFileInfo info(photo.path);
    photo.size = info.exists() ? info.size() : -1;
    photo.modified = info.exists() ? info.lastModified() : QDateTime();
}

} // namespace

PreparedPhoto preparePhoto(const QString& path, const PhotoRoom& room)
{
    PreparedPhoto photo;
    photo.path = path;
    photo.room = room;
    stamp(photo);
    const std::optional<QSize> natural = platform::PictureSize(path);
    if (!natural)
        return photo;
    const QSize shown = shownPhotoPixels(*natural, room.twipsPerPixel, room.windowWidth,
                                         room.windowHeight, room.buttonHeight, room.buttonBand);
    photo.image = platform::LoadPicture(path, shown);
    if (photo.image && photo.image->isNull())
        photo.image.reset();
    return photo;
}

PhotoPrefetch::~PhotoPrefetch()
{
    m_pending.waitForFinished();
}

void PhotoPrefetch::start(const QString& routePath, const QString& stepKey, const PhotoRoom& room)
{
    if (m_pending.isValid() && m_key == stepKey)
        return;                  // already under way
    m_pending.waitForFinished(); // one at a time; the earlier one is no longer wanted
    m_key = stepKey;
    m_pending = QtConcurrent::run([=]() -> std::optional<PreparedPhoto> {
        QString path;
        try {
            // Never wait for a busy file here, nor make a missing one.
            store::Route route(routePath, 0, store::IfMissing::Fail);
            if (const std::optional<store::Step> step = route.stepNumbered(stepKey))
                path = step->photo;
        } catch (const platform::Failure&) {
            return std::nullopt;
        }
        if (path.isEmpty())
            return std::nullopt;
        return preparePhoto(path, room);
    });
}

void PhotoPrefetch::wait() const
{
    QFuture<std::optional<PreparedPhoto>>(m_pending).waitForFinished();
}

std::optional<PreparedPhoto> PhotoPrefetch::take(const QString& path)
{
    if (!m_pending.isValid())
        return std::nullopt;
    std::optional<PreparedPhoto> photo = m_pending.result();
    m_pending = {};
    m_key.clear();
    if (!photo || photo->path != path)
        return std::nullopt;
    // The file must still be the one that was decoded.
    PreparedPhoto now;
    now.path = path;
    stamp(now);
    if (now.size != photo->size || now.modified != photo->modified)
        return std::nullopt;
    return photo;
}

} // namespace learn
