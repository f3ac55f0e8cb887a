#include "edit/photo_check.h"

#include "edit/messages.h"
#include "platform/picture.h"

#include <QFileInfo>
#include <QFutureWatcher>
#include <QSet>
#include <QtConcurrent/QtConcurrentRun>

namespace edit {

PhotoCheck::PhotoCheck(QObject* parent) : QObject(parent) {}

PhotoCheck::~PhotoCheck()
{
    if (m_stop)
        *m_stop = true;
}

void PhotoCheck::check(const QStringList& paths)
{
    if (m_stop)
        *m_stop = true;
    m_stop = std::make_shared<std::atomic_bool>(false);
    const int generation = ++m_generation;

    QHash<QString, PhotoProblem> problems;
    QStringList existing;
    QSet<QString> seen;
    for (const QString& stored : paths) {
        if (seen.contains(stored))
            continue;
        seen.insert(stored);
        const QString path = stored.trimmed();
        if (path.isEmpty()) {
            problems.insert(stored, PhotoProblem::NoPath);
        } else if (!QFileInfo::exists(path)) {
            problems.insert(stored, PhotoProblem::Missing);
        } else {
            // Until the background check has read it, a file keeps what was known of it.
            if (m_problems.value(stored) == PhotoProblem::Unreadable)
                problems.insert(stored, PhotoProblem::Unreadable);
            existing << stored;
        }
    }
    m_problems = problems;
    if (existing.isEmpty())
        return;

    auto* watcher = new QFutureWatcher<QHash<QString, PhotoProblem>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        if (generation != m_generation)
            return; // the list has been refreshed since
        const QHash<QString, PhotoProblem> found = watcher->result();
        for (auto it = found.begin(); it != found.end(); ++it)
            m_problems.insert(it.key(), it.value());
        emit changed();
    });
    watcher->setFuture(QtConcurrent::run([existing, stop = m_stop] {
        QHash<QString, PhotoProblem> found;
        for (const QString& stored : existing) {
            if (*stop)
                break;
            found.insert(stored, platform::PictureSize(stored.trimmed())
                                     ? PhotoProblem::None
                                     : PhotoProblem::Unreadable);
        }
        return found;
    }));
}

PhotoProblem PhotoCheck::problem(const QString& path) const
{
    return m_problems.value(path, PhotoProblem::None);
}

QString PhotoCheck::explanation(PhotoProblem problem)
{
    switch (problem) {
    case PhotoProblem::NoPath:
        return messages::kNoPhoto;
    case PhotoProblem::Missing:
        return messages::kPhotoMissing;
    case PhotoProblem::Unreadable:
        return messages::kPhotoUnreadable;
    case PhotoProblem::None:
        break;
    }
    return QString();
}

} // namespace edit
