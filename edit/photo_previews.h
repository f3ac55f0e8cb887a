#pragma once

#include <QCache>
#include <QDateTime>
#include <QFutureWatcher>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <optional>

namespace edit {

// The editor's photo decoded at the size the photo area shows it: a larger photo whole, shrunk
// to fit `area`; a file whose size its header does not give is shrunk after decoding.
std::optional<QImage> decodeShownPhoto(const QString& path, QSize area);

// The photos the editor shows, decoded away from the window's thread and kept for the rows
// nearby, so that moving through the list is immediate. A photo whose decode takes long (a
// phone's HEIC) is first shown from its embedded thumbnail; the whole picture follows.
class PhotoPreviews : public QObject
{
    Q_OBJECT
public:
    explicit PhotoPreviews(QObject* parent = nullptr);
    ~PhotoPreviews() override;

    struct Shown
    {
        std::optional<QImage> picture; // as decodeShownPhoto gives it
        bool final = true;             // false: a stand-in; `ready` brings the real picture
    };
    // The photo `path` for `area`: kept from before, or a quick stand-in while the picture is
    // decoded on a worker thread, or (neither possible) decoded now.
    Shown picture(const QString& path, QSize area);
    // Decodes `paths` ahead on worker threads, to be kept for when they are shown.
    void prefetch(const QStringList& paths, QSize area);
    // True while a picture is being decoded on a worker thread.
    bool busy() const { return !m_pending.isEmpty(); }
    // Forgets every kept picture (a photo file may have changed under the same name).
    void clear();

signals:
    // The whole picture of `path` is kept now; picture() gives it at once.
    void ready(const QString& path);

private:
    struct Key
    {
        QString path;
        QSize area;
        qint64 size = -1;
        QDateTime modified;
    };
    static Key keyOf(const QString& path, QSize area);
    static QString text(const Key& key);
    void decodeLater(const Key& key);

    QCache<QString, std::optional<QImage>> m_kept; // cost: kilobytes of pixels
    QHash<QString, QFutureWatcher<std::optional<QImage>>*> m_pending;
};

} // namespace edit
