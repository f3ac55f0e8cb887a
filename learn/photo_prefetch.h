#pragma once

#include <QDateTime>
#include <QFuture>
#include <QImage>
#include <QString>
#include <optional>

namespace learn {

// Where and how large a step's photo is shown.
struct PhotoRoom
{
    double twipsPerPixel = 15;
    float windowWidth = 0;
    float windowHeight = 0;
    float buttonHeight = 495;
    float buttonBand = 0; // kept under the photo for big buttons; 0 for the small ones

    bool operator==(const PhotoRoom&) const = default;
};

// A photo decoded at the size it is shown, with what identifies the file it came from.
struct PreparedPhoto
{
    QString path;
    PhotoRoom room; // what it was decoded for
    qint64 size = -1;
    QDateTime modified;
    std::optional<QImage> image; // no value: the file can't be shown
};

// Reads and decodes `path` for `room`: the whole work of showing a photo but the drawing.
PreparedPhoto preparePhoto(const QString& path, const PhotoRoom& room);

// Decodes the photo of the step that the next tick will show while the child still looks at
// the present one. The tick still asks the route for its photo; it takes the prepared picture
// only when it is for the same, unchanged file, and otherwise decodes as usual.
class PhotoPrefetch
{
public:
    PhotoPrefetch() = default;
    PhotoPrefetch(const PhotoPrefetch&) = delete;
    PhotoPrefetch& operator=(const PhotoPrefetch&) = delete;
    ~PhotoPrefetch();

    // Starts preparing the photo of step `stepKey` in the route file `routePath`. A failure
    // (no such step, a store error) only means nothing is prepared.
    void start(const QString& routePath, const QString& stepKey, const PhotoRoom& room);
    // Blocks until the photo under way, if any, is prepared.
    void wait() const;
    // The prepared photo for `path` if it is ready or being made, else no value; either way the
    // prefetch is used up.
    std::optional<PreparedPhoto> take(const QString& path);

private:
    QString m_key;
    QFuture<std::optional<PreparedPhoto>> m_pending; // on Qt's worker threads
};

} // namespace learn
