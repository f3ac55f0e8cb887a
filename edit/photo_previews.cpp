#include "edit/photo_previews.h"

#include "edit/photo_fit.h"
#include "platform/picture.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

namespace edit {
namespace {

// About a dozen 1280-pixel previews: the rows around the shown one and those just left.
constexpr qsizetype kKeptKilobytes = 64 * 1024;

qsizetype costOf(const std::optional<QImage>& picture)
{
    return picture ? qMax<qsizetype>(1, picture->sizeInBytes() / 1024) : 1;
}

} // namespace

std::optional<QImage> decodeShownPhoto(const QString& path, QSize area)
{
    const std::optional<QSize> natural = platform::PictureSize(path);
    std::optional<QImage> picture =
        platform::LoadPicture(path, natural ? fitPhoto(*natural, area) : QSize());
    if (!picture || picture->isNull())
        return picture;
    const QSize shown = fitPhoto(picture->size(), area);
    if (shown != picture->size())
        return picture->scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

PhotoPreviews::PhotoPreviews(QObject* parent) : QObject(parent)
{
    m_kept.setMaxCost(kKeptKilobytes);
}

PhotoPreviews::~PhotoPreviews()
{
    for (auto* watcher : std::as_const(m_pending))
        watcher->waitForFinished();
}

PhotoPreviews::Key PhotoPreviews::keyOf(const QString& path, QSize area)
{
    const QFileInfo info(path);
    return {path, area, info.exists() ? info.size() : -1,
            info.exists() ? info.lastModified() : QDateTime()};
}

QString PhotoPreviews::text(const Key& key)
{
    return QStringLiteral("%1|%2x%3|%4|%5")
        .arg(key.path)
        .arg(key.area.width())
        .arg(key.area.height())
        .arg(key.size)
        .arg(key.modified.toMSecsSinceEpoch());
}

PhotoPreviews::Shown PhotoPreviews::picture(const QString& path, QSize area)
{
    const Key key = keyOf(path, area);
    if (const std::optional<QImage>* kept = m_kept.object(text(key)))
        return {*kept, true};
    if (!path.isEmpty()) {
        const std::optional<QSize> natural = platform::PictureSize(path);
        if (natural) {
            if (std::optional<QImage> quick =
                    platform::QuickPicture(path, fitPhoto(*natural, area))) {
                decodeLater(key);
                return {quick, false};
            }
        }
    }
    std::optional<QImage> now = decodeShownPhoto(path, area);
    m_kept.insert(text(key), new std::optional<QImage>(now), costOf(now));
    return {now, true};
}

void PhotoPreviews::prefetch(const QStringList& paths, QSize area)
{
    for (const QString& path : paths) {
        const Key key = keyOf(path, area);
        if (!path.isEmpty() && key.size >= 0 && !m_kept.contains(text(key)))
            decodeLater(key);
    }
}

void PhotoPreviews::clear()
{
    m_kept.clear();
}

void PhotoPreviews::decodeLater(const Key& key)
{
    const QString id = text(key);
    if (m_pending.contains(id))
        return;
    auto* watcher = new QFutureWatcher<std::optional<QImage>>(this);
    m_pending.insert(id, watcher);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, id, path = key.path] {
        const std::optional<QImage> picture = watcher->result();
        m_pending.remove(id);
        watcher->deleteLater();
        m_kept.insert(id, new std::optional<QImage>(picture), costOf(picture));
        emit ready(path);
    });
    watcher->setFuture(QtConcurrent::run(decodeShownPhoto, key.path, key.area));
}

} // namespace edit
